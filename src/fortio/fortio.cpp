#include "fortio/fortio.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace fortio {

namespace {

// Decimal digits and exponent of a finite value: value = 0.d1d2...dn * 10^exp,
// rounded correctly to n significant digits (n >= 1). Returns false for
// non-finite values.
struct decimal {
  char digits[40];
  int ndigits;
  int exp;
  bool negative;
};

void to_decimal(double v, int n, decimal& out) {
  out.negative = std::signbit(v);
  const double a = std::fabs(v);
  char buf[64];
  out.ndigits = n;
  if (a == 0.0) {
    std::fill(out.digits, out.digits + n, '0');
    out.exp = 0;
    return;
  }
  auto r = std::to_chars(buf, buf + sizeof buf, a, std::chars_format::scientific, n - 1);
  // buf holds "d[.ddd]e[+-]xx"
  const char* p = buf;
  int k = 0;
  out.digits[k++] = *p++;
  if (*p == '.') {
    ++p;
    while (*p != 'e') out.digits[k++] = *p++;
  }
  ++p;  // 'e'
  int e = 0;
  std::from_chars(p[0] == '+' ? p + 1 : p, r.ptr, e);
  out.exp = e + 1;
}

char* fill_stars(char* p, int w) {
  std::memset(p, '*', static_cast<std::size_t>(std::max(w, 0)));
  return p + std::max(w, 0);
}

char* right_justify(char* p, const char* s, int n, int w) {
  if (n > w) return fill_stars(p, w);
  std::memset(p, ' ', static_cast<std::size_t>(w - n));
  std::memcpy(p + (w - n), s, static_cast<std::size_t>(n));
  return p + w;
}

// Infinity and NaN as the compilers' runtime writes them, right-justified.
char* write_nonfinite(char* p, double v, int w) {
  const char* s;
  if (std::isnan(v)) {
    s = "NaN";
  } else if (v < 0) {
    s = w >= 9 ? "-Infinity" : "-Inf";
  } else {
    s = w >= 8 ? "Infinity" : "Inf";
  }
  return right_justify(p, s, static_cast<int>(std::strlen(s)), w);
}

// Exponent part of the E forms: E+xx for |e| <= 99, +xxx for |e| <= 999.
int exponent_part(char* s, int e) {
  const char sign = e < 0 ? '-' : '+';
  const int a = std::abs(e);
  if (a <= 99) {
    s[0] = 'E';
    s[1] = sign;
    s[2] = static_cast<char>('0' + a / 10);
    s[3] = static_cast<char>('0' + a % 10);
    return 4;
  }
  if (a <= 999) {
    s[0] = sign;
    s[1] = static_cast<char>('0' + a / 100);
    s[2] = static_cast<char>('0' + a / 10 % 10);
    s[3] = static_cast<char>('0' + a % 10);
    return 4;
  }
  return -1;
}

}  // namespace

// ---------------------------------------------------------------------------
// Free format
// ---------------------------------------------------------------------------

namespace detail {

void append_integer(std::string& out, long long v) {
  char buf[24];
  auto r = std::to_chars(buf, buf + sizeof buf, v);
  out.append(buf, r.ptr);
}

namespace {
template <class T>
void append_real_impl(std::string& out, T v) {
  if (!std::isfinite(v)) {
    out += std::isnan(v) ? "NaN" : (v < 0 ? "-Infinity" : "Infinity");
    return;
  }
  char buf[64];
  auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific);
  std::string_view s(buf, static_cast<std::size_t>(r.ptr - buf));
  const std::size_t epos = s.find('e');
  const int e = std::atoi(std::string(s.substr(epos + 1)).c_str());
  std::string_view mant = s.substr(0, epos);
  const bool neg = !mant.empty() && mant[0] == '-';
  if (neg) mant.remove_prefix(1);
  if (e < -5 || e > 6) {
    if (neg) out += '-';
    out.append(mant);
    out += 'e';
    out += e < 0 ? '-' : '+';
    if (std::abs(e) < 10) out += '0';
    out += std::to_string(std::abs(e));
    return;
  }
  std::string digits;
  for (char c : mant)
    if (c != '.') digits += c;
  if (neg) out += '-';
  if (e < 0) {
    out += "0.";
    out.append(static_cast<std::size_t>(-e - 1), '0');
    out += digits;
  } else if (static_cast<int>(digits.size()) <= e + 1) {
    out += digits;
    out.append(static_cast<std::size_t>(e + 1 - static_cast<int>(digits.size())), '0');
  } else {
    out.append(digits, 0, static_cast<std::size_t>(e + 1));
    out += '.';
    out.append(digits, static_cast<std::size_t>(e + 1));
  }
}
}  // namespace

