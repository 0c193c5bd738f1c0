// History of the 3-hourly planetary geomagnetic index Kp: the reader of the
// Kp file and an index that finds the entry of a date and hour.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace kp {

// Entries the table holds; a longer file is refused rather than truncated.
inline constexpr int capacity = 80000;
// The Kp file, opened in the working directory.
inline constexpr const char* file_name = "Kp_2000-10-01_2025-08-31_D.dat";
// Header lines before the data (lines that are empty or all blank do not count).
inline constexpr int header_lines = 37;

// Columns 1-13 of a data line: "YYYY-MM-DD" + any separator + two hour digits.
using datim_text = std::array<char, 13>;

// Code of a two-character Kp notation, 1 ("0o") to 28 ("9o"), 0 when the
// text is none of the 28 notations (exact, letter case included).
int kp_code(char c1, char c2);

// Loads the Kp file into datim and ikp (resized to `capacity`, entries 1..nrec
// valid, stored from index 0) and prints "records read: " nrec. A data line
// whose notation matches none keeps code 0. Ends the process with a non-zero
// status when the file ends inside its header or holds more than `capacity`
// data lines; a data line that cannot be read ends the table there.
void read_kp_data(std::vector<datim_text>& datim, std::vector<int>& ikp, int& nrec);

// Finds, for a date and hour, exactly the entry that a scan of the table from
// its first entry would find: the first entry in table order whose columns
// 1-10 are the date written "YYYY-MM-DD" and whose hour (columns 12-13) is
// within one of the hour.
class kp_index {
 public:
  // Indexes entries 0..nrec-1. Ends the process with a non-zero status when
  // an entry with a well-formed date has hour columns that do not hold an
  // integer: the lookup would fail on it hours into a run.
  void build(const std::vector<datim_text>& datim, const std::vector<int>& ikp, int nrec);

  // True and the entry's code when an entry matches; false, code untouched,
  // otherwise.
  bool find(int iyear, int imon, int iday, int ih, int& code) const;

 private:
  struct entry {
    std::int32_t date;  // yyyymmdd
    std::int32_t order; // position in the table
    std::int32_t hour;
    std::int32_t code;
  };
  std::vector<entry> entries_;  // sorted by date, then table order
};

}  // namespace kp
