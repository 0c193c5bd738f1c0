// Speed of the time-parameter set-up, which the grid builder runs once per
// measurement record: consecutive records a few seconds apart (the usual
// case), a new day at every call, and the two routines it rests on.
#include <benchmark/benchmark.h>

#include "vuraruro/time_param.h"

namespace {

// Records 4 s apart through one day, as in a spin-resolution file.
void BM_set_up_same_day(benchmark::State& state) {
  int t = 0;
  for (auto _ : state) {
    vuraruro::cp_time_param(2004, 9, 4, t / 3600, (t / 60) % 60, t % 60);
    benchmark::DoNotOptimize(vuraruro::timp11);
    t = (t + 4) % 86400;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_set_up_same_day);

// Every call on another day: the per-day dipole axis is recomputed each time.
void BM_set_up_new_day(benchmark::State& state) {
  int k = 0;
  for (auto _ : state) {
    vuraruro::cp_time_param(2001 + k % 20, 1 + k % 12, 1 + k % 28, k % 24, k % 60, k % 60);
    benchmark::DoNotOptimize(vuraruro::timp11);
    ++k;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_set_up_new_day);

void BM_sun_dir(benchmark::State& state) {
  int t = 0;
  for (auto _ : state) {
    float gst, slong, sra, sdec, obliq;
    vuraruro::cp_gei_sun_dir(2004, 248, t / 3600, (t / 60) % 60, t % 60, gst, slong, sra, sdec,
                             obliq);
    benchmark::DoNotOptimize(sra);
    benchmark::DoNotOptimize(sdec);
    t = (t + 4) % 86400;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_sun_dir);

void BM_dipole_dir(benchmark::State& state) {
  int k = 0;
  for (auto _ : state) {
    float d1, d2, d3;
    vuraruro::cp_geo_dipole_dir(1901 + k % 124, 1 + k % 365, d1, d2, d3);
    benchmark::DoNotOptimize(d3);
    ++k;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_dipole_dir);

// Set-up followed by the tilt getter, the grid builder's pair of calls.
void BM_set_up_and_tilt(benchmark::State& state) {
  int t = 0;
  for (auto _ : state) {
    vuraruro::ctimpar(2004, 9, 4, t / 3600, (t / 60) % 60, t % 60);
    float tilt;
    vuraruro::gdiptan(tilt);
    benchmark::DoNotOptimize(tilt);
    t = (t + 4) % 86400;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_set_up_and_tilt);

}  // namespace

BENCHMARK_MAIN();
