// Output stage on small geometries: names, layout, line order, replacement of
// old files and the failures that must not leave a half-written grid.
#include "voxfill/grid_output.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <cmath>
#include <csignal>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "common/testutil.h"
#include "voxfill/run.h"

namespace {

namespace fs = std::filesystem;

const std::string empty_line = "  0.10000E+31  0.10000E+31  0.10000E+31  0.10000E+31       0\n";
// One sample of field (3, 4, 0) nT.
const std::string line_345 = "  0.30000E+01  0.40000E+01  0.00000E+00  0.50000E+01       1\n";
// Two samples (10, 0, 0) and (-10, 0, 0): mean vector 0, mean magnitude 10.
const std::string line_pm10 = "  0.00000E+00  0.00000E+00  0.00000E+00  0.10000E+02       2\n";

// A cube of nx x ny x nz cells of 1 Earth radius; different counts per axis
// make any mix-up of the axes visible.
voxfill::run_state state(int nx, int ny, int nz, bool kp_on, bool sigrf = false) {
  voxfill::run_state st;
  st.kp_on = kp_on;
  st.sigrf = sigrf;
  st.geo.idimkp = kp_on ? 5 : 1;
  st.geo.nx = nx;
  st.geo.ny = ny;
  st.geo.nz = nz;
  st.geo.dx = st.geo.dy = st.geo.dz = 1.0f;
  voxfill::allocate_grids(st);
  return st;
}

void add_sample(voxfill::run_state& st, int i, int j, int k, int idta, int kp4, float bx, float by, float bz) {
  const std::size_t c = st.geo.cell(i, j, k, idta, kp4);
  st.nvalb[c] += 1;
  st.mark_binned(c);
  st.gridb[4 * c + 0] += bx;
  st.gridb[4 * c + 1] += by;
  st.gridb[4 * c + 2] += bz;
  st.gridb[4 * c + 3] += std::sqrt(bx * bx + by * by + bz * bz);
  st.nbdta = 9;
}

struct cell_key {
  int i, j, k;
  auto operator<=>(const cell_key&) const = default;
};

// Expected file text: the header, then x outermost and z innermost.
std::string expected_file(int nx, int ny, int nz, const std::map<cell_key, std::string>& lines) {
  char header[64];
  std::snprintf(header, sizeof header, "%8d %8d %8d 4\n", nx, ny, nz);
  std::string s = header;
  for (int i = 1; i <= nx; ++i) {
    for (int j = 1; j <= ny; ++j) {
      for (int k = 1; k <= nz; ++k) {
        const auto it = lines.find({i, j, k});
        s += it == lines.end() ? empty_line : it->second;
      }
    }
  }
  return s;
}

std::set<std::string> files_in(const fs::path& dir) {
  std::set<std::string> names;
  for (const auto& e : fs::directory_iterator(dir)) names.insert(e.path().filename().string());
  return names;
}

class GridOutputTest : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = testutil::temp_dir("grids");
    old_ = fs::current_path();
    fs::current_path(dir_);
  }
  void TearDown() override {
    fs::current_path(old_);
    fs::remove_all(dir_);
  }
  fs::path dir_, old_;
};

TEST(GridNames, TagsDirectoriesAndFileNames) {
  const char* const tags[] = {"m40", "m30", "m20", "m10", "p00", "p10", "p20", "p30", "p40"};
  for (int idta = 1; idta <= 9; ++idta) EXPECT_EQ(voxfill::tilt_tag(idta), tags[idta - 1]);
  EXPECT_EQ(voxfill::kp_tag(false, 1), "AKp");
  EXPECT_EQ(voxfill::kp_tag(true, 1), "Kp1");
  EXPECT_EQ(voxfill::kp_tag(true, 5), "Kp5");

  struct Case {
    bool kp_on, sigrf;
    const char* dir;
  } const dirs[] = {{false, false, "grid_B"}, {false, true, "grid_B_mIGRF"}, {true, false, "grid_B_Kp"},
                    {true, true, "grid_B_Kp_mIGRF"}};
  for (const Case& c : dirs) EXPECT_EQ(voxfill::grid_dir_name(c.kp_on, c.sigrf), c.dir);

  EXPECT_EQ(voxfill::grid_file_name("grid_B_Kp_mIGRF", voxfill::make_geometry(true), 5, 3, true),
            "grid_B_Kp_mIGRF/grid_Bxyz_120120120_p00_Kp3.dat");
  EXPECT_EQ(voxfill::grid_file_name("grid_B", voxfill::make_geometry(false), 1, 1, false),
            "grid_B/grid_Bxyz_160160160_m40_AKp.dat");
  voxfill::geometry g;
  g.nx = 3;
  g.ny = 20;
  g.nz = 7;
  EXPECT_EQ(voxfill::grid_file_name("d", g, 9, 2, true), "d/grid_Bxyz_003020007_p40_Kp2.dat");
}

