// Crash- and disk-full-safe writing of the scene file.
#include "shell/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <vector>

namespace {

std::string Reason(const std::string& path, int error) { return path + ": " + std::strerror(error); }

// The file a chain of symbolic links ends at: replacing the file keeps the link.
std::string FollowLinks(std::string path) {
  for (int hop = 0; hop < 40; ++hop) {
    struct stat info;
    if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
    std::vector<char> target(static_cast<std::size_t>(info.st_size > 0 ? info.st_size : 4096) + 1);
    const ssize_t length = readlink(path.c_str(), target.data(), target.size() - 1);
    if (length < 0) return path;
    std::string next(target.data(), static_cast<std::size_t>(length));
    if (next.empty() || next[0] != '/') {
      const auto slash = path.rfind('/');
      if (slash != std::string::npos) next = path.substr(0, slash + 1) + next;
    }
    path = next;
  }
  return path;
}

mode_t NewFileMode() {
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

}  // namespace

OutputFile::~OutputFile() { Discard(); }

void OutputFile::Discard() {
  if (File.is_open()) File.close();
  if (!TemporaryPath.empty() && !Committed) std::remove(TemporaryPath.c_str());
  TemporaryPath.clear();
}

bool OutputFile::Open(const std::string& path, std::string& why) {
  if (path.empty()) {
    why = "no output file name";
    return false;
  }
  FinalPath = FollowLinks(path);
  struct stat info;
  const bool exists = stat(FinalPath.c_str(), &info) == 0;
  if (exists && S_ISDIR(info.st_mode)) {
    why = path + " is a folder";
    return false;
  }
  if (exists && !S_ISREG(info.st_mode)) {
    // A device or a pipe cannot be renamed over: write to it directly.
    File.open(FinalPath, std::ios::out | std::ios::trunc);
    if (!File.is_open()) {
      why = Reason(path, errno);
      return false;
    }
    Out = &File;
    return true;
  }
  const auto slash = FinalPath.rfind('/');
  const std::string folder = slash == std::string::npos ? std::string() : FinalPath.substr(0, slash + 1);
  const std::string name = slash == std::string::npos ? FinalPath : FinalPath.substr(slash + 1);
  std::string pattern = folder + "." + name + ".XXXXXX";
  std::vector<char> buffer(pattern.begin(), pattern.end());
  buffer.push_back('\0');
  const int descriptor = mkstemp(buffer.data());
  if (descriptor < 0) {
    why = Reason(path, errno);
    return false;
  }
  TemporaryPath = buffer.data();
  fchmod(descriptor, exists ? (info.st_mode & 07777) : NewFileMode());
  close(descriptor);
  File.open(TemporaryPath, std::ios::out | std::ios::trunc);
  if (!File.is_open()) {
    why = Reason(path, errno);
    Discard();
    return false;
  }
  Out = &File;
  return true;
}

void OutputFile::OpenStandardOutput() { Out = &std::cout; }

std::ostream& OutputFile::Stream() { return *Out; }

bool OutputFile::Commit(std::string& why) {
  if (Out == &std::cout) {
    std::cout.flush();
    if (!std::cout) why = "cannot write to standard output";
    return static_cast<bool>(std::cout);
  }
  File.flush();
  const bool written = !File.fail();
  File.close();
  if (!written || File.fail()) {
    why = FinalPath + ": the file could not be written completely (is the disk full?)";
    Discard();
    return false;
  }
  if (TemporaryPath.empty()) return true;
  const int descriptor = open(TemporaryPath.c_str(), O_RDONLY);
  const bool synced = descriptor >= 0 && fsync(descriptor) == 0;
  const int syncError = errno;
  if (descriptor >= 0) close(descriptor);
  if (!synced) {
    why = Reason(FinalPath, syncError);
    Discard();
    return false;
  }
  if (std::rename(TemporaryPath.c_str(), FinalPath.c_str()) != 0) {
    why = Reason(FinalPath, errno);
    Discard();
    return false;
  }
  Committed = true;
  TemporaryPath.clear();
  return true;
}
