#include "voxfill/file_stage.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>

#include "fortio/fortio.h"
#include "voxfill/record.h"

namespace voxfill {

namespace {

// Measurement files are read through a large buffer: they run to gigabytes.
constexpr std::size_t file_buffer_bytes = std::size_t{4} << 20;

const std::string dashes_72(72, '-');

std::string_view trim_trailing_blanks(std::string_view s) {
  const std::size_t end = s.find_last_not_of(' ');
  return end == std::string_view::npos ? std::string_view() : s.substr(0, end + 1);
}

// A name line whose first five characters are blank names no file (the line
// is blank-filled, so a shorter line counts its missing characters as blanks).
bool first_five_blank(std::string_view line) {
  for (std::size_t i = 0; i < 5 && i < line.size(); ++i) {
    if (line[i] != ' ') return false;
  }
  return true;
}

// Opens a measurement file for reading and writing when it allows it, for
// reading only otherwise; a name that names nothing creates an empty file.
// Directories are refused. Null when the file cannot be opened.
std::FILE* open_measurement_file(const std::string& name) {
  int fd = ::open(name.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
  if (fd < 0) fd = ::open(name.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return nullptr;
  struct stat sb;
  if (::fstat(fd, &sb) != 0 || S_ISDIR(sb.st_mode)) {
    ::close(fd);
    return nullptr;
  }
  std::FILE* f = ::fdopen(fd, "r");
  if (!f) ::close(fd);
  return f;
}

}  // namespace

input_lines::~input_lines() { std::free(buf_); }

bool input_lines::next(std::string& line) {
  const ssize_t n = ::getline(&buf_, &cap_, in_);
  if (n < 0) return false;
  std::size_t len = static_cast<std::size_t>(n);
  if (len > 0 && buf_[len - 1] == '\n') --len;
  line.assign(buf_, len);
  return true;
}

int read_record(std::string_view line, record_time& t, float& bx, float& by, float& bz, float& px, float& py,
                float& pz) {
  // Layout (a24,1x,6E14.6,1x,a2): the reals first, as the line is read from
  // left to right; the spacecraft tag of columns 111-112 is not used.
  float* const reals[] = {&bx, &by, &bz, &px, &py, &pz};
  for (int i = 0; i < 6; ++i) {
    const int st = fortio::read_f(line, 26 + 14 * i, 14, 6, *reals[i]);
    if (st != fortio::read_ok) return st;
  }
  const int st = decode_time(fortio::field(line, 1, 24), t);
  if (st != 0) return st;
  return check_date(t);
}

void read_measurement_file(run_state& st, std::FILE* file, const std::string& name) {
  fortio::line_reader reader(file, file_buffer_bytes);
  std::string_view line;
  record_time t;
  float bx, by, bz, px, py, pz;
  for (;;) {
    int status = reader.next(line);
    if (status == fortio::read_end) break;
    if (status == fortio::read_ok) status = read_record(line, t, bx, by, bz, px, py, pz);
    if (status != 0) {
      // One bad record ends its file, not the run.
      fortio::print("iosta2=", status);
      fortio::print("record #", st.nt, " cannot be read");
      ++st.nerrr;
      break;
    }
    ++st.nbvec;
    process_record(st, t, bx, by, bz, px, py, pz);
  }
  if (st.nt == 0) {
    fortio::print(name, " nf, nt=", st.nf, st.nt, "*** empty file");
  } else {
    fortio::print(name, " nf, nt=", st.nf, st.nt);
  }
}

void run_file_stage(run_state& st, input_lines& names) {
  std::string name_line;  // blank before the first name; kept when a read fails
  std::string line;
  for (;;) {
    fortio::print(dashes_72);
    fortio::print("path of file to read ? (ex: FGMPOS.dat)");
    const bool got = names.next(line);
    if (got) name_line.assign(line, 0, std::min(line.size(), name_length));
    const std::string name(trim_trailing_blanks(name_line));
    fortio::print("reading file: ", name);

    if (st.sigrf && name == excluded_file) {
      fortio::print("*** anomalie magfield on this file, ignored");
      if (!got) return;
      continue;
    }
    if (!got) {
      fortio::print("*** file does not exist, ignored");
      return;
    }
    if (first_five_blank(name_line)) {
      fortio::print("*** file name is blank, ignored");
      continue;
    }
    fortio::print(name);

    std::FILE* file = open_measurement_file(name);
    if (!file) {
      fortio::print("*** file cannot be openned, ignored");
      continue;
    }
    fortio::print("file opened");
    ++st.nf;
    st.nt = 0;
    read_measurement_file(st, file, name);
    std::fclose(file);
  }
}

}  // namespace voxfill