TEST(GridLines, HeaderEmptyAndFilledCells) {
  const std::string header = voxfill::header_line(voxfill::make_geometry(false));
  EXPECT_EQ(header, "     160      160      160 4\n");
  EXPECT_EQ(header.size(), voxfill::header_line_bytes);
  EXPECT_EQ(voxfill::empty_cell_line(), empty_line);
  EXPECT_EQ(empty_line.size(), voxfill::cell_line_bytes);

  struct Case {
    float sums[4];
    int n;
    std::string line;
  } const cases[] = {
      {{3.0f, 4.0f, 0.0f, 5.0f}, 1, line_345},
      {{0.0f, 0.0f, 0.0f, 20.0f}, 2, line_pm10},
      {{-1.5f, 250.0f, -0.03f, 300.0f}, 3, " -0.50000E+00  0.83333E+02 -0.10000E-01  0.10000E+03       3\n"},
      {{1.0e6f, 0.0f, 0.0f, 1.0e6f}, 12345678, "  0.81000E-01  0.00000E+00  0.00000E+00  0.81000E-0112345678\n"},
  };
  for (const Case& c : cases) {
    char buf[64] = {};
    char* end = voxfill::format_cell_line(buf, c.sums, c.n);
    EXPECT_EQ(std::string(buf, end), c.line);
  }
}

TEST_F(GridOutputTest, NineFilesWithEachSampleAtItsLine) {
  voxfill::run_state st = state(3, 2, 4, false);
  add_sample(st, 2, 1, 3, 4, 1, 3.0f, 4.0f, 0.0f);
  add_sample(st, 3, 2, 1, 9, 1, 10.0f, 0.0f, 0.0f);
  add_sample(st, 3, 2, 1, 9, 1, -10.0f, 0.0f, 0.0f);
  testing::internal::CaptureStdout();
  voxfill::write_grids(st);
  const std::string out = testing::internal::GetCapturedStdout();

  const char* const tags[] = {"m40", "m30", "m20", "m10", "p00", "p10", "p20", "p30", "p40"};
  std::string transcript = "\n grid creation, wait...\n";
  std::set<std::string> names;
  for (int idta = 1; idta <= 9; ++idta) {
    const std::string name = std::string("grid_Bxyz_003002004_") + tags[idta - 1] + "_AKp.dat";
    names.insert(name);
    transcript += " ---------------------\n idta,cdta,kp4= " + std::to_string(idta) + " " + tags[idta - 1] +
                  " 1\n grid_B/" + name + "\n grid dimension      b : 3 2 4\n";
    std::map<cell_key, std::string> lines;
    if (idta == 4) lines[{2, 1, 3}] = line_345;
    if (idta == 9) lines[{3, 2, 1}] = line_pm10;
    EXPECT_EQ(testutil::read_file(fs::path("grid_B") / name), expected_file(3, 2, 4, lines)) << name;
  }
  EXPECT_EQ(out, transcript);
  EXPECT_EQ(files_in("grid_B"), names);
  EXPECT_EQ(fs::file_size("grid_B/grid_Bxyz_003002004_m10_AKp.dat"), 29u + 3u * 2u * 4u * 61u);
}

TEST_F(GridOutputTest, FortyFiveFilesWithKpClassesInnermost) {
  voxfill::run_state st = state(2, 3, 2, true, true);
  add_sample(st, 1, 3, 2, 5, 3, 3.0f, 4.0f, 0.0f);
  testing::internal::CaptureStdout();
  voxfill::write_grids(st);
  const std::string out = testing::internal::GetCapturedStdout();

  const char* const tags[] = {"m40", "m30", "m20", "m10", "p00", "p10", "p20", "p30", "p40"};
  std::set<std::string> names;
  std::string order;
  for (int idta = 1; idta <= 9; ++idta) {
    for (int kp4 = 1; kp4 <= 5; ++kp4) {
      const std::string name = std::string("grid_Bxyz_002003002_") + tags[idta - 1] + "_Kp" +
                               std::to_string(kp4) + ".dat";
      names.insert(name);
      order += " grid_B_Kp_mIGRF/" + name + "\n";
      std::map<cell_key, std::string> lines;
      if (idta == 5 && kp4 == 3) lines[{1, 3, 2}] = line_345;
      EXPECT_EQ(testutil::read_file(fs::path("grid_B_Kp_mIGRF") / name), expected_file(2, 3, 2, lines)) << name;
    }
  }
  EXPECT_EQ(files_in("grid_B_Kp_mIGRF"), names);
  // The file lines of the transcript come in loop order: tilt outer, Kp inner.
  std::string printed;
  for (std::size_t pos = 0; (pos = out.find(" grid_B_Kp_mIGRF/", pos)) != std::string::npos;) {
    const std::size_t end = out.find('\n', pos);
    printed += out.substr(pos, end + 1 - pos);
    pos = end;
  }
  EXPECT_EQ(printed, order);
}

