// FastExp against the library exponential, and the orbital at a point: the
// record's own Orbital against the side-by-side sampler.
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <vector>

#include "bench_molecules.h"
#include "surface/orbital_sampler.h"

namespace {

std::vector<float> ExponentArguments() {
  std::mt19937 random(1);
  std::uniform_real_distribution<float> argument(-16.0f, 0.0f);
  std::vector<float> arguments(4096);
  for (float& a : arguments) a = argument(random);
  return arguments;
}

void FastExpAtMixedArguments(benchmark::State& state) {
  std::string why;
  const auto molecule = BenchMolecule("small", 1, 1, why);
  const std::vector<float> arguments = ExponentArguments();
  for (auto _ : state) {
    double sum = 0;
    for (float a : arguments) sum += molecule->FastExp(a);
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * static_cast<long long>(arguments.size()));
}
BENCHMARK(FastExpAtMixedArguments);

void LibraryExpAtMixedArguments(benchmark::State& state) {
  const std::vector<float> arguments = ExponentArguments();
  for (auto _ : state) {
    double sum = 0;
    for (float a : arguments) sum += std::exp(static_cast<double>(a));
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * static_cast<long long>(arguments.size()));
}
BENCHMARK(LibraryExpAtMixedArguments);

// Points in and around the cage of the synthetic C60 at Scale 4.
std::vector<float> CagePoints(int coordinate) {
  std::mt19937 random(2 + coordinate);
  std::uniform_real_distribution<float> position(-20.0f, 20.0f);
  std::vector<float> points(4096);
  for (float& p : points) p = position(random);
  return points;
}

void OrbitalAtAPoint(benchmark::State& state) {
  std::string why;
  const auto molecule = BenchMolecule("c60", 4, 1, why);
  const std::vector<float> x = CagePoints(0), y = CagePoints(1), z = CagePoints(2);
  for (auto _ : state) {
    float sum = 0;
    for (std::size_t i = 0; i < x.size(); ++i) sum += molecule->Orbital(x[i], y[i], z[i]);
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * static_cast<long long>(x.size()));
}
BENCHMARK(OrbitalAtAPoint);

void SamplerOnePointAtATime(benchmark::State& state) {
  std::string why;
  const auto molecule = BenchMolecule("c60", 4, 1, why);
  const OrbitalSampler sampler(*molecule);
  const std::vector<float> x = CagePoints(0), y = CagePoints(1), z = CagePoints(2);
  for (auto _ : state) {
    float sum = 0;
    for (std::size_t i = 0; i < x.size(); ++i) sum += sampler.Evaluate(x[i], y[i], z[i]);
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * static_cast<long long>(x.size()));
}
BENCHMARK(SamplerOnePointAtATime);

// A row of grid points along y, the way the walk samples a plane.
void SamplerAlongAGridRow(benchmark::State& state) {
  std::string why;
  const auto molecule = BenchMolecule("c60", 4, 1, why);
  const OrbitalSampler sampler(*molecule);
  std::vector<float> x(41, 3.0f), y(41), z(41, 2.0f), value(41);
  for (int j = 0; j < 41; ++j) y[j] = static_cast<float>(j - 20);
  for (auto _ : state) {
    sampler.Evaluate(x.data(), y.data(), z.data(), value.data(), value.size());
    benchmark::DoNotOptimize(value.data());
  }
  state.SetItemsProcessed(state.iterations() * static_cast<long long>(value.size()));
}
BENCHMARK(SamplerAlongAGridRow);

}  // namespace
