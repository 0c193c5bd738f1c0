// Speed of the formats on the grid builder's paths: the "4E13.5,i8" cell line
// and the E14.6 reads of a measurement record.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>

#include "fortio/fortio.h"

namespace {

void BM_cell_line(benchmark::State& state) {
  char buf[64];
  float v = -123.456f;
  for (auto _ : state) {
    char* p = buf;
    for (int c = 0; c < 4; ++c) p = fortio::write_e(p, v + static_cast<float>(c), 13, 5);
    p = fortio::write_i(p, 17, 8);
    *p = '\n';
    benchmark::DoNotOptimize(buf);
    v += 0.37f;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_cell_line);

void BM_record_reads(benchmark::State& state) {
  const std::string line =
      "2004-09-04T12:00:04.000Z  0.123456E+02 -0.500000E+01  0.314159E+02  0.637220E+05 -0.123456E+05"
      "  0.987654E+04 C1";
  for (auto _ : state) {
    float f[6];
    for (int k = 0; k < 6; ++k) fortio::read_f(line, 26 + 14 * k, 14, 6, f[k]);
    int t[6];
    fortio::read_i(line, 1, 4, t[0]);
    for (int k = 1; k < 6; ++k) fortio::read_i(line, 3 + 3 * k, 2, t[k]);
    benchmark::DoNotOptimize(f);
    benchmark::DoNotOptimize(t);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_record_reads);

}  // namespace

BENCHMARK_MAIN();