TEST_F(GridOutputTest, AnOldFileIsReplacedWhole) {
  voxfill::run_state st = state(2, 2, 2, false);
  add_sample(st, 1, 1, 1, 5, 1, 3.0f, 4.0f, 0.0f);
  fs::create_directory("grid_B");
  const std::string old_name = "grid_B/grid_Bxyz_002002002_p00_AKp.dat";
  testutil::write_file(old_name, std::string(5000, 'x'));
  testutil::write_file("grid_B/notes.txt", "kept");
  testing::internal::CaptureStdout();
  voxfill::write_grids(st);
  testing::internal::GetCapturedStdout();
  EXPECT_EQ(testutil::read_file(old_name), expected_file(2, 2, 2, {{{1, 1, 1}, line_345}}));
  EXPECT_EQ(testutil::read_file("grid_B/notes.txt"), "kept");
  EXPECT_EQ(files_in("grid_B").size(), 10u);  // nine grids and the notes, no temporary left
}

TEST_F(GridOutputTest, NothingWrittenWhenNoRecordReachedTheTiltStep) {
  voxfill::run_state st = state(2, 2, 2, false);
  testing::internal::CaptureStdout();
  voxfill::write_grids(st);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "\n grid creation, wait...\n");
  EXPECT_TRUE(fs::is_empty("."));
}

TEST_F(GridOutputTest, BlocksOfSeveralPlanesKeepTheLineOrder) {
  // A plane of 60 x 60 lines is about 220 kB, so the output goes in blocks
  // of four x planes, the last one shorter; the class does not start on a
  // chunk boundary of the binned-chunk flags, and its first and last cells
  // are filled.
  voxfill::run_state st = state(9, 60, 60, false);
  const cell_key cells[] = {{1, 1, 1}, {1, 60, 60}, {3, 17, 4}, {4, 1, 2}, {5, 60, 1}, {9, 23, 59}, {9, 60, 60}};
  std::map<cell_key, std::string> lines;
  for (const cell_key& c : cells) {
    add_sample(st, c.i, c.j, c.k, 2, 1, 3.0f, 4.0f, 0.0f);
    lines[c] = line_345;
  }
  fs::create_directory("out");
  testing::internal::CaptureStdout();
  voxfill::write_grid_file(st, 2, 1, "out/g.dat");
  testing::internal::GetCapturedStdout();
  EXPECT_TRUE(testutil::read_file("out/g.dat") == expected_file(9, 60, 60, lines));
  EXPECT_EQ(files_in("out"), std::set<std::string>{"g.dat"});
}

TEST_F(GridOutputTest, DirectoryCreatedWhenMissing) {
  voxfill::run_state st = state(1, 1, 1, false, true);
  add_sample(st, 1, 1, 1, 1, 1, 1.0f, 0.0f, 0.0f);
  testing::internal::CaptureStdout();
  voxfill::write_grids(st);
  testing::internal::GetCapturedStdout();
  EXPECT_EQ(files_in("grid_B_mIGRF").size(), 9u);
}

using GridOutputDeathTest = GridOutputTest;

TEST_F(GridOutputDeathTest, ADirectoryThatCannotBeMadeEndsTheRunNamingIt) {
  voxfill::run_state st = state(1, 1, 1, false);
  add_sample(st, 1, 1, 1, 1, 1, 1.0f, 0.0f, 0.0f);
  testutil::write_file("grid_B", "a file in the way");
  EXPECT_EXIT(
      {
        testutil::redirect_stdout("/dev/null");
        voxfill::write_grids(st);
      },
      testing::ExitedWithCode(2), "grid directory grid_B");
}

TEST_F(GridOutputDeathTest, AFailedWriteEndsTheRunAndKeepsTheOldFile) {
  voxfill::run_state st = state(4, 30, 30, false);
  add_sample(st, 1, 1, 1, 1, 1, 1.0f, 0.0f, 0.0f);
  fs::create_directory("grid_B");
  const std::string name = "grid_B/grid_Bxyz_004030030_m40_AKp.dat";
  testutil::write_file(name, "earlier run");
  // A file size limit makes the writes fail as a full disk would.
  EXPECT_EXIT(
      {
        testutil::redirect_stdout("/dev/null");
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit;
        limit.rlim_cur = limit.rlim_max = 10000;
        setrlimit(RLIMIT_FSIZE, &limit);
        voxfill::write_grids(st);
      },
      testing::ExitedWithCode(2), "cannot write grid file grid_B/grid_Bxyz_004030030_m40_AKp.dat");
  EXPECT_EQ(testutil::read_file(name), "earlier run");
  EXPECT_EQ(files_in("grid_B"), std::set<std::string>{"grid_Bxyz_004030030_m40_AKp.dat"});
}

}  // namespace
