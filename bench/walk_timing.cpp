// One timed grid walk, or the sampling floor, in a process of its own:
//   dezoduvo_walk_timing MOLECULE SCALE MODE [THREADS] [ORBITAL]
// MODE is literal, fast or floor. Prints seconds, triangles, bytes written and
// the process's peak resident memory in KiB on one line.
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench_molecules.h"
#include "surface/fast_walk.h"
#include "surface/orbital_sampler.h"
#include "surface/surface.h"

namespace {

// Orbital once at every grid point of the box, row by row, on one thread.
double SampleEveryGridPoint(const Molecule& molecule, const GridBox& box) {
  const OrbitalSampler sampler(molecule);
  const int rowLength = box.HiY - box.LoY + 1;
  std::vector<float> x(rowLength), y(rowLength), z(rowLength), value(rowLength);
  for (int j = 0; j < rowLength; ++j) y[j] = static_cast<float>(box.LoY + j);
  double checksum = 0;
  for (int k = box.LoZ; k <= box.HiZ; ++k) {
    for (int i = box.LoX; i <= box.HiX; ++i) {
      x.assign(rowLength, static_cast<float>(i));
      z.assign(rowLength, static_cast<float>(k));
      sampler.Evaluate(x.data(), y.data(), z.data(), value.data(), value.size());
      checksum += value[rowLength / 2];
    }
  }
  return checksum;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: %s MOLECULE SCALE literal|fast|floor [THREADS] [ORBITAL]\n", argv[0]);
    return 2;
  }
  const std::string name = argv[1], mode = argv[3];
  const int scale = std::atoi(argv[2]);
  const int threads = argc > 4 ? std::atoi(argv[4]) : AllThreads;
  const int orbital = argc > 5 ? std::atoi(argv[5]) : 1;
  std::string why;
  const auto molecule = BenchMolecule(name, scale, orbital, why);
  GridBox box;
  if (!molecule || !ComputeGridBox(*molecule, scale, box, &why)) {
    std::fprintf(stderr, "%s: %s\n", name.c_str(), why.c_str());
    return 1;
  }
  CountingBuffer counter;
  std::ostream out(&counter);
  MeshWriter mesh(out);
  const auto start = std::chrono::steady_clock::now();
  if (mode == "literal") {
    WalkGridOf(*molecule, box, 0.05f, 3, ProgressFunction(), mesh);
  } else if (mode == "fast") {
    WalkGridFast(*molecule, box, 0.05f, 3, threads, ProgressFunction(), mesh);
  } else if (mode == "floor") {
    volatile double checksum = SampleEveryGridPoint(*molecule, box);
    (void)checksum;
  } else {
    std::fprintf(stderr, "unknown mode %s\n", mode.c_str());
    return 2;
  }
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  std::printf("%.4f %lld %lld %ld\n", seconds, mesh.Triangles, counter.Count, usage.ru_maxrss);
  return 0;
}
