// Speed of the geomagnetic field library on the grid builder's path: one
// recalc_08 and one igrf_gsw_08 per measurement.
#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <vector>

#include "magfield/magfield.h"

namespace {

// Measurements a few seconds apart: the date part is reused.
void recalc_08_same_day(benchmark::State& state) {
  int sec = 0;
  for (auto _ : state) {
    magfield::recalc_08(2015, 123, sec / 3600 % 24, sec / 60 % 60, sec % 60, -400.f, 0.f, 0.f);
    benchmark::DoNotOptimize(magfield::magfld1.psi);
    sec += 4;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(recalc_08_same_day);

// Every call on another day: coefficients interpolated and normalised each time.
void recalc_08_new_day(benchmark::State& state) {
  int n = 0;
  for (auto _ : state) {
    magfield::recalc_08(1965 + n % 66, 1 + n % 365, n % 24, 17, 3, -400.f, 0.f, 0.f);
    benchmark::DoNotOptimize(magfield::magfld1.psi);
    ++n;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(recalc_08_new_day);

// Field evaluations on a sphere of the given radius (Earth radii).
void igrf_gsw_08_at(benchmark::State& state) {
  const float r = float(state.range(0)) / 10.f;
  magfield::recalc_08(2015, 123, 10, 0, 0, -400.f, 0.f, 0.f);
  std::vector<std::array<float, 3>> points;
  for (int i = 0; i < 256; ++i) {
    const float z = -1.f + (2.f * float(i) + 1.f) / 256.f;  // spiral over the sphere
    const float phi = 2.39996323f * float(i);
    const float s = std::sqrt(1.f - z * z);
    points.push_back({r * s * std::cos(phi), r * s * std::sin(phi), r * z});
  }
  std::size_t i = 0;
  for (auto _ : state) {
    const auto& p = points[i++ & 255];
    float bx, by, bz;
    magfield::igrf_gsw_08(p[0], p[1], p[2], bx, by, bz);
    benchmark::DoNotOptimize(bx);
    benchmark::DoNotOptimize(by);
    benchmark::DoNotOptimize(bz);
  }
  state.SetItemsProcessed(state.iterations());
}
// Radius in tenths of an Earth radius: 1.5 (degree 13), 2 (10), 5 (7), 15 (4).
BENCHMARK(igrf_gsw_08_at)->Arg(15)->Arg(20)->Arg(50)->Arg(150);

}  // namespace

BENCHMARK_MAIN();
