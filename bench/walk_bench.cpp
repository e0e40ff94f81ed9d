// The whole grid walk into a stream that keeps nothing: the cube-by-cube walk
// against the fast walk on one thread and on all threads.
#include <benchmark/benchmark.h>

#include <string>

#include "bench_molecules.h"
#include "surface/fast_walk.h"
#include "surface/surface.h"

namespace {

template <class Walk>
void TimeWalk(benchmark::State& state, const char* name, int scale, const Walk& walk) {
  std::string why;
  const auto molecule = BenchMolecule(name, scale, 1, why);
  GridBox box;
  if (!molecule || !ComputeGridBox(*molecule, scale, box, &why)) {
    state.SkipWithError(why.c_str());
    return;
  }
  long long triangles = 0;
  for (auto _ : state) {
    CountingBuffer counter;
    std::ostream out(&counter);
    MeshWriter mesh(out);
    walk(*molecule, box, mesh);
    triangles = mesh.Triangles;
  }
  state.counters["triangles"] = static_cast<double>(triangles);
}

void LiteralWalk(benchmark::State& state, const char* name) {
  TimeWalk(state, name, static_cast<int>(state.range(0)), [](const Molecule& m, const GridBox& box, MeshWriter& mesh) {
    WalkGridOf(m, box, 0.05f, 3, ProgressFunction(), mesh);
  });
}

void FastWalk(benchmark::State& state, const char* name) {
  const int threads = static_cast<int>(state.range(1));
  TimeWalk(state, name, static_cast<int>(state.range(0)),
           [threads](const Molecule& m, const GridBox& box, MeshWriter& mesh) {
             WalkGridFast(m, box, 0.05f, 3, threads, ProgressFunction(), mesh);
           });
}

// Arguments: Scale, and for the fast walk the thread count (0: all).
BENCHMARK_CAPTURE(LiteralWalk, small, "small")->Arg(4)->Arg(8)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LiteralWalk, c60, "c60")->Arg(4)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FastWalk, small, "small")
    ->Args({4, 1})->Args({8, 1})->Args({8, AllThreads})->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(FastWalk, c60, "c60")
    ->Args({4, 1})->Args({4, AllThreads})->Args({8, 1})->Args({8, AllThreads})
    ->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
