#include "voxfill/grid_output.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "fortio/fortio.h"

namespace voxfill {

namespace {

// Output is assembled in blocks of about this size and written with one
// system call each: the grid text runs to gigabytes.
constexpr std::size_t block_bytes = std::size_t{8} << 20;

[[noreturn]] void write_failure(const std::string& what, const std::string& path, int err) {
  fortio::io_error("cannot " + what + " grid file " + path + ": " + std::strerror(err));
}

// An open temporary file that becomes `path` on commit and disappears if the
// run ends first.
class grid_file {
 public:
  explicit grid_file(const std::string& path)
      : path_(path), tmp_(path + ".tmp" + std::to_string(::getpid())) {
    fd_ = ::open(tmp_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd_ < 0) write_failure("create", path_, errno);
  }
  ~grid_file() {
    if (fd_ >= 0) ::close(fd_);
    if (!committed_) ::unlink(tmp_.c_str());
  }
  grid_file(const grid_file&) = delete;
  grid_file& operator=(const grid_file&) = delete;

  void write(const char* p, std::size_t n) {
    while (n > 0) {
      const ssize_t done = ::write(fd_, p, n);
      if (done < 0) {
        if (errno == EINTR) continue;
        fail("write");
      }
      p += done;
      n -= static_cast<std::size_t>(done);
    }
  }

  void commit() {
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) fail("close");
    if (std::rename(tmp_.c_str(), path_.c_str()) != 0) fail("replace");
    committed_ = true;
  }

 private:
  [[noreturn]] void fail(const char* what) {
    const int err = errno;
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    ::unlink(tmp_.c_str());
    write_failure(what, path_, err);
  }

  std::string path_, tmp_;
  int fd_ = -1;
  bool committed_ = false;
};

void make_grid_dir(const std::string& dir) {
  struct stat sb;
  if (::stat(dir.c_str(), &sb) == 0) {
    if (S_ISDIR(sb.st_mode)) return;
    fortio::io_error("cannot create grid directory " + dir + ": a file of that name is in the way");
  }
  if (::mkdir(dir.c_str(), 0777) != 0 && errno != EEXIST) {
    fortio::io_error("cannot create grid directory " + dir + ": " + std::strerror(errno));
  }
}

char* allocate_or_stop(std::size_t bytes) {
  char* p = static_cast<char*>(std::malloc(bytes));
  if (!p) {
    char msg[64];
    std::snprintf(msg, sizeof msg, "Error allocating %lu bytes", static_cast<unsigned long>(bytes));
    fortio::io_error(msg);
  }
  return p;
}

}  // namespace

std::string grid_dir_name(bool kp_on, bool sigrf) {
  std::string dir = kp_on ? "grid_B_Kp" : "grid_B";
  if (sigrf) dir += "_mIGRF";
  return dir;
}

std::string tilt_tag(int idta) {
  const int kdta = static_cast<int>(static_cast<float>(idta - 5) * 10.0f);
  char buf[3];
  fortio::write_i(buf, kdta < 0 ? -kdta : kdta, 3, 2);
  buf[0] = kdta < 0 ? 'm' : 'p';
  return std::string(buf, 3);
}

std::string kp_tag(bool kp_on, int kp4) { return kp_on ? "Kp" + std::to_string(kp4) : "AKp"; }

std::string grid_file_name(const std::string& dir, const geometry& g, int idta, int kp4, bool kp_on) {
  std::string name = dir + "/grid_Bxyz_";
  for (const int n : {g.nx, g.ny, g.nz}) fortio::put_i(name, n, 3, 3);
  return name + "_" + tilt_tag(idta) + "_" + kp_tag(kp_on, kp4) + ".dat";
}

std::string header_line(const geometry& g) {
  std::string s;
  fortio::put_i(s, g.nx, 8);
  s += ' ';
  fortio::put_i(s, g.ny, 8);
  s += ' ';
  fortio::put_i(s, g.nz, 8);
  s += ' ';
  fortio::put_i(s, nb_components, 1);
  return s + '\n';
}

std::string empty_cell_line() {
  std::string s;
  for (int c = 0; c < nb_components; ++c) fortio::put_e(s, empty_value, 13, 5);
  fortio::put_i(s, 0, 8);
  return s + '\n';
}

