// IGRF-14 Gauss coefficients, Schmidt semi-normalised, nT. The definition is
// generated at build time from data/igrf14coeffs.txt by tools/igrf_gen.
#pragma once

namespace magfield::detail {

inline constexpr int igrf_first_epoch = 1965;   // first tabulated model
inline constexpr int igrf_epoch_step = 5;       // years between models
inline constexpr int igrf_epoch_count = 13;     // 1965, 1970, ..., 2025
inline constexpr int igrf_table_slots = 105;    // degree 0..13, index n(n+1)/2 + m
inline constexpr int igrf_sv_slots = 45;        // secular variation, degree 0..8
inline constexpr int igrf_sv_max_degree = 8;
inline constexpr int igrf_old_max_degree = 10;  // models before 2000 stop at degree 10

struct igrf_table_set {
  float g[igrf_epoch_count][igrf_table_slots];
  float h[igrf_epoch_count][igrf_table_slots];  // zero for m = 0
  float dg[igrf_sv_slots];                      // nT per year after the last epoch
  float dh[igrf_sv_slots];
};

extern const igrf_table_set igrf14;

}  // namespace magfield::detail
