#include "kp/kp.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "fortio/fortio.h"

namespace kp {

namespace {

// The notations in code order: n- = n - 1/3, no = n, n+ = n + 1/3.
constexpr char kppos[28][3] = {"0o", "0+", "1-", "1o", "1+", "2-", "2o", "2+", "3-", "3o",
                               "3+", "4-", "4o", "4+", "5-", "5o", "5+", "6-", "6o", "6+",
                               "7-", "7o", "7+", "8-", "8o", "8+", "9-", "9o"};

bool blank_line(std::string_view line) {
  return line.find_first_not_of(" \t\r") == std::string_view::npos;
}

// Opens for reading; a missing file is created empty first, as every data
// file of the system is opened.
std::FILE* open_creating(const char* name) {
  int fd = ::open(name, O_RDWR | O_CREAT, 0644);
  if (fd < 0) fd = ::open(name, O_RDONLY);
  if (fd < 0) return nullptr;
  std::FILE* f = ::fdopen(fd, "r");
  if (!f) ::close(fd);
  return f;
}

}  // namespace

int kp_code(char c1, char c2) {
  for (int i = 0; i < 28; ++i)
    if (kppos[i][0] == c1 && kppos[i][1] == c2) return i + 1;
  return 0;
}

void read_kp_data(std::vector<datim_text>& datim, std::vector<int>& ikp, int& nrec) {
  datim.assign(capacity, [] { datim_text t; t.fill(' '); return t; }());
  ikp.assign(capacity, 0);
  nrec = 0;

  const std::string name = file_name;
  std::FILE* f = open_creating(file_name);
  if (!f) fortio::io_error("Kp file " + name + ": cannot be opened");
  fortio::line_reader reader(f);
  std::string_view line;

  for (int skipped = 0; skipped < header_lines;) {
    const int status = reader.next(line);
    if (status == fortio::read_end)
      fortio::io_error("Kp file " + name + ": end of file within its " + std::to_string(header_lines) +
                       " header lines");
    if (status != fortio::read_ok) fortio::io_error("Kp file " + name + ": read error in its header");
    if (!blank_line(line)) ++skipped;
  }

  for (int i = 1;; ++i) {
    const int status = reader.next(line);
    if (status == fortio::read_end) break;
    if (status != fortio::read_ok) {
      fortio::print("iosta=", status);
      fortio::print("record #", i, " cannot be read");
      break;
    }
    if (i > capacity)
      fortio::io_error("Kp file " + name + ": more than " + std::to_string(capacity) +
                       " data lines; the table would lose the later ones");
    datim_text& d = datim[static_cast<std::size_t>(i - 1)];
    const std::string_view text = fortio::field(line, 1, 13);
    std::copy(text.begin(), text.end(), d.begin());
    const std::string_view k = fortio::field(line, 29, 2);
    const int code = kp_code(k.size() > 0 ? k[0] : ' ', k.size() > 1 ? k[1] : ' ');
    if (code != 0) ikp[static_cast<std::size_t>(i - 1)] = code;
    nrec = i;
  }
  std::fclose(f);
  fortio::print("records read: ", nrec);
}

namespace {
// yyyymmdd of a text "dddd-dd-dd", or -1 when the text is not of that form
// (such an entry can never equal a date written from integers).
int date_key(const datim_text& t) {
  int v = 0;
  for (int i = 0; i < 10; ++i) {
    const char c = t[static_cast<std::size_t>(i)];
    if (i == 4 || i == 7) {
      if (c != '-') return -1;
    } else {
      if (c < '0' || c > '9') return -1;
      v = v * 10 + (c - '0');
    }
  }
  return v;
}
}  // namespace

void kp_index::build(const std::vector<datim_text>& datim, const std::vector<int>& ikp, int nrec) {
  entries_.clear();
  entries_.reserve(static_cast<std::size_t>(std::max(nrec, 0)));
  for (int k = 0; k < nrec; ++k) {
    const datim_text& t = datim[static_cast<std::size_t>(k)];
    const int key = date_key(t);
    if (key < 0) continue;
    int hour = 0;
    if (fortio::read_i(std::string_view(t.data(), t.size()), 12, 2, hour) != fortio::read_ok)
      fortio::io_error("Kp file " + std::string(file_name) + ": entry " + std::to_string(k + 1) + " \"" +
                       std::string(t.data(), t.size()) + "\": the hour in columns 12-13 is not an integer");
    entries_.push_back({key, k, hour, ikp[static_cast<std::size_t>(k)]});
  }
  std::stable_sort(entries_.begin(), entries_.end(),
                   [](const entry& a, const entry& b) { return a.date < b.date; });
}

bool kp_index::find(int iyear, int imon, int iday, int ih, int& code) const {
  // A date that "(i4,'-',i2.2,'-',i2.2)" cannot write as digits matches nothing.
  if (iyear < 0 || iyear > 9999 || imon < 0 || imon > 99 || iday < 0 || iday > 99) return false;
  const int key = iyear * 10000 + imon * 100 + iday;
  auto it = std::lower_bound(entries_.begin(), entries_.end(), key,
                             [](const entry& e, int k) { return e.date < k; });
  for (; it != entries_.end() && it->date == key; ++it) {
    if (it->hour - 1 == ih || it->hour == ih || it->hour + 1 == ih) {
      code = it->code;
      return true;
    }
  }
  return false;
}

}  // namespace kp
