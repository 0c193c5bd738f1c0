// The voxfill program end to end: run in a temporary directory with a
// prepared standard input, compare standard output, standard error, exit
// status and the files it leaves.
//
// A run that bins a record writes nine grid files of 250 MB; only one test
// here does so, and it removes them when done.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "common/testutil.h"
#include "common/record_line.h"

namespace {

namespace fs = std::filesystem;

struct outcome {
  std::string out, err;
  int status = -1;
};

outcome run_voxfill(const fs::path& dir, const std::string& input, const std::string& prefix = "") {
  testutil::write_file(dir / "stdin.txt", input);
  const std::string cmd = "cd '" + dir.string() + "' && " + prefix + "'" + VOXFILL_EXE +
                          "' < stdin.txt > stdout.txt 2> stderr.txt";
  const int rc = std::system(cmd.c_str());
  outcome o;
  o.status = WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
  o.out = testutil::read_file(dir / "stdout.txt");
  o.err = testutil::read_file(dir / "stderr.txt");
  fs::remove(dir / "stdin.txt");
  fs::remove(dir / "stdout.txt");
  fs::remove(dir / "stderr.txt");
  return o;
}

using testutil::record_line;

constexpr float re_km = 6372.2f;
const std::string dashes65(65, '-');
const std::string dashes72(72, '-');
const std::string normal_stop = "STOP voxfill.exe  : NORMAL TERMINATION\n";
const std::string kp_file = "Kp_2000-10-01_2025-08-31_D.dat";

std::string dialogue(const std::string& kp_echo, const std::string& igrf_echo, int n) {
  const std::string nn = std::to_string(n);
  return " Kp_on ?(Yes or No) if yes, one grid by Kp, need memory\n " + kp_echo +
         "\n IGRF substraction ? (Yes or No)\n " + igrf_echo + "\n " + dashes65 + "\n nx,ny,nz= " + nn + " " + nn +
         " " + nn + "\n";
}

std::string prompt(const std::string& name) {
  return " " + dashes72 + "\n path of file to read ? (ex: FGMPOS.dat)\n reading file: " + name + "\n";
}

std::string totals(int nf, int ntot, int nerrr, int nerrd) {
  return " nb read files = " + std::to_string(nf) + "\n nb all records= " + std::to_string(ntot) +
         "\n nb errors Read= " + std::to_string(nerrr) + "\n nb errors Dip = " + std::to_string(nerrd) +
         "\n\n grid creation, wait...\n";
}

const std::string termination = " " + dashes72 + "\n voxfill.exe  : NORMAL TERMINATION\n";

// Data lines of the Kp file: every line after its 37 header lines.
int kp_data_lines() {
  std::ifstream in(fs::path(VOXFILL_DATA_DIR) / kp_file);
  std::string line;
  int n = 0;
  while (std::getline(in, line)) ++n;
  return n - 37;
}

class VoxfillRun : public testing::Test {
 protected:
  void SetUp() override { dir_ = testutil::temp_dir("e2e"); }
  void TearDown() override { fs::remove_all(dir_); }
  fs::path dir_;
};

TEST_F(VoxfillRun, AnswersAndARunWithoutFiles) {
  struct Case {
    const char* kp_line;
    const char* igrf_line;
    const char* kp_echo;
    const char* igrf_echo;
    bool kp_on;
  } const cases[] = {
      {"No", "No", "No ", "No ", false},     {"yes", "YES", "yes", "YES", false},
      {"Y", "", "Y  ", "   ", false},        {" Yes", "Yes", " Ye", "Yes", false},
      {"Yes", "No", "Yes", "No ", true},     {"Yes please", "Yes please", "Yes", "Yes", true},
  };
  fs::copy_file(fs::path(VOXFILL_DATA_DIR) / kp_file, dir_ / kp_file);
  const std::string records_read = " records read: " + std::to_string(kp_data_lines()) + "\n";
  for (const Case& c : cases) {
    const outcome o = run_voxfill(dir_, std::string(c.kp_line) + "\n" + c.igrf_line + "\n");
    const std::string expected = dialogue(c.kp_echo, c.igrf_echo, c.kp_on ? 120 : 160) +
                                 (c.kp_on ? records_read : "") + prompt("") +
                                 " *** file does not exist, ignored\n" + totals(0, 0, 0, 0) + termination;
    EXPECT_EQ(o.out, expected) << c.kp_line << "/" << c.igrf_line;
    EXPECT_EQ(o.err, normal_stop);
    EXPECT_EQ(o.status, 0);
  }
  // Nothing reached the tilt step: no grid directory, no file.
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

TEST_F(VoxfillRun, InputEndingBeforeTheAnswersIsAnError) {
  for (const std::string input : {"", "Yes\n"}) {
    const outcome o = run_voxfill(dir_, input);
    EXPECT_NE(o.status, 0) << '"' << input << '"';
    EXPECT_FALSE(o.err.empty());
    EXPECT_EQ(o.err.find("STOP"), std::string::npos);
    EXPECT_EQ(o.out.find("nx,ny,nz="), std::string::npos);
  }
}

TEST_F(VoxfillRun, KpClassesWithoutTheKpFileIsAnError) {
  testutil::write_file(dir_ / "a.txt", "");
  const outcome o = run_voxfill(dir_, "Yes\nNo\na.txt\n");
  EXPECT_NE(o.status, 0);
  EXPECT_EQ(o.err.find("STOP"), std::string::npos);
  // The run ends before the first measurement file.
  EXPECT_EQ(o.out.find("path of file"), std::string::npos);
}

TEST_F(VoxfillRun, ExcludedFileWithAndWithoutIgrf) {
  const std::string excluded = "FGMPOS_asc_database/2004/2004_09/C1_FGM_SPIN_20040904.txt";
  fs::create_directories(dir_ / "FGMPOS_asc_database/2004/2004_09");
  // One record at 30 Earth radii: read, but dropped before it is counted.
  testutil::write_file(dir_ / excluded,
                       record_line("2004-09-04T00:00:00.000Z", 1, 2, 3, 30 * re_km, 0, 0) + "\n");
  testutil::write_file(dir_ / "empty.txt", "");

  const outcome off = run_voxfill(dir_, "No\nNo\n" + excluded + "\nempty.txt\n");
  EXPECT_EQ(off.out, dialogue("No ", "No ", 160) + prompt(excluded) + " " + excluded + "\n file opened\n " +
                         excluded + " nf, nt= 1 0 *** empty file\n" + prompt("empty.txt") +
                         " empty.txt\n file opened\n empty.txt nf, nt= 2 0 *** empty file\n" +
                         prompt("empty.txt") + " *** file does not exist, ignored\n" + totals(2, 0, 0, 0) +
                         termination);
  EXPECT_EQ(off.status, 0);

  const outcome on = run_voxfill(dir_, "No\nYes\n" + excluded + "\nempty.txt\n");
  EXPECT_EQ(on.out, dialogue("No ", "Yes", 160) + prompt(excluded) + " *** anomalie magfield on this file, ignored\n" +
                        prompt("empty.txt") + " empty.txt\n file opened\n empty.txt nf, nt= 1 0 *** empty file\n" +
                        prompt("empty.txt") + " *** file does not exist, ignored\n" + totals(1, 0, 0, 0) +
                        termination);
  EXPECT_EQ(on.err, normal_stop);
  EXPECT_EQ(on.status, 0);
  EXPECT_FALSE(fs::exists(dir_ / "grid_B"));
  EXPECT_FALSE(fs::exists(dir_ / "grid_B_mIGRF"));
}

#if !defined(__SANITIZE_ADDRESS__)
TEST_F(VoxfillRun, GridsThatDoNotFitInMemoryEndTheRun) {
  const outcome o = run_voxfill(dir_, "No\nNo\n", "ulimit -v 400000; ");
  EXPECT_NE(o.status, 0);
  EXPECT_NE(o.err.find("Error allocating 589824000 bytes"), std::string::npos) << o.err;
  EXPECT_EQ(o.out.find("path of file"), std::string::npos);
}
#endif

// Checks a grid file line by line: the header, the given lines at their
// places (line numbers from 1 after the header), the empty line everywhere
// else.
void check_grid(const fs::path& path, const std::vector<std::pair<long, std::string>>& filled) {
  const std::string header = "     160      160      160 4\n";
  const std::string empty = "  0.10000E+31  0.10000E+31  0.10000E+31  0.10000E+31       0\n";
  const long lines = 160L * 160L * 160L;
  ASSERT_EQ(fs::file_size(path), header.size() + static_cast<std::size_t>(lines) * empty.size()) << path;
  std::ifstream in(path, std::ios::binary);
  std::string got(header.size(), '\0');
  in.read(got.data(), static_cast<std::streamsize>(got.size()));
  EXPECT_EQ(got, header);
  const long chunk = 65536;
  std::vector<char> buf(static_cast<std::size_t>(chunk) * empty.size());
  long bad = 0, seen_filled = 0;
  for (long first = 1; first <= lines; first += chunk) {
    const long n = std::min(chunk, lines - first + 1);
    in.read(buf.data(), static_cast<std::streamsize>(n * static_cast<long>(empty.size())));
    ASSERT_TRUE(in) << path;
    for (long l = 0; l < n; ++l) {
      const char* p = buf.data() + l * static_cast<long>(empty.size());
      const long number = first + l;
      const std::string* want = &empty;
      for (const auto& f : filled) {
        if (f.first == number) want = &f.second;
      }
      if (want != &empty) ++seen_filled;
      if (std::memcmp(p, want->data(), want->size()) != 0) {
        if (++bad <= 3) ADD_FAILURE() << path << " line " << number << ": " << std::string(p, empty.size());
      }
    }
  }
  EXPECT_EQ(bad, 0);
  EXPECT_EQ(seen_filled, static_cast<long>(filled.size()));
}

// Line of cell (i, j, k) in a 160-cell grid file: x outermost, z innermost.
long line_of(long i, long j, long k) { return ((i - 1) * 160 + (j - 1)) * 160 + k; }

TEST_F(VoxfillRun, FullRunTranscriptAndGrids) {
  // Near the June 2005 solstice at 17 UT the dipole tilt is about +33.7
  // degrees: tilt class 8 (p30). Along X the GSE and GSM frames agree, so a
  // position (x, 0, 0) and a field (b, 0, 0) keep their values.
  // 5.1 Re: cell 101 = floor((5.1 + 20) / 0.25) + 1; y = z = 0: cell 81.
  // -8.1 Re: cell 48.
  const char* t0 = "2005-06-21T17:00:00.000Z";
  const char* t1 = "2005-06-21T17:00:04.000Z";
  testutil::write_file(dir_ / "a.txt", record_line(t0, 10, 0, 0, 5.1f * re_km, 0, 0) + "\n" +
                                           record_line(t1, 0, 0, 0, 40 * re_km, 0, 0) + "\n" +  // beyond 25 Re
                                           record_line(t1, -10, 0, 0, 5.1f * re_km, 0, 0) + "\n" +
                                           record_line(t1, 7, 0, 0, -8.1f * re_km, 0, 0) + "\n" +
                                           record_line(t1, 7, 0, 0, 1.0f * re_km, 0, 0).replace(60, 2, "?!") +
                                           "\n" + record_line(t1, 7, 0, 0, -8.1f * re_km, 0, 0) + "\n");
  testutil::write_file(dir_ / "blank.txt", std::string(112, ' ') + "\n");
  testutil::write_file(dir_ / "feb30.txt", record_line("2023-02-30T12:00:00.000Z", 1, 0, 0, 5 * re_km, 0, 0) + "\n");
  fs::create_directory(dir_ / "sub");
  // A grid file left by an earlier run, longer than the new one.
  fs::create_directory(dir_ / "grid_B");
  const fs::path old_file = dir_ / "grid_B/grid_Bxyz_160160160_p30_AKp.dat";
  testutil::write_file(old_file, "earlier run\n");
  fs::resize_file(old_file, 300000000);

  const outcome o = run_voxfill(dir_, "No\nNo\na.txt\nnew.txt\nsub\nblank.txt\nfeb30.txt\n");
  const std::string trace = "  idta,Kp,kp4= 8 0 1\n";
  std::string expected = dialogue("No ", "No ", 160) + prompt("a.txt") + " a.txt\n file opened\n" +
                         " record # 1 igx,igy,igz= 101 81 81" + trace +
                         " record # 2 igx,igy,igz= 101 81 81" + trace +
                         " record # 3 igx,igy,igz= 48 81 81" + trace +
                         " iosta2= 2\n record # 3 cannot be read\n a.txt nf, nt= 1 3\n" + prompt("new.txt") +
                         " new.txt\n file opened\n new.txt nf, nt= 2 0 *** empty file\n" + prompt("sub") +
                         " sub\n *** file cannot be openned, ignored\n" + prompt("blank.txt") +
                         " blank.txt\n file opened\n iosta2= 5\n record # 0 cannot be read\n"
                         " blank.txt nf, nt= 3 0 *** empty file\n" +
                         prompt("feb30.txt") +
                         " feb30.txt\n file opened\n iosta2= 7\n record # 0 cannot be read\n"
                         " feb30.txt nf, nt= 4 0 *** empty file\n" +
                         prompt("feb30.txt") + " *** file does not exist, ignored\n" + totals(4, 3, 3, 0);
  const char* const tags[] = {"m40", "m30", "m20", "m10", "p00", "p10", "p20", "p30", "p40"};
  std::set<std::string> names;
  for (int idta = 1; idta <= 9; ++idta) {
    const std::string name = std::string("grid_Bxyz_160160160_") + tags[idta - 1] + "_AKp.dat";
    names.insert(name);
    expected += " ---------------------\n idta,cdta,kp4= " + std::to_string(idta) + " " + tags[idta - 1] +
                " 1\n grid_B/" + name + "\n grid dimension      b : 160 160 160\n";
  }
  expected += termination;
  EXPECT_EQ(o.out, expected);
  EXPECT_EQ(o.err, normal_stop);
  EXPECT_EQ(o.status, 0);
  EXPECT_TRUE(fs::is_regular_file(dir_ / "new.txt"));

  std::set<std::string> found;
  for (const auto& e : fs::directory_iterator(dir_ / "grid_B")) found.insert(e.path().filename().string());
  EXPECT_EQ(found, names);

  for (int idta = 1; idta <= 9; ++idta) {
    const fs::path path = dir_ / "grid_B" / (std::string("grid_Bxyz_160160160_") + tags[idta - 1] + "_AKp.dat");
    if (idta == 8) {
      check_grid(path, {{line_of(101, 81, 81), "  0.00000E+00  0.00000E+00  0.00000E+00  0.10000E+02       2\n"},
                        {line_of(48, 81, 81), "  0.70000E+01  0.00000E+00  0.00000E+00  0.70000E+01       1\n"}});
    } else {
      check_grid(path, {});
    }
    fs::remove(path);
  }
}

}  // namespace
