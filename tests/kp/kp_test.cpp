#include "kp/kp.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "fortio/fortio.h"
#include "testutil.h"

namespace {

namespace fs = std::filesystem;

// Runs in a fresh directory that holds `content` as the Kp file (or no file).
class KpFile : public ::testing::Test {
 protected:
  void SetUp() override {
    old_ = fs::current_path();
    dir_ = testutil::temp_dir("kp");
    fs::current_path(dir_);
  }
  void TearDown() override {
    fs::current_path(old_);
    fs::remove_all(dir_);
  }
  static std::string header(int lines) {
    std::string h;
    for (int i = 0; i < lines; ++i) h += "# header line " + std::to_string(i + 1) + "\n";
    return h;
  }
  void write(const std::string& content) { testutil::write_file(kp::file_name, content); }
  std::string load(std::vector<kp::datim_text>& datim, std::vector<int>& ikp, int& nrec) {
    testing::internal::CaptureStdout();
    kp::read_kp_data(datim, ikp, nrec);
    return testing::internal::GetCapturedStdout();
  }
  static std::string text(const kp::datim_text& t) { return std::string(t.data(), t.size()); }

  fs::path old_, dir_;
};

TEST(KpCode, NotationsInOrderAndNothingElse) {
  const char* notations[] = {"0o", "0+", "1-", "1o", "1+", "2-", "2o", "2+", "3-", "3o", "3+", "4-", "4o", "4+",
                             "5-", "5o", "5+", "6-", "6o", "6+", "7-", "7o", "7+", "8-", "8o", "8+", "9-", "9o"};
  for (int i = 0; i < 28; ++i) EXPECT_EQ(kp::kp_code(notations[i][0], notations[i][1]), i + 1) << notations[i];
  const char* others[] = {"0-", "9+", "3 ", " 3", "3O", "  ", "10", "o3"};
  for (const char* o : others) EXPECT_EQ(kp::kp_code(o[0], o[1]), 0) << o;
}

TEST_F(KpFile, ReadsDataLinesAfterTheHeader) {
  write(header(36) + "\n   \n# 37th counted line\n" +      // blank lines extend the header
        "2003-10-29T07:30:00.000Z    9o  400\n"
        "2003-10-29T10:30:00.000Z    3+   18\n"
        "2003-10-29T13:3\n"                                   // short line: blank Kp field
        "2003-10-29T16:30:00.000Z    9+  999\n"
        "\n"                                                  // a blank line is an entry too
        "2003-10-29T19:30:00.000Z    3O   15");               // no final line feed
  std::vector<kp::datim_text> datim;
  std::vector<int> ikp;
  int nrec = -1;
  EXPECT_EQ(load(datim, ikp, nrec), " records read: 6\n");
  ASSERT_EQ(nrec, 6);
  ASSERT_EQ(datim.size(), static_cast<std::size_t>(kp::capacity));
  const struct {
    const char* datim;
    int code;
  } want[] = {{"2003-10-29T07", 28}, {"2003-10-29T10", 11}, {"2003-10-29T13", 0},
              {"2003-10-29T16", 0},  {"             ", 0},  {"2003-10-29T19", 0}};
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(text(datim[i]), want[i].datim) << i;
    EXPECT_EQ(ikp[i], want[i].code) << i;
  }
}

TEST_F(KpFile, HeaderOnlyGivesNoEntry) {
  write(header(37));
  std::vector<kp::datim_text> datim;
  std::vector<int> ikp;
  int nrec = -1;
  EXPECT_EQ(load(datim, ikp, nrec), " records read: 0\n");
  EXPECT_EQ(nrec, 0);
}

TEST_F(KpFile, ShortHeaderOrMissingFileEndsTheRunWithAnError) {
  std::vector<kp::datim_text> datim;
  std::vector<int> ikp;
  int nrec = 0;
  write(header(36) + "\n\n");
  EXPECT_EXIT(kp::read_kp_data(datim, ikp, nrec), ::testing::ExitedWithCode(2), "header");
  fs::remove(kp::file_name);
  EXPECT_EXIT(kp::read_kp_data(datim, ikp, nrec), ::testing::ExitedWithCode(2), "Kp_2000-10-01_2025-08-31_D.dat");
  EXPECT_TRUE(fs::exists(kp::file_name)) << "a missing file is created empty";
  EXPECT_EQ(fs::file_size(kp::file_name), 0u);
}

TEST_F(KpFile, MoreDataLinesThanTheTableHoldsIsRefused) {
  std::string content = header(37);
  const std::string line = "2010-01-01T01:30:00.000Z    2o    7\n";
  for (int i = 0; i < kp::capacity; ++i) content += line;
  write(content);
  std::vector<kp::datim_text> datim;
  std::vector<int> ikp;
  int nrec = 0;
  EXPECT_EQ(load(datim, ikp, nrec), " records read: 80000\n");  // exactly full is fine
  write(content + line);
  EXPECT_EXIT(kp::read_kp_data(datim, ikp, nrec), ::testing::ExitedWithCode(2), "more than 80000 data lines");
}