void append_real(std::string& out, float v) { append_real_impl(out, v); }
void append_real(std::string& out, double v) { append_real_impl(out, v); }

void append_number_sep(std::string& out, bool& last_was_number) {
  if (out.empty() || out.back() != ' ') out += ' ';
  last_was_number = true;
}

void append_text(std::string& out, std::string_view s, bool& last_was_number) {
  if (last_was_number && !s.empty() && s.front() != ' ') out += ' ';
  out.append(s);
  last_was_number = false;
}

}  // namespace detail

void put_line(std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::fputc('\n', stdout);
}

// ---------------------------------------------------------------------------
// Edit descriptors
// ---------------------------------------------------------------------------

char* write_i(char* p, long long v, int w) { return write_i(p, v, w, 1); }

char* write_i(char* p, long long v, int w, int m) {
  char buf[48];
  const bool neg = v < 0;
  unsigned long long a = neg ? 0ULL - static_cast<unsigned long long>(v) : static_cast<unsigned long long>(v);
  char* end = buf + sizeof buf;
  char* s = end;
  while (a != 0) {
    *--s = static_cast<char>('0' + a % 10);
    a /= 10;
  }
  if (m > 40) m = 40;
  while (end - s < m) *--s = '0';
  if (neg) *--s = '-';
  return right_justify(p, s, static_cast<int>(end - s), w);
}

char* write_a(char* p, std::string_view s, int w) {
  if (static_cast<int>(s.size()) >= w) {
    std::memcpy(p, s.data(), static_cast<std::size_t>(w));
    return p + w;
  }
  return right_justify(p, s.data(), static_cast<int>(s.size()), w);
}

char* write_f(char* p, double v, int w, int d) {
  if (!std::isfinite(v)) return write_nonfinite(p, v, w);
  char buf[400];
  auto r = std::to_chars(buf + 1, buf + sizeof buf, std::fabs(v), std::chars_format::fixed, d);
  if (r.ec != std::errc()) return fill_stars(p, w);
  char* s = buf + 1;
  int n = static_cast<int>(r.ptr - s);
  const bool neg = std::signbit(v);
  // The zero before the decimal point is optional when the field is tight.
  if (n + (neg ? 1 : 0) > w && s[0] == '0' && n > 1 && s[1] == '.') {
    ++s;
    --n;
  }
  if (neg) {
    *--s = '-';
    ++n;
  }
  return right_justify(p, s, n, w);
}

char* write_e(char* p, double v, int w, int d) {
  if (!std::isfinite(v)) return write_nonfinite(p, v, w);
  if (d < 1 || d > 36) return fill_stars(p, w);
  decimal dec;
  to_decimal(v, d, dec);
  char buf[64];
  char* s = buf + 2;
  int n = 0;
  s[n++] = '.';
  std::memcpy(s + n, dec.digits, static_cast<std::size_t>(d));
  n += d;
  const int ne = exponent_part(s + n, dec.exp);
  if (ne < 0) return fill_stars(p, w);
  n += ne;
  const int sign = dec.negative ? 1 : 0;
  if (n + sign + 1 <= w) {  // room for the optional leading zero
    *--s = '0';
    ++n;
  }
  if (dec.negative) {
    *--s = '-';
    ++n;
  }
  return right_justify(p, s, n, w);
}

char* write_1pe(char* p, double v, int w, int d) {
  if (!std::isfinite(v)) return write_nonfinite(p, v, w);
  if (d < 0 || d > 36) return fill_stars(p, w);
  decimal dec;
  to_decimal(v, d + 1, dec);
  char buf[64];
  char* s = buf + 1;
  int n = 0;
  s[n++] = dec.digits[0];
  s[n++] = '.';
  std::memcpy(s + n, dec.digits + 1, static_cast<std::size_t>(d));
  n += d;
  const int ne = exponent_part(s + n, v == 0.0 ? 0 : dec.exp - 1);
  if (ne < 0) return fill_stars(p, w);
  n += ne;
  if (dec.negative) {
    *--s = '-';
    ++n;
  }
  return right_justify(p, s, n, w);
}

