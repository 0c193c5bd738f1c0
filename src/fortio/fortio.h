// Fixed-format text I/O shared by every library and program of the project:
// free-format screen lines, Fortran-style edit descriptors, fixed-column reads,
// and the two ways a program ends on a problem (fatal stop, read/write error).
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <type_traits>

namespace fortio {

// ---------------------------------------------------------------------------
// Free-format lines
//
// A line begins with one blank, then its items in order:
//  - a text item is written unchanged;
//  - an integer is written as its shortest decimal form ("-12");
//  - a real (float or double) is written as the shortest decimal form that
//    reads back to the same value, in plain notation when its decimal
//    exponent lies in -5..6 ("33.7", "0.001", "-280.46") and in exponent
//    notation otherwise ("1e+30", "1.5e-07"); a float keeps float digits.
// A number is separated from each neighbour by one blank, unless the
// neighbouring text already has a blank on that side (so "iyear= " 1899
// gives " iyear= 1899" and "only" 28 "days" gives " only 28 days").
// ---------------------------------------------------------------------------

namespace detail {
void append_integer(std::string& out, long long v);
void append_real(std::string& out, float v);
void append_real(std::string& out, double v);
void append_text(std::string& out, std::string_view s, bool& last_was_number);
void append_number_sep(std::string& out, bool& last_was_number);

template <class T>
void append_item(std::string& out, bool& last_was_number, const T& item) {
  using U = std::remove_cvref_t<T>;
  if constexpr (std::is_same_v<U, bool>) {
    static_assert(!std::is_same_v<U, bool>, "write bool as text");
  } else if constexpr (std::is_integral_v<U> && !std::is_same_v<U, char>) {
    append_number_sep(out, last_was_number);
    append_integer(out, static_cast<long long>(item));
  } else if constexpr (std::is_same_v<U, float> || std::is_same_v<U, double>) {
    append_number_sep(out, last_was_number);
    append_real(out, item);
  } else if constexpr (std::is_same_v<U, char>) {
    append_text(out, std::string_view(&item, 1), last_was_number);
  } else {
    append_text(out, std::string_view(item), last_was_number);
  }
}
}  // namespace detail

// The free-format line of the items, without the line feed.
template <class... Items>
std::string free_line(const Items&... items) {
  std::string out(1, ' ');
  bool last_was_number = false;
  (detail::append_item(out, last_was_number, items), ...);
  return out;
}

// Writes a free-format line and a line feed on standard output.
template <class... Items>
void print(const Items&... items) {
  const std::string line = free_line(items...) + '\n';
  std::fwrite(line.data(), 1, line.size(), stdout);
}

// Writes a line exactly as given (explicit layouts) and a line feed on
// standard output.
void put_line(std::string_view text);

// ---------------------------------------------------------------------------
// Edit descriptors. Each appends exactly w characters, right-justified, or w
// asterisks when the value does not fit. Reals are rounded correctly from
// their exact binary value (an exact tie goes to the even digit).
// The char* forms write into a caller's buffer of at least w bytes and
// return the end; they allocate nothing (hot paths use them).
// ---------------------------------------------------------------------------

char* write_i(char* p, long long v, int w);          // Iw
char* write_i(char* p, long long v, int w, int m);   // Iw.m: at least m digits
char* write_a(char* p, std::string_view s, int w);   // Aw: right-justified, or the first w characters
char* write_f(char* p, double v, int w, int d);      // Fw.d
char* write_e(char* p, double v, int w, int d);      // Ew.d: 0.ddddE+xx
char* write_1pe(char* p, double v, int w, int d);    // 1PEw.d: d.dddE+xx

void put_i(std::string& out, long long v, int w);
void put_i(std::string& out, long long v, int w, int m);
void put_a(std::string& out, std::string_view s, int w);
void put_f(std::string& out, double v, int w, int d);
void put_e(std::string& out, double v, int w, int d);
void put_1pe(std::string& out, double v, int w, int d);

// ---------------------------------------------------------------------------
// Fixed-column reads. Columns count from 1; a line shorter than the layout
// reads as if filled with blanks. Blanks inside a field are ignored and an
// all-blank field reads as 0. A real without a decimal point takes its last
// d digits as the fraction; an exponent is E or D followed by a signed
// integer, or a sign alone ("1.5+3"). Nothing throws: each read returns a
// status, 0 when the field was read.
// ---------------------------------------------------------------------------

enum read_status : int {
  read_ok = 0,
  read_end = -1,          // end of file: no line left
  read_bad_integer = 1,   // an integer field holds something else than a signed integer
  read_bad_real = 2,      // a real field holds something else than a number
  read_overflow = 3,      // an integer field does not fit in 32 bits
  read_io_error = 4,      // the system could not read the file
};

// Field of w characters starting at column col.
std::string_view field(std::string_view line, int col, int w);

int read_i(std::string_view line, int col, int w, int& value);               // Iw
int read_f(std::string_view line, int col, int w, int d, float& value);      // Fw.d / Ew.d
int read_f(std::string_view line, int col, int w, int d, double& value);

// Reads a text file line by line through a large buffer, without allocating
// per line. A final line without a line feed still counts; a carriage return
// before the line feed is kept (it is data to a fixed-column layout).
class line_reader {
 public:
  explicit line_reader(std::FILE* file, std::size_t buffer_size = 1 << 20);
  ~line_reader();
  line_reader(const line_reader&) = delete;
  line_reader& operator=(const line_reader&) = delete;

  // Next line (without its line feed) in `line`, valid until the next call.
  // Returns read_ok, read_end at the end of the file, or read_io_error.
  int next(std::string_view& line);

 private:
  std::FILE* file_;
  char* buf_;
  std::size_t cap_;
  std::size_t begin_ = 0, end_ = 0;
  bool eof_ = false;
};

// ---------------------------------------------------------------------------
// Ends of a program
// ---------------------------------------------------------------------------

// Fatal stop: flushes standard output, writes "STOP <text>" and a line feed
// on standard error, and ends the process with exit status 0.
[[noreturn]] void stop(std::string_view text);

// Read or write error that no check covers: flushes standard output, writes
// the message and a line feed on standard error, and ends the process with
// exit status 2.
[[noreturn]] void io_error(std::string_view message);

}  // namespace fortio