char* format_cell_line(char* p, const float* sums, std::int32_t n) {
  const float rn = static_cast<float>(n);
  for (int c = 0; c < nb_components; ++c) p = fortio::write_e(p, sums[c] / rn, 13, 5);
  p = fortio::write_i(p, n, 8);
  *p++ = '\n';
  return p;
}

void write_grid_file(const run_state& st, int idta, int kp4, const std::string& path) {
  const geometry& g = st.geo;
  const std::size_t ny = static_cast<std::size_t>(g.ny), nz = static_cast<std::size_t>(g.nz);
  // The file runs x outermost and z innermost while the grids keep x
  // fastest: each block covers a few x planes, whose lines are placed in the
  // block as the cells come in memory order.
  const std::size_t plane_bytes = ny * nz * cell_line_bytes;
  const int planes = static_cast<int>(std::clamp<std::size_t>(block_bytes / std::max<std::size_t>(plane_bytes, 1), 1,
                                                             static_cast<std::size_t>(g.nx)));
  const std::size_t buf_bytes = std::max(plane_bytes * static_cast<std::size_t>(planes), header_line_bytes);
  std::unique_ptr<char[], free_deleter> buf(allocate_or_stop(buf_bytes));
  // Most cells are empty: the block starts as all empty lines, and only the
  // lines of cells with samples are written and put back afterwards.
  const std::string empty = empty_cell_line();
  const std::size_t block_lines = plane_bytes * static_cast<std::size_t>(planes) / cell_line_bytes;
  for (std::size_t l = 0; l < block_lines; ++l) std::memcpy(buf.get() + l * cell_line_bytes, empty.data(), cell_line_bytes);
  std::unique_ptr<std::uint32_t[], free_deleter> filled(
      reinterpret_cast<std::uint32_t*>(allocate_or_stop(block_lines * sizeof(std::uint32_t))));

  grid_file out(path);
  const std::string header = header_line(g);
  out.write(header.data(), header.size());

  const std::size_t plane_lines = ny * nz;
  for (int i0 = 1; i0 <= g.nx; i0 += planes) {
    const int nb = std::min(planes, g.nx - i0 + 1);
    std::size_t nfilled = 0;
    // Cells in memory order (y then z), which keeps the reads sequential.
    for (int k = 1; k <= g.nz; ++k) {
      for (int j = 1; j <= g.ny; ++j) {
        const std::size_t c0 = g.cell(i0, j, k, idta, kp4);
        const std::size_t l = static_cast<std::size_t>(j - 1) * nz + static_cast<std::size_t>(k - 1);
        for (int di = 0; di < nb; ++di) {
          const std::int32_t n = st.nvalb[c0 + static_cast<std::size_t>(di)];
          if (n == 0) continue;
          const std::size_t line = l + static_cast<std::size_t>(di) * plane_lines;
          format_cell_line(buf.get() + line * cell_line_bytes,
                           &st.gridb[(c0 + static_cast<std::size_t>(di)) * nb_components], n);
          filled[nfilled++] = static_cast<std::uint32_t>(line);
        }
      }
    }
    out.write(buf.get(), plane_bytes * static_cast<std::size_t>(nb));
    for (std::size_t f = 0; f < nfilled; ++f) {
      std::memcpy(buf.get() + std::size_t{filled[f]} * cell_line_bytes, empty.data(), cell_line_bytes);
    }
  }

  fortio::print(path);
  fortio::print("grid dimension      b :", g.nx, g.ny, g.nz);
  out.commit();
}

void write_grids(const run_state& st) {
  const std::string dir = grid_dir_name(st.kp_on, st.sigrf);
  fortio::put_line("");
  fortio::print("grid creation, wait...");
  if (st.nbdta == 0) return;
  make_grid_dir(dir);
  const std::string dashes(21, '-');
  for (int idta = 1; idta <= nb_tilt_classes; ++idta) {
    for (int kp4 = 1; kp4 <= st.geo.idimkp; ++kp4) {
      fortio::print(dashes);
      fortio::print("idta,cdta,kp4=", idta, tilt_tag(idta), kp4);
      write_grid_file(st, idta, kp4, grid_file_name(dir, st.geo, idta, kp4, st.kp_on));
    }
  }
}

}  // namespace voxfill
