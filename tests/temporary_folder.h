// A test that works in a fresh temporary folder, removed afterwards.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

class TemporaryFolderTest : public testing::Test {
 protected:
  TemporaryFolderTest() {
    char pattern[] = "/tmp/dezoduvo-test-XXXXXX";
    Folder = mkdtemp(pattern);
  }
  ~TemporaryFolderTest() override { std::filesystem::remove_all(Folder); }

  static void Write(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }
  static std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }
  static bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
  }
  // Names in the folder, sorted.
  static std::vector<std::string> Entries(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
  }
  std::vector<std::string> FolderEntries() const { return Entries(Folder); }

  std::string Folder;
};
