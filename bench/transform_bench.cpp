// Throughput of the grid builder's per-record frame work: the GSE-to-GSM
// rotation alone, and one time set-up followed by two rotations (position and
// field), as done for every measurement.
#include <benchmark/benchmark.h>

#include <array>

#include "vuraruro/time_param.h"
#include "vuraruro/transform.h"

namespace {

struct vec {
  float x, y, z;
};

// A few positions (km) and fields (nT) so the loop is not one constant.
constexpr std::array<vec, 8> kInputs{{
    {61234.5f, -20456.25f, 3300.75f},
    {-12.5f, 4.25f, -30.125f},
    {45000.f, 10000.f, -25000.f},
    {3.5f, -2.25f, 7.125f},
    {-80000.f, 35000.f, 12000.f},
    {0.5f, 18.f, -6.75f},
    {9000.f, -9000.f, 9000.f},
    {-1.f, -1.f, 40.f},
}};

void BM_t_gse_to_gsm(benchmark::State& state) {
  vuraruro::cp_time_param(2005, 6, 21, 17, 0, 0);
  std::size_t i = 0;
  for (auto _ : state) {
    const vec& v = kInputs[i++ & 7];
    float x, y, z;
    vuraruro::t_gse_to_gsm(v.x, v.y, v.z, x, y, z);
    benchmark::DoNotOptimize(x);
    benchmark::DoNotOptimize(y);
    benchmark::DoNotOptimize(z);
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()));
  state.SetLabel("items = t_gse_to_gsm calls");
}
BENCHMARK(BM_t_gse_to_gsm);

// One record: set the instant, then turn position and field into GSM.
void BM_cp_time_param_then_two_gse_to_gsm(benchmark::State& state) {
  int second = 0;
  std::size_t i = 0;
  for (auto _ : state) {
    vuraruro::cp_time_param(2005, 6, 21, 17, 0, second);
    second = (second + 1) % 60;
    const vec& pos = kInputs[i++ & 7];
    const vec& mag = kInputs[i++ & 7];
    float px, py, pz, bx, by, bz;
    vuraruro::t_gse_to_gsm(pos.x, pos.y, pos.z, px, py, pz);
    vuraruro::t_gse_to_gsm(mag.x, mag.y, mag.z, bx, by, bz);
    benchmark::DoNotOptimize(px);
    benchmark::DoNotOptimize(py);
    benchmark::DoNotOptimize(pz);
    benchmark::DoNotOptimize(bx);
    benchmark::DoNotOptimize(by);
    benchmark::DoNotOptimize(bz);
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()));
  state.SetLabel("items = records (set-up + 2 rotations)");
}
BENCHMARK(BM_cp_time_param_then_two_gse_to_gsm);

}  // namespace

BENCHMARK_MAIN();
