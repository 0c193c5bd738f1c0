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
#include <vector>

#include "fortio/fortio.h"

namespace voxfill {

namespace {

// Output is assembled in blocks of about this size (at least one x plane)
// and written with one system call each: the grid text runs to gigabytes,
// and a block this small stays in cache while the kernel copies it (8 MiB
// blocks measured slower).
constexpr std::size_t block_bytes = std::size_t{1} << 20;

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
  const std::size_t nx = static_cast<std::size_t>(g.nx), ny = static_cast<std::size_t>(g.ny),
                    nz = static_cast<std::size_t>(g.nz);
  const std::size_t cells = g.cells_per_class();
  const std::size_t base = g.cell(1, 1, 1, idta, kp4);
  const std::int32_t* const counts = &st.nvalb[base];
  const float* const sums = &st.gridb[base * nb_components];

  // The file runs x outermost and z innermost while the grids keep x
  // fastest. The text goes out in blocks of whole x planes; most cells are
  // empty, so a block starts as all empty lines and only the lines of cells
  // with samples are written into it (and put back after it went out).
  const std::size_t plane_lines = ny * nz;
  const std::size_t plane_bytes = plane_lines * cell_line_bytes;
  const std::size_t planes = std::clamp<std::size_t>(block_bytes / std::max<std::size_t>(plane_bytes, 1), 1, nx);
  const std::size_t nblocks = (nx + planes - 1) / planes;

  // The cells with samples, found in one pass in memory order over the
  // chunks that records were binned into, then grouped by block:
  // filled[first[b] .. first[b + 1] - 1] are the cells of block b, as offsets
  // in the class.
  std::vector<std::uint32_t> found;
  const std::size_t chunk = std::size_t{1} << run_state::chunk_shift;
  for (std::size_t c = 0; c < cells;) {
    const std::size_t at = base + c;
    const std::size_t chunk_end = std::min(cells, (at | (chunk - 1)) + 1 - base);
    if (st.binned_chunks[at >> run_state::chunk_shift]) {
      for (; c < chunk_end; ++c)
        if (counts[c] != 0) found.push_back(static_cast<std::uint32_t>(c));
    }
    c = chunk_end;
  }
  std::vector<std::size_t> first(nblocks + 1, 0);
  for (const std::uint32_t c : found) ++first[c % nx / planes + 1];
  for (std::size_t b = 0; b < nblocks; ++b) first[b + 1] += first[b];
  std::vector<std::uint32_t> filled(found.size());
  {
    std::vector<std::size_t> next(first.begin(), first.end() - 1);
    for (const std::uint32_t c : found) filled[next[c % nx / planes]++] = c;
  }

  std::unique_ptr<char[], free_deleter> buf(static_cast<char*>(allocate_zeroed(plane_bytes * planes, 1)));
  const std::string empty = empty_cell_line();
  for (std::size_t l = 0; l < plane_lines * planes; ++l) {
    std::memcpy(buf.get() + l * cell_line_bytes, empty.data(), cell_line_bytes);
  }
  // Line of cell c of the class within block b.
  const auto line_in_block = [&](std::size_t c, std::size_t b) {
    const std::size_t ix = c % nx, rest = c / nx;
    return ((ix - b * planes) * ny + rest % ny) * nz + rest / ny;
  };

  grid_file out(path);
  const std::string header = header_line(g);
  out.write(header.data(), header.size());
  for (std::size_t b = 0; b < nblocks; ++b) {
    for (std::size_t f = first[b]; f < first[b + 1]; ++f) {
      const std::size_t c = filled[f];
      format_cell_line(buf.get() + line_in_block(c, b) * cell_line_bytes, &sums[c * nb_components], counts[c]);
    }
    const std::size_t block_planes = std::min(planes, nx - b * planes);
    out.write(buf.get(), plane_bytes * block_planes);
    for (std::size_t f = first[b]; f < first[b + 1]; ++f) {
      std::memcpy(buf.get() + line_in_block(filled[f], b) * cell_line_bytes, empty.data(), cell_line_bytes);
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
