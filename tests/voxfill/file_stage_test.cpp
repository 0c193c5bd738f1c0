// File stage: record layout, name rules, open rules, read failures and the
// per-file report, on a small cube.
#include "voxfill/file_stage.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "common/testutil.h"
#include "record_line.h"
#include "fortio/fortio.h"
#include "voxfill/record.h"
#include "voxfill/run.h"

namespace {

namespace fs = std::filesystem;
using voxfill::record_time;

using testutil::record_line;

// 5.1 Earth radii along X: GSE and GSM agree there, cell (3, 3, 3) of the
// small cube; at 2005-06-21 17 UT the tilt class is 8.
const std::string good = record_line("2005-06-21T17:00:00.000Z", 10, 0, 0, 5.1f * 6372.2f, 0, 0);

voxfill::run_state small_state(bool sigrf) {
  voxfill::run_state st;
  st.sigrf = sigrf;
  st.geo.x1 = st.geo.y1 = st.geo.z1 = -20.0f;
  st.geo.x2 = st.geo.y2 = st.geo.z2 = 20.0f;
  st.geo.dx = st.geo.dy = st.geo.dz = 10.0f;
  st.geo.nx = st.geo.ny = st.geo.nz = 4;
  voxfill::allocate_grids(st);
  return st;
}

TEST(ReadRecord, FixedColumnsAndTheTimeAndDateChecks) {
  struct Case {
    std::string line;
    int status;
  } const cases[] = {
      {good, 0},
      {record_line("2004-09-04T12:34:56.000Z", 1, 2, 3, 4, 5, 6).substr(0, 24), 0},  // short line: blanks
      {"2004-09-04T12:34:56.000Z " + std::string(14, 'x'), fortio::read_bad_real},
      {record_line("2004-09-04T1a:34:56.000Z", 1, 2, 3, 4, 5, 6), fortio::read_bad_integer},
      {std::string(112, ' '), voxfill::status_year},
      {record_line("2023-02-30T00:00:00.000Z", 1, 2, 3, 4, 5, 6), voxfill::status_day},
      {record_line("2023-13-01T00:00:00.000Z", 1, 2, 3, 4, 5, 6), voxfill::status_month},
      {record_line("2100-01-01T00:00:00.000Z", 1, 2, 3, 4, 5, 6), voxfill::status_year},
  };
  for (const Case& c : cases) {
    record_time t;
    float b[3], p[3];
    EXPECT_EQ(voxfill::read_record(c.line, t, b[0], b[1], b[2], p[0], p[1], p[2]), c.status) << c.line;
  }

  record_time t;
  float b[3], p[3];
  const std::string line = record_line("2004-09-04T12:34:56.000Z", -49.4901f, 15.0627f, 0, -36911.5f, 18819.8f,
                                       -45838.9f);
  ASSERT_EQ(voxfill::read_record(line, t, b[0], b[1], b[2], p[0], p[1], p[2]), 0);
  EXPECT_EQ(t, (record_time{2004, 9, 4, 12, 34, 56}));
  EXPECT_EQ(b[0], -49.4901f);
  EXPECT_EQ(b[1], 15.0627f);
  EXPECT_EQ(b[2], 0.0f);
  EXPECT_EQ(p[0], -36911.5f);
  EXPECT_EQ(p[1], 18819.8f);
  EXPECT_EQ(p[2], -45838.9f);

  // A field without a decimal point takes its last six digits as the fraction.
  std::string no_point = line;
  no_point.replace(25, 14, "      12345678");
  ASSERT_EQ(voxfill::read_record(no_point, t, b[0], b[1], b[2], p[0], p[1], p[2]), 0);
  EXPECT_EQ(b[0], 12.345678f);
}

class FileStageTest : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = testutil::temp_dir("files");
    old_ = fs::current_path();
    fs::current_path(dir_);
  }
  void TearDown() override {
    fs::current_path(old_);
    fs::remove_all(dir_);
  }

  // Runs the name loop over the names and returns its transcript.
  std::string run(voxfill::run_state& st, const std::string& names) {
    std::FILE* in = names.empty() ? std::fopen("/dev/null", "r")
                                  : fmemopen(const_cast<char*>(names.data()), names.size(), "r");
    voxfill::input_lines lines(in);
    testing::internal::CaptureStdout();
    voxfill::run_file_stage(st, lines);
    const std::string out = testing::internal::GetCapturedStdout();
    std::fclose(in);
    return out;
  }

  fs::path dir_, old_;
};

const std::string prompt =
    " ------------------------------------------------------------------------\n"
    " path of file to read ? (ex: FGMPOS.dat)\n";

std::string trace(int n) {
  return " record # " + std::to_string(n) + " igx,igy,igz= 3 3 3  idta,Kp,kp4= 8 0 1\n";
}