namespace {
template <class F>
void put_with(std::string& out, int w, F write) {
  const std::size_t at = out.size();
  out.resize(at + static_cast<std::size_t>(std::max(w, 0)));
  write(out.data() + at);
}
}  // namespace

void put_i(std::string& out, long long v, int w) {
  put_with(out, w, [&](char* p) { write_i(p, v, w); });
}
void put_i(std::string& out, long long v, int w, int m) {
  put_with(out, w, [&](char* p) { write_i(p, v, w, m); });
}
void put_a(std::string& out, std::string_view s, int w) {
  put_with(out, w, [&](char* p) { write_a(p, s, w); });
}
void put_f(std::string& out, double v, int w, int d) {
  put_with(out, w, [&](char* p) { write_f(p, v, w, d); });
}
void put_e(std::string& out, double v, int w, int d) {
  put_with(out, w, [&](char* p) { write_e(p, v, w, d); });
}
void put_1pe(std::string& out, double v, int w, int d) {
  put_with(out, w, [&](char* p) { write_1pe(p, v, w, d); });
}

// ---------------------------------------------------------------------------
// Fixed-column reads
// ---------------------------------------------------------------------------

std::string_view field(std::string_view line, int col, int w) {
  const std::size_t begin = static_cast<std::size_t>(col - 1);
  if (col < 1 || w <= 0 || begin >= line.size()) return {};
  return line.substr(begin, static_cast<std::size_t>(w));
}

int read_i(std::string_view line, int col, int w, int& value) {
  const std::string_view f = field(line, col, w);
  bool neg = false, seen_sign = false, seen_digit = false;
  long long v = 0;
  for (char c : f) {
    if (c == ' ') continue;
    if ((c == '+' || c == '-') && !seen_sign && !seen_digit) {
      seen_sign = true;
      neg = c == '-';
    } else if (c >= '0' && c <= '9') {
      seen_digit = true;
      v = v * 10 + (c - '0');
      if (v > 2147483648LL) return read_overflow;
    } else {
      return read_bad_integer;
    }
  }
  if (seen_sign && !seen_digit) return read_bad_integer;
  if (neg) v = -v;
  if (v > 2147483647LL) return read_overflow;
  value = static_cast<int>(v);
  return read_ok;
}

