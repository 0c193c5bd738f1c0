// Run driver of the grid builder: operator dialogue, geometry, grids, Kp
// table, file stage, totals, output stage, termination.
#pragma once

#include <cstdio>
#include <string_view>

#include "voxfill/run_state.h"

namespace voxfill {

// Termination text of a complete run.
inline constexpr std::string_view normal_termination = "voxfill.exe  : NORMAL TERMINATION";

// First three characters of an answer line, blank-filled.
std::array<char, 3> answer_text(std::string_view line);

// An option is on when its answer starts with "Yes" exactly.
bool answer_is_yes(const std::array<char, 3>& text);

// Geometry of the cube: with Kp classes 120 cells of 0.3 Earth radii per axis
// over +-18, otherwise 160 cells of 0.25 over +-20.
geometry make_geometry(bool kp_on);

// Stops the run ("***incoherence! aborted!!") when the cells of an axis do not
// span the cube exactly.
void check_coherence(const geometry& g);

// Reserves both grids of the geometry, zeroed; ends the run with
// "Error allocating <n> bytes" when the memory is not there.
void allocate_grids(run_state& st);

// The whole run, reading the operator's answers and file names from `in`.
// Never returns: the run ends with its termination stop or an error.
[[noreturn]] void run(std::FILE* in);

}  // namespace voxfill
