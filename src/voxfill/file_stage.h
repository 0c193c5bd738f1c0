// File stage: reads measurement file names from the operator's input, opens
// each file and hands every readable record to record processing.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

#include "voxfill/run_state.h"

namespace voxfill {

// Longest file name taken from a name line, characters.
inline constexpr std::size_t name_length = 255;

// The measurement file refused whenever the IGRF field is subtracted: its
// field is known to disagree with the model.
inline constexpr std::string_view excluded_file = "FGMPOS_asc_database/2004/2004_09/C1_FGM_SPIN_20040904.txt";

// Reads lines of the operator's input one at a time (an interactive operator
// must see each prompt answered line by line, so no read-ahead).
class input_lines {
 public:
  explicit input_lines(std::FILE* in) : in_(in) {}
  ~input_lines();
  input_lines(const input_lines&) = delete;
  input_lines& operator=(const input_lines&) = delete;

  // Next line without its line feed; false at the end of input or on a read
  // error.
  bool next(std::string& line);

 private:
  std::FILE* in_;
  char* buf_ = nullptr;
  std::size_t cap_ = 0;
};

// Reads one measurement record: the six reals (E14.6) of columns 26-109 and
// the time of columns 1-19. Returns 0, or the status of the first failure:
// a fortio read status, or a record_status for a date the time set-up would
// refuse. Field in nT, position in km, GSE.
int read_record(std::string_view line, record_time& t, float& bx, float& by, float& bz, float& px, float& py,
                float& pz);

// Processes every record of an open measurement file (the record loop and the
// per-file report), counting it as file number st.nf.
void read_measurement_file(run_state& st, std::FILE* file, const std::string& name);

// Runs the name loop until the operator's input ends.
void run_file_stage(run_state& st, input_lines& names);

}  // namespace voxfill