TEST_F(KpFile, RealHistoryLoadsWhole) {
  fs::copy_file(fs::path(VOXFILL_DATA_DIR) / kp::file_name, kp::file_name);
  std::vector<kp::datim_text> datim;
  std::vector<int> ikp;
  int nrec = 0;
  EXPECT_EQ(load(datim, ikp, nrec), " records read: 72808\n");  // 9101 days x 8
  EXPECT_EQ(text(datim[0]), "2000-10-01T01");
  EXPECT_EQ(ikp[0], kp::kp_code('4', 'o'));
  EXPECT_EQ(text(datim[nrec - 1]), "2025-08-31T22");
  EXPECT_EQ(ikp[nrec - 1], kp::kp_code('1', 'o'));
  // The Halloween storm of 29-30 October 2003 (GFZ definitive values).
  kp::kp_index index;
  index.build(datim, ikp, nrec);
  const struct {
    int day, hour;
    const char* notation;
  } storm[] = {{29, 1, "5-"}, {29, 7, "9o"}, {29, 22, "9-"}, {30, 4, "7+"}, {30, 19, "9o"}, {30, 22, "9o"}};
  for (const auto& s : storm) {
    int code = -1;
    ASSERT_TRUE(index.find(2003, 10, s.day, s.hour, code));
    EXPECT_EQ(code, kp::kp_code(s.notation[0], s.notation[1])) << s.day << " " << s.hour;
  }
}

// The scan the index replaces, written out plainly.
bool linear_scan(const std::vector<kp::datim_text>& datim, const std::vector<int>& ikp, int nrec, int iyear,
                 int imon, int iday, int ih, int& code) {
  std::string curdate;
  fortio::put_i(curdate, iyear, 4);
  curdate += '-';
  fortio::put_i(curdate, imon, 2, 2);
  curdate += '-';
  fortio::put_i(curdate, iday, 2, 2);
  for (int k = 0; k < nrec; ++k) {
    const std::string entry(datim[k].data(), 13);
    if (entry.compare(0, 10, curdate) != 0) continue;
    int ihk = 0;
    EXPECT_EQ(fortio::read_i(entry, 12, 2, ihk), fortio::read_ok);
    if (ihk - 1 == ih || ihk == ih || ihk + 1 == ih) {
      code = ikp[k];
      return true;
    }
  }
  return false;
}

kp::datim_text make(const char* s) {
  kp::datim_text t;
  t.fill(' ');
  for (std::size_t i = 0; i < 13 && s[i]; ++i) t[i] = s[i];
  return t;
}

TEST(KpIndex, FindsWhatTheScanFinds) {
  // Out of order, duplicated hours, a blank hour (reads as 0), and dates that
  // no written date can equal.
  const std::vector<kp::datim_text> datim = {
      make("2004-01-05T04"), make("2004-01-05T01"), make("2004-01-06T01"), make("2004-01-05T07"),
      make("2004-01-05T04"), make("2004-01-05"),    make("2004-1-05T01"),  make(""),
      make("2004-01-04T22"), make("2004-01-05T22"), make("2004-01-05 23")};
  const std::vector<int> ikp = {10, 4, 16, 28, 15, 3, 20, 0, 12, 8, 9};
  const int nrec = static_cast<int>(datim.size());
  kp::kp_index index;
  index.build(datim, ikp, nrec);
  int matches = 0;
  for (int day = 3; day <= 7; ++day) {
    for (int hour = -1; hour <= 25; ++hour) {
      int want = -7, got = -7;
      const bool found = linear_scan(datim, ikp, nrec, 2004, 1, day, hour, want);
      EXPECT_EQ(index.find(2004, 1, day, hour, got), found) << day << " " << hour;
      EXPECT_EQ(got, want) << day << " " << hour;
      matches += found;
    }
  }
  EXPECT_GT(matches, 10);
  int code = -7;
  EXPECT_FALSE(index.find(20041, 1, 5, 1, code));
  EXPECT_FALSE(index.find(2004, 100, 5, 1, code));
  EXPECT_EQ(code, -7);
}

TEST(KpIndex, HourThatIsNotAnIntegerStopsAtBuild) {
  const std::vector<kp::datim_text> datim = {make("2004-01-05T01"), make("2004-01-05Tx1")};
  const std::vector<int> ikp = {4, 5};
  kp::kp_index index;
  EXPECT_EXIT(index.build(datim, ikp, 2), ::testing::ExitedWithCode(2), "entry 2 .*2004-01-05Tx1.*not an integer");
  // An entry whose date can never match is never read for its hour.
  const std::vector<kp::datim_text> odd = {make("xxxx-01-05Txx")};
  index.build(odd, {0}, 1);
  int code = -1;
  EXPECT_FALSE(index.find(2004, 1, 5, 1, code));
}

}  // namespace
