// Output stage: one text file per tilt class and Kp class, with the mean field
// of every cell of the cube.
#pragma once

#include <string>

#include "voxfill/run_state.h"

namespace voxfill {

// Characters of a cell line "(4E13.5,i8)" with its line feed.
inline constexpr std::size_t cell_line_bytes = 61;
// Characters of the header line "(i8,1x,i8,1x,i8,1x,i1)" with its line feed.
inline constexpr std::size_t header_line_bytes = 29;
// Value written for every component of a cell without samples.
inline constexpr float empty_value = 1.0e30f;

// Directory of the run's grid files: grid_B or grid_B_Kp, with _mIGRF when
// the IGRF field was subtracted.
std::string grid_dir_name(bool kp_on, bool sigrf);

// Tilt tag of tilt class 1..9: m40 ... m10, p00, p10 ... p40.
std::string tilt_tag(int idta);

// Kp tag: AKp without Kp classes, else Kp1 .. Kp5.
std::string kp_tag(bool kp_on, int kp4);

// Grid file name relative to the working directory, e.g.
// grid_B/grid_Bxyz_160160160_m40_AKp.dat.
std::string grid_file_name(const std::string& dir, const geometry& g, int idta, int kp4, bool kp_on);

// The header line of a grid file, with its line feed.
std::string header_line(const geometry& g);

// The line of a cell without samples, with its line feed.
std::string empty_cell_line();

// Formats the line of a cell (four sums and the count n > 0) into p, which
// must hold cell_line_bytes characters; returns the end.
char* format_cell_line(char* p, const float* sums, std::int32_t n);

// Writes the grid of one tilt class and Kp class to `path`, replacing any
// file of that name whole: the lines go to a temporary file of the same
// directory that is renamed over it once complete. A failed write or close
// ends the run with an error naming the file.
void write_grid_file(const run_state& st, int idta, int kp4, const std::string& path);

// The whole stage: messages, directory, and every grid file in the order tilt
// class (outer), Kp class (inner). Writes nothing when no record reached the
// tilt-class step.
void write_grids(const run_state& st);

}  // namespace voxfill
