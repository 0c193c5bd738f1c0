// State of one grid-builder run: options, grid geometry, the two grids, the Kp
// table and the counters. The run driver owns it from start to end and hands it
// by reference to the file stage, record processing and the output stage.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

#include "kp/kp.h"

namespace voxfill {

// Number of dipole-tilt classes (10 degrees each, -40 to +40).
inline constexpr int nb_tilt_classes = 9;
// Number of real values per cell line: Bx, By, Bz, |B|.
inline constexpr int nb_components = 4;

// Cube centred on the Earth, edges along the GSM axes; lengths in Earth radii.
struct geometry {
  int idimkp = 1;  // number of Kp classes
  float x1 = 0.0f, x2 = 0.0f, y1 = 0.0f, y2 = 0.0f, z1 = 0.0f, z2 = 0.0f;  // cube bounds
  float dx = 0.0f, dy = 0.0f, dz = 0.0f;                                  // cell edges
  int nx = 0, ny = 0, nz = 0;                                             // cells per axis

  std::size_t cells_per_class() const {
    return static_cast<std::size_t>(nx) * static_cast<std::size_t>(ny) * static_cast<std::size_t>(nz);
  }
  std::size_t total_cells() const {
    return cells_per_class() * nb_tilt_classes * static_cast<std::size_t>(idimkp);
  }
  // Offset of cell (igx, igy, igz, idta, kp4), all counted from 1, in nvalb;
  // x varies fastest, then y, z, tilt class, Kp class.
  std::size_t cell(int igx, int igy, int igz, int idta, int kp4) const {
    const std::size_t cls = static_cast<std::size_t>(kp4 - 1) * nb_tilt_classes + static_cast<std::size_t>(idta - 1);
    return ((cls * static_cast<std::size_t>(nz) + static_cast<std::size_t>(igz - 1)) * static_cast<std::size_t>(ny) +
            static_cast<std::size_t>(igy - 1)) * static_cast<std::size_t>(nx) +
           static_cast<std::size_t>(igx - 1);
  }
};

// UT instant of a record, integers as decoded from its time columns.
struct record_time {
  int iyear = 0, imon = 0, iday = 0, ih = 0, im = 0, is = 0;
  friend bool operator==(const record_time&, const record_time&) = default;
};

// What the last record left in the two libraries' frame states. A record of
// the same instant reuses them instead of repeating the set-up: the set-ups
// are pure functions of the instant, so the state is bit-identical. Only
// instants whose set-up prints nothing are reused (a warning must repeat).
// Valid because nothing else sets those libraries during a run.
struct setup_memo {
  bool frame_valid = false;  // coordinate library set for frame_time
  record_time frame_time;
  bool field_valid = false;  // field library set for field_time
  record_time field_time;
  bool doy_valid = false;    // day of year of the date of doy_time
  record_time doy_time;
  int idoty = 0;
};

// Reserves `count` elements of `size` bytes, zeroed; ends the run with
// "Error allocating <n> bytes" (non-zero status) when the memory is not there.
void* allocate_zeroed(std::size_t count, std::size_t size);

struct free_deleter {
  void operator()(void* p) const { std::free(p); }
};

struct run_state {
  // Options: the first three characters of each answer, blank-filled; an
  // option is on when they read "Yes" exactly.
  std::array<char, 3> kp_on_text{' ', ' ', ' '};
  std::array<char, 3> sigrf_text{' ', ' ', ' '};
  bool kp_on = false;
  bool sigrf = false;

  geometry geo;

  // gridb: 4 sums (Bx, By, Bz, |B|; GSM, nT) per cell, component fastest, then
  // the cell order of geometry::cell. nvalb: samples per cell.
  std::unique_ptr<float[], free_deleter> gridb;
  std::unique_ptr<std::int32_t[], free_deleter> nvalb;
  // One flag per chunk of 2^chunk_shift cells of nvalb: set when a record is
  // binned into the chunk. The output stage reads only flagged chunks, so the
  // untouched part of the reservation is never read (nor faulted in).
  static constexpr int chunk_shift = 10;
  std::vector<std::uint8_t> binned_chunks;
  void mark_binned(std::size_t c) { binned_chunks[c >> chunk_shift] = 1; }

  // Kp table (filled only with the Kp option) and its lookup index.
  std::vector<kp::datim_text> datim;
  std::vector<int> ikp;
  int nrec = 0;
  kp::kp_index kp_idx;

  // Counters. The run-wide record counts are 64-bit: a long campaign passes
  // 2^31 records.
  int nf = 0;                 // measurement files opened
  std::int64_t nt = 0;        // records counted in the current file
  std::int64_t ntot = 0;      // records counted in the run
  std::int64_t nerrr = 0;     // records that could not be read
  std::int64_t nerrd = 0;     // records with a tilt class outside 1..9
  std::int64_t nblorej = 0;   // records rejected by the tilt-consistency check
  // Records handed to record processing so far in the run (read without error,
  // time and date accepted); shown after nblorej on the rejection line so the
  // operator sees the rejected share.
  std::int64_t nbvec = 0;

  setup_memo memo;

  int kp = 0;     // Kp code of the last record that found a table entry
  int nbdta = 0;  // 9 once a record reached the tilt-class step, else 0
};

}  // namespace voxfill