TEST_F(FileStageTest, NamesFilesAndReadFailures) {
  fs::create_directory("subdir");
  testutil::write_file(" lead.txt", good + "\n");
  testutil::write_file("bad.txt", good + "\n" + good + "\n" + good + "\n" +
                                      record_line("2005-06-21T17:00:00.000Z", 1, 2, 3, 4, 5, 6).replace(30, 3, "abc") +
                                      "\n" + good + "\n");
  testutil::write_file("blank112.txt", std::string(112, ' ') + "\n" + good + "\n");
  testutil::write_file("feb30.txt", record_line("2023-02-30T00:00:00.000Z", 1, 0, 0, 32000, 0, 0) + "\n");
  fs::create_directories("FGMPOS_asc_database/2004/2004_09");
  testutil::write_file(std::string(voxfill::excluded_file), good);  // last line without a line feed

  voxfill::run_state st = small_state(false);
  const std::string out = run(st,
                              "     a.txt\n"
                              "missing.txt\n"
                              "subdir\n"
                              " lead.txt\n"
                              "bad.txt\n"
                              "blank112.txt\n"
                              "feb30.txt\n" +
                                  std::string(voxfill::excluded_file) + "   \n");
  const std::string excluded(voxfill::excluded_file);
  const std::string expected =
      prompt + " reading file:      a.txt\n *** file name is blank, ignored\n" +
      prompt + " reading file: missing.txt\n missing.txt\n file opened\n missing.txt nf, nt= 1 0 *** empty file\n" +
      prompt + " reading file: subdir\n subdir\n *** file cannot be openned, ignored\n" +
      prompt + " reading file:  lead.txt\n  lead.txt\n file opened\n" + trace(1) + "  lead.txt nf, nt= 2 1\n" +
      prompt + " reading file: bad.txt\n bad.txt\n file opened\n" + trace(1) + trace(2) + trace(3) +
      " iosta2= 2\n record # 3 cannot be read\n bad.txt nf, nt= 3 3\n" +
      prompt + " reading file: blank112.txt\n blank112.txt\n file opened\n iosta2= 5\n record # 0 cannot be read\n"
      " blank112.txt nf, nt= 4 0 *** empty file\n" +
      prompt + " reading file: feb30.txt\n feb30.txt\n file opened\n iosta2= 7\n record # 0 cannot be read\n"
      " feb30.txt nf, nt= 5 0 *** empty file\n" +
      prompt + " reading file: " + excluded + "\n " + excluded + "\n file opened\n " + excluded + " nf, nt= 6 1\n" +
      prompt + " reading file: " + excluded + "\n *** file does not exist, ignored\n";
  EXPECT_EQ(out, expected);
  EXPECT_TRUE(fs::is_regular_file("missing.txt"));
  EXPECT_EQ(fs::file_size("missing.txt"), 0u);
  EXPECT_EQ(st.nf, 6);
  EXPECT_EQ(st.ntot, 5);
  EXPECT_EQ(st.nerrr, 3);
  EXPECT_EQ(st.nbvec, 5);
  EXPECT_EQ(st.nvalb[st.geo.cell(3, 3, 3, 8, 1)], 5);
}

TEST_F(FileStageTest, ExcludedFileRefusedWithIgrfSubtraction) {
  fs::create_directories("FGMPOS_asc_database/2004/2004_09");
  const std::string excluded(voxfill::excluded_file);
  testutil::write_file(excluded, good + "\n");
  testutil::write_file("other.txt", "");

  voxfill::run_state st = small_state(true);
  // Excluded as the last name: the pass that meets the end of input keeps
  // that name and repeats the anomaly line instead of "does not exist".
  const std::string out = run(st, excluded + "\n other.txt\nother.txt\n" + excluded + "\n");
  const std::string anomaly = " *** anomalie magfield on this file, ignored\n";
  EXPECT_EQ(out, prompt + " reading file: " + excluded + "\n" + anomaly +
                     prompt + " reading file:  other.txt\n  other.txt\n file opened\n  other.txt nf, nt= 1 0 *** empty file\n" +
                     prompt + " reading file: other.txt\n other.txt\n file opened\n other.txt nf, nt= 2 0 *** empty file\n" +
                     prompt + " reading file: " + excluded + "\n" + anomaly +
                     prompt + " reading file: " + excluded + "\n" + anomaly);
  EXPECT_EQ(st.ntot, 0);
  // Leading blanks are part of the name: " other.txt" was created beside "other.txt".
  EXPECT_TRUE(fs::exists(" other.txt"));
}

TEST_F(FileStageTest, NoNamesAtAll) {
  voxfill::run_state st = small_state(false);
  EXPECT_EQ(run(st, ""), prompt + " reading file: \n *** file does not exist, ignored\n");
  EXPECT_EQ(st.nf, 0);
}

TEST_F(FileStageTest, ReadOnlyFileIsStillRead) {
  testutil::write_file("ro.txt", good + "\n" + good + "\n");
  fs::permissions("ro.txt", fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  voxfill::run_state st = small_state(false);
  const std::string out = run(st, "ro.txt\n");
  EXPECT_NE(out.find(" ro.txt nf, nt= 1 2\n"), std::string::npos) << out;
}

}  // namespace