namespace {
// Builds "[-]digits[.digits]e<exp>" from a Fortran real field (blanks
// ignored, implied decimal point) for from_chars. Returns the length, 0 for
// an all-blank field, or -1 when the field is not a number.
int normalise_real(std::string_view f, int d, char* out, int cap) {
  int n = 0;
  int i = 0;
  const int len = static_cast<int>(f.size());
  auto skip = [&] {
    while (i < len && f[i] == ' ') ++i;
  };
  skip();
  if (i == len) return 0;
  bool neg = false;
  if (f[i] == '+' || f[i] == '-') {
    neg = f[i] == '-';
    ++i;
  }
  if (neg) out[n++] = '-';
  const int mant_start = n;
  int ndig = 0;
  int frac_digits = -1;  // digits after the point; -1 when there is no point
  for (; i < len; ++i) {
    const char c = f[i];
    if (c == ' ') continue;
    if (c >= '0' && c <= '9') {
      if (n >= cap - 16) return -1;
      out[n++] = c;
      ++ndig;
      if (frac_digits >= 0) ++frac_digits;
    } else if (c == '.' && frac_digits < 0) {
      frac_digits = 0;
    } else {
      break;
    }
  }
  if (ndig == 0) return -1;
  long long e = 0;
  if (i < len) {
    char c = f[i];
    if (c == 'E' || c == 'e' || c == 'D' || c == 'd' || c == 'Q' || c == 'q') {
      ++i;
      skip();
      if (i == len) return -1;  // a letter with no power
      c = f[i];
    }
    bool eneg = false;
    if (c == '+' || c == '-') {
      eneg = c == '-';
      ++i;
    } else if (!(c >= '0' && c <= '9')) {
      return -1;
    }
    int edig = 0;
    for (; i < len; ++i) {
      const char ch = f[i];
      if (ch == ' ') continue;
      if (ch < '0' || ch > '9') return -1;
      if (e < 100000) e = e * 10 + (ch - '0');
      ++edig;
    }
    if (edig == 0) return -1;
    if (eneg) e = -e;
  }
  // Without a point the last d digits are the fraction.
  e -= frac_digits >= 0 ? frac_digits : d;
  (void)mant_start;
  out[n++] = 'e';
  auto r = std::to_chars(out + n, out + cap, e);
  return static_cast<int>(r.ptr - out);
}

template <class T>
int read_real(std::string_view line, int col, int w, int d, T& value) {
  const std::string_view f = field(line, col, w);
  char buf[160];
  const int n = normalise_real(f, d, buf, static_cast<int>(sizeof buf));
  if (n < 0) return read_bad_real;
  if (n == 0) {
    value = T(0);
    return read_ok;
  }
  T v{};
  auto r = std::from_chars(buf, buf + n, v, std::chars_format::scientific);
  if (r.ec == std::errc::result_out_of_range) {
    // Too small rounds to zero; too large is an error, as in the runtime.
    double dv = 0;
    std::from_chars(buf, buf + n, dv, std::chars_format::scientific);
    if (std::fabs(dv) < 1.0) {
      value = buf[0] == '-' ? -T(0) : T(0);
      return read_ok;
    }
    return read_bad_real;
  }
  if (r.ec != std::errc() || r.ptr != buf + n) return read_bad_real;
  value = v;
  return read_ok;
}
}  // namespace

int read_f(std::string_view line, int col, int w, int d, float& value) {
  return read_real(line, col, w, d, value);
}
int read_f(std::string_view line, int col, int w, int d, double& value) {
  return read_real(line, col, w, d, value);
}

line_reader::line_reader(std::FILE* file, std::size_t buffer_size)
    : file_(file), buf_(static_cast<char*>(std::malloc(buffer_size))), cap_(buffer_size) {
  if (!buf_) io_error("out of memory for a line buffer");
}

line_reader::~line_reader() { std::free(buf_); }

int line_reader::next(std::string_view& line) {
  for (;;) {
    if (begin_ < end_) {
      const void* nl = std::memchr(buf_ + begin_, '\n', end_ - begin_);
      if (nl) {
        const std::size_t pos = static_cast<std::size_t>(static_cast<const char*>(nl) - buf_);
        line = std::string_view(buf_ + begin_, pos - begin_);
        begin_ = pos + 1;
        return read_ok;
      }
    }
    if (eof_) {
      if (begin_ < end_) {
        line = std::string_view(buf_ + begin_, end_ - begin_);
        begin_ = end_;
        return read_ok;
      }
      return read_end;
    }
    // Keep the partial line, make room, and read more.
    const std::size_t rest = end_ - begin_;
    if (begin_ > 0) {
      std::memmove(buf_, buf_ + begin_, rest);
      begin_ = 0;
      end_ = rest;
    }
    if (end_ == cap_) {
      char* bigger = static_cast<char*>(std::realloc(buf_, cap_ * 2));
      if (!bigger) io_error("out of memory for a line buffer");
      buf_ = bigger;
      cap_ *= 2;
    }
    const std::size_t got = std::fread(buf_ + end_, 1, cap_ - end_, file_);
    end_ += got;
    if (got == 0) {
      if (std::ferror(file_)) return read_io_error;
      eof_ = true;
    }
  }
}

// ---------------------------------------------------------------------------
// Ends of a program
// ---------------------------------------------------------------------------

void stop(std::string_view text) {
  std::fflush(stdout);
  std::fprintf(stderr, "STOP %.*s\n", static_cast<int>(text.size()), text.data());
  std::fflush(stderr);
  std::exit(0);
}

void io_error(std::string_view message) {
  std::fflush(stdout);
  std::fprintf(stderr, "%.*s\n", static_cast<int>(message.size()), message.data());
  std::fflush(stderr);
  std::exit(2);
}

}  // namespace fortio
