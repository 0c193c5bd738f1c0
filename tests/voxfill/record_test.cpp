// Record processing: time decode, date checks, classes, cells and binning on a
// small cube, with the real coordinate, field and Kp libraries.
#include "voxfill/record.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>

#include "common/testutil.h"
#include "fortio/fortio.h"
#include "magfield/magfield.h"
#include "voxfill/run.h"
#include "vuraruro/time_param.h"
#include "vuraruro/transform.h"

namespace {

using voxfill::record_time;

// A cube of 4 cells of 10 Earth radii per axis over +-20: small enough to
// look at every cell, large enough for the whole radial range.
voxfill::run_state small_state(bool kp_on = false, bool sigrf = false) {
  voxfill::run_state st;
  st.kp_on = kp_on;
  st.sigrf = sigrf;
  st.geo.idimkp = kp_on ? 5 : 1;
  st.geo.x1 = st.geo.y1 = st.geo.z1 = -20.0f;
  st.geo.x2 = st.geo.y2 = st.geo.z2 = 20.0f;
  st.geo.dx = st.geo.dy = st.geo.dz = 10.0f;
  st.geo.nx = st.geo.ny = st.geo.nz = 4;
  voxfill::allocate_grids(st);
  st.nf = 1;
  return st;
}

std::int64_t total_samples(const voxfill::run_state& st) {
  std::int64_t n = 0;
  for (std::size_t c = 0; c < st.geo.total_cells(); ++c) n += st.nvalb[c];
  return n;
}

// Earth radii to km as the grid builder converts them.
float km(float re) { return re * voxfill::earth_radius_km; }

// Near the June 2005 solstice at 17 UT the dipole leans about +33.7 degrees
// toward the sun (tilt class 8); in December at 05 UT about -33.6 (class 2).
constexpr record_time june{2005, 6, 21, 17, 0, 0};
constexpr record_time december{2005, 12, 21, 5, 0, 0};

TEST(DecodeTime, ReadsTheSixFieldsOfAnIsoTime) {
  struct Case {
    const char* text;
    int status;
    record_time t;
  } const cases[] = {
      {"2004-09-04T12:34:56.789Z", 0, {2004, 9, 4, 12, 34, 56}},
      {"1999/01/02 03-04-05", 0, {1999, 1, 2, 3, 4, 5}},  // any separator
      {"2004-9 -04T 1:34:56", 0, {2004, 9, 4, 1, 34, 56}},  // blanks inside a field are ignored
      {"", 0, {0, 0, 0, 0, 0, 0}},                         // all blank: zeros
      {"2004-0a-04T12:34:56.000Z", fortio::read_bad_integer, {}},
      {"2004-09-04T12:3x:56.000Z", fortio::read_bad_integer, {}},
  };
  for (const Case& c : cases) {
    record_time t;
    EXPECT_EQ(voxfill::decode_time(c.text, t), c.status) << c.text;
    if (c.status == 0) {
      EXPECT_EQ(t, c.t) << c.text;
    }
  }
}

TEST(CheckDate, RefusesWhatTheTimeSetUpWouldStopOn) {
  struct Case {
    record_time t;
    int status;
  } const cases[] = {
      {{2023, 2, 28, 0, 0, 0}, 0},
      {{2024, 2, 29, 0, 0, 0}, 0},
      {{2023, 3, 0, 0, 0, 0}, 0},   // no lower bound on the day
      {{1901, 1, 1, 0, 0, 0}, 0},
      {{2099, 12, 31, 23, 59, 59}, 0},
      {{2023, 2, 29, 0, 0, 0}, voxfill::status_day},
      {{2023, 2, 30, 0, 0, 0}, voxfill::status_day},
      {{2000, 4, 31, 0, 0, 0}, voxfill::status_day},
      {{1900, 2, 29, 0, 0, 0}, voxfill::status_year},
      {{0, 0, 0, 0, 0, 0}, voxfill::status_year},  // a record of blanks
      {{1900, 1, 1, 0, 0, 0}, voxfill::status_year},
      {{2100, 1, 1, 0, 0, 0}, voxfill::status_year},
      {{2004, 13, 1, 0, 0, 0}, voxfill::status_month},
      {{2004, 0, 1, 0, 0, 0}, voxfill::status_month},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(voxfill::check_date(c.t), c.status) << c.t.iyear << "-" << c.t.imon << "-" << c.t.iday;
  }
}

// The refused dates really are the ones the coordinate library stops on.
TEST(CheckDateDeathTest, RefusedDatesStopTheTimeSetUp) {
  const record_time refused[] = {{2023, 2, 29, 0, 0, 0}, {0, 0, 0, 0, 0, 0}, {1900, 1, 1, 0, 0, 0},
                                 {2100, 1, 1, 0, 0, 0},  {2004, 13, 1, 0, 0, 0}};
  for (const record_time& t : refused) {
    ASSERT_NE(voxfill::check_date(t), 0);
    EXPECT_EXIT(
        {
          testutil::redirect_stdout("/dev/null");
          vuraruro::ctimpar(t.iyear, t.imon, t.iday, t.ih, t.im, t.is);
        },
        testing::ExitedWithCode(0), "STOP \\*\\*\\* Vuraruro");
  }
}

// Hour, minute and second are not checked: over every value their two
// columns can hold, on accepted dates at both ends of the range, the set-up
// never stops (a stop would end this test program).
TEST(CheckDate, NoHourMinuteOrSecondStopsTheSetUp) {
  const record_time dates[] = {{1901, 1, 1, 0, 0, 0}, {1965, 6, 21, 0, 0, 0}, {2004, 12, -9, 0, 0, 0},
                               {2024, 12, 31, 0, 0, 0}, {2099, 12, 31, 0, 0, 0}};
  const int values[] = {-9, -1, 0, 1, 12, 23, 24, 59, 60, 61, 99};
  testing::internal::CaptureStdout();  // years from 2025 print the dipole warning
  int setups = 0;
  for (record_time t : dates) {
    ASSERT_EQ(voxfill::check_date(t), 0);
    for (int h : values) {
      for (int m : values) {
        for (int s : values) {
          vuraruro::ctimpar(t.iyear, t.imon, t.iday, h, m, s);
          float tilt;
          vuraruro::g_gsm_dipole_tilt_angle(tilt);
          ASSERT_TRUE(std::isfinite(tilt));
          ++setups;
        }
      }
    }
  }
  testing::internal::GetCapturedStdout();
  EXPECT_EQ(setups, 5 * 11 * 11 * 11);
}

TEST(TiltClass, TenDegreeClassesRoundedToTheNearestTen) {
  struct Case {
    float diptan;
    int idta;
  } const cases[] = {
      {0.0f, 5},   {4.99f, 5},  {-4.99f, 5}, {5.0f, 6},   {-5.0f, 4},   {14.99f, 6},  {15.0f, 7},  {34.99f, 8},
      {35.0f, 9},  {44.99f, 9}, {45.0f, 10}, {-35.0f, 1}, {-44.99f, 1}, {-45.0f, 0},  {-25.0f, 2}, {-25.01f, 2},
  };
  for (const Case& c : cases) EXPECT_EQ(voxfill::tilt_class(c.diptan), c.idta) << c.diptan;
}

TEST(KpClass, FourCodesPerClassAndEverythingFrom5oInTheLast) {
  // Codes: 1 = "0o", 3 = "1-", 4 = "1o", 15 = "5-", 16 = "5o", 28 = "9o".
  struct Case {
    int kp, kp4;
  } const cases[] = {{0, 1}, {3, 1}, {4, 2}, {7, 2}, {8, 3}, {11, 3}, {12, 4}, {15, 4}, {16, 5}, {20, 5}, {28, 5}};
  for (const Case& c : cases) EXPECT_EQ(voxfill::kp_class(c.kp), c.kp4) << c.kp;
}

TEST(CellIndex, HalfOpenCellsInSinglePrecision) {
  struct Case {
    float p, lo, d;
    int index;
  } const cases[] = {
      {-20.0f, -20.0f, 0.25f, 1},   {-20.1f, -20.0f, 0.25f, 0},  {19.99f, -20.0f, 0.25f, 160},
      {20.0f, -20.0f, 0.25f, 161},  {0.0f, -20.0f, 0.25f, 81},   {-0.01f, -20.0f, 0.25f, 80},
      {-18.0f, -18.0f, 0.3f, 1},
      // 0.3 in single precision is a little above 0.3: 36 / 0.3f falls just
      // below 120, so the upper face still lands in the last cell.
      {18.0f, -18.0f, 0.3f, 120},
  };
  for (const Case& c : cases) EXPECT_EQ(voxfill::cell_index(c.p, c.lo, c.d), c.index) << c.p << " " << c.d;
}

TEST(TiltAgreement, OneDegreeIsStillAccepted) {
  struct Case {
    float a, b;
    bool agree;
  } const cases[] = {{10.0f, 9.0f, true}, {10.0f, 11.0f, true}, {10.0f, 8.5f, false}, {-3.0f, -1.5f, false},
                     {0.0f, 0.0f, true}};
  for (const Case& c : cases) EXPECT_EQ(voxfill::tilts_agree(c.a, c.b), c.agree) << c.a << " " << c.b;
}

TEST(ProcessRecord, RadialRangeDropsBeforeCounting) {
  voxfill::run_state st = small_state();
  testing::internal::CaptureStdout();
  for (const float r : {1.0f, 1.09f, 25.01f, 30.0f}) voxfill::process_record(st, june, 1, 2, 3, km(r), 0, 0);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  EXPECT_EQ(st.nt, 0);
  EXPECT_EQ(st.ntot, 0);
  EXPECT_EQ(st.nbdta, 0);
  EXPECT_EQ(total_samples(st), 0);
}

TEST(ProcessRecord, BinsTheGsmFieldAndItsMagnitudeInTheRightCell) {
  voxfill::run_state st = small_state();
  // Along X, GSE and GSM coincide: (5.1, 0, 0) Re is cell (3, 3, 3) of the
  // small cube; the field (10, 0, 0) and (-10, 0, 0) keeps its components.
  testing::internal::CaptureStdout();
  voxfill::process_record(st, june, 10, 0, 0, km(5.1f), 0, 0);
  voxfill::process_record(st, june, -10, 0, 0, km(5.1f), 0, 0);
  const std::string out = testing::internal::GetCapturedStdout();
  EXPECT_EQ(out,
            " record # 1 igx,igy,igz= 3 3 3  idta,Kp,kp4= 8 0 1\n"
            " record # 2 igx,igy,igz= 3 3 3  idta,Kp,kp4= 8 0 1\n");
  const std::size_t c = st.geo.cell(3, 3, 3, 8, 1);
  EXPECT_EQ(st.nvalb[c], 2);
  EXPECT_EQ(total_samples(st), 2);
  EXPECT_EQ(st.gridb[4 * c + 0], 0.0f);
  EXPECT_EQ(st.gridb[4 * c + 1], 0.0f);
  EXPECT_EQ(st.gridb[4 * c + 2], 0.0f);
  EXPECT_EQ(st.gridb[4 * c + 3], 20.0f);
  EXPECT_EQ(st.nt, 2);
  EXPECT_EQ(st.ntot, 2);
  EXPECT_EQ(st.nbdta, 9);

  // A general field and position: the sums are the library's GSM vector
  // and its length, in the cell of the GSM position.
  const float b[3] = {3.0f, 4.0f, -12.0f}, p[3] = {km(-6.0f), km(8.0f), km(-3.0f)};
  testing::internal::CaptureStdout();
  voxfill::process_record(st, december, b[0], b[1], b[2], p[0], p[1], p[2]);
  testing::internal::GetCapturedStdout();
  vuraruro::ctimpar(2005, 12, 21, 5, 0, 0);
  float bg[3], pg[3];
  vuraruro::t_gse_to_gsm(b[0], b[1], b[2], bg[0], bg[1], bg[2]);
  vuraruro::t_gse_to_gsm(p[0], p[1], p[2], pg[0], pg[1], pg[2]);
  const int ig[3] = {static_cast<int>(std::floor((pg[0] / 6372.2f + 20.0f) / 10.0f)) + 1,
                     static_cast<int>(std::floor((pg[1] / 6372.2f + 20.0f) / 10.0f)) + 1,
                     static_cast<int>(std::floor((pg[2] / 6372.2f + 20.0f) / 10.0f)) + 1};
  const std::size_t c2 = st.geo.cell(ig[0], ig[1], ig[2], 2, 1);
  ASSERT_EQ(st.nvalb[c2], 1);
  EXPECT_EQ(st.gridb[4 * c2 + 0], bg[0]);
  EXPECT_EQ(st.gridb[4 * c2 + 1], bg[1]);
  EXPECT_EQ(st.gridb[4 * c2 + 2], bg[2]);
  EXPECT_NEAR(st.gridb[4 * c2 + 3], 13.0f, 1e-5f);  // a rotation keeps |(3, 4, -12)| = 13
}

TEST(ProcessRecord, TraceLinesForFiveRecordsOfTheFirstFourFilesAndOneProgressLine) {
  voxfill::run_state st = small_state();
  testing::internal::CaptureStdout();
  for (int i = 0; i < 8; ++i) voxfill::process_record(st, june, 1, 0, 0, km(5.1f), 0, 0);
  const std::string first = testing::internal::GetCapturedStdout();
  std::string expected;
  for (int i = 1; i <= 5; ++i) {
    expected += " record # " + std::to_string(i) + " igx,igy,igz= 3 3 3  idta,Kp,kp4= 8 0 1\n";
  }
  expected += " Reading file...\n";
  EXPECT_EQ(first, expected);

  // Fifth file: no trace line any more.
  st.nf = 5;
  st.nt = 0;
  testing::internal::CaptureStdout();
  for (int i = 0; i < 3; ++i) voxfill::process_record(st, june, 1, 0, 0, km(5.1f), 0, 0);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  EXPECT_EQ(st.ntot, 11);
}

TEST(ProcessRecord, OutsideTheCubeCountedTracedAndDropped) {
  voxfill::run_state st = small_state();
  testing::internal::CaptureStdout();
  // 24 Re is inside the radial range but beyond the small cube's +20 face;
  // the seventh counted record is dropped, so no progress line.
  for (int i = 0; i < 6; ++i) voxfill::process_record(st, june, 1, 0, 0, km(5.1f), 0, 0);
  voxfill::process_record(st, june, 1, 0, 0, km(24.0f), 0, 0);
  const std::string out = testing::internal::GetCapturedStdout();
  EXPECT_EQ(out.find("Reading file..."), std::string::npos);
  EXPECT_EQ(st.nt, 7);
  EXPECT_EQ(total_samples(st), 6);
}

TEST(ProcessRecord, IgrfSubtractionRemovesTheModelField) {
  voxfill::run_state st = small_state(false, true);
  const float b[3] = {120.0f, -40.0f, 300.0f};
  const float p[3] = {km(3.0f), km(1.0f), km(-2.0f)};
  testing::internal::CaptureStdout();
  voxfill::process_record(st, june, b[0], b[1], b[2], p[0], p[1], p[2]);
  EXPECT_EQ(testing::internal::GetCapturedStdout().find("***"), std::string::npos);
  // Expected: GSM field minus the IGRF field at the GSM position (Re).
  vuraruro::ctimpar(2005, 6, 21, 17, 0, 0);
  float bg[3], pg[3];
  vuraruro::t_gse_to_gsm(b[0], b[1], b[2], bg[0], bg[1], bg[2]);
  vuraruro::t_gse_to_gsm(p[0], p[1], p[2], pg[0], pg[1], pg[2]);
  for (float& v : pg) v = v / 6372.2f;
  magfield::recalc_08(2005, 172, 17, 0, 0, -400.0f, 0.0f, 0.0f);  // 21 June 2005 is day 172
  float h[3];
  magfield::igrf_gsw_08(pg[0], pg[1], pg[2], h[0], h[1], h[2]);
  const int ig[3] = {static_cast<int>(std::floor((pg[0] + 20.0f) / 10.0f)) + 1,
                     static_cast<int>(std::floor((pg[1] + 20.0f) / 10.0f)) + 1,
                     static_cast<int>(std::floor((pg[2] + 20.0f) / 10.0f)) + 1};
  const std::size_t c = st.geo.cell(ig[0], ig[1], ig[2], 8, 1);
  ASSERT_EQ(st.nvalb[c], 1);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(st.gridb[4 * c + i], bg[i] - h[i]) << i;
  // At 3.7 Re the dipole field is hundreds of nT: the subtraction matters.
  EXPECT_GT(std::fabs(h[2]), 100.0f);
  EXPECT_EQ(st.nblorej, 0);
}

TEST(ProcessRecord, DisagreeingTiltsRejectTheRecordAfterCountingIt) {
  voxfill::run_state st = small_state(false, true);
  testing::internal::CaptureStdout();
  voxfill::process_record(st, june, 1, 0, 0, km(5.1f), 0, 0);
  ASSERT_EQ(testing::internal::GetCapturedStdout().find("***"), std::string::npos);
  // A second record of the same instant reuses the field library's state:
  // turn its tilt 1.5 degrees away so that the two libraries disagree.
  magfield::magfld1.psi += 1.5f * 3.14159f / 180.0f;
  float diptan, tdiptan;
  vuraruro::g_gsm_dipole_tilt_angle(diptan);
  diptan = diptan * 180.0f / 3.14159f;
  voxfill::gdiptil(tdiptan);
  tdiptan = 180.0f * tdiptan / 3.14159f;
  ASSERT_GT(std::fabs(diptan - tdiptan), 1.0f);
  st.nbvec = 2;
  testing::internal::CaptureStdout();
  voxfill::process_record(st, june, 1, 0, 0, km(5.1f), 0, 0);
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            fortio::free_line("*** dipta, Tdiptan,diff=", diptan, tdiptan, diptan - tdiptan) + "\n" +
                " *** block rejected : 1 / 2\n");
  EXPECT_EQ(st.nblorej, 1);
  EXPECT_EQ(st.nt, 2);
  EXPECT_EQ(st.ntot, 2);
  EXPECT_EQ(total_samples(st), 1);
}

TEST(ProcessRecord, ARepeatedInstantGivesTheSameSumsAsAFreshSetUp) {
  const float b[3] = {12.5f, -7.25f, 31.0f}, p[3] = {km(2.0f), km(-4.0f), km(6.5f)};
  voxfill::run_state reused = small_state(false, true), fresh = small_state(false, true);
  testing::internal::CaptureStdout();
  voxfill::process_record(reused, june, b[0], b[1], b[2], p[0], p[1], p[2]);
  voxfill::process_record(reused, june, b[0], b[1], b[2], p[0], p[1], p[2]);
  voxfill::process_record(fresh, june, b[0], b[1], b[2], p[0], p[1], p[2]);
  voxfill::process_record(fresh, december, b[0], b[1], b[2], p[0], p[1], p[2]);
  voxfill::process_record(fresh, june, b[0], b[1], b[2], p[0], p[1], p[2]);
  testing::internal::GetCapturedStdout();
  for (std::size_t c = 0; c < reused.geo.total_cells(); ++c) {
    if (reused.nvalb[c] == 0) continue;
    EXPECT_EQ(reused.nvalb[c], 2);
    EXPECT_EQ(fresh.nvalb[c], 2);
    for (int k = 0; k < 4; ++k) EXPECT_EQ(reused.gridb[4 * c + k], fresh.gridb[4 * c + k]) << k;
  }
  EXPECT_EQ(total_samples(reused), 2);
}

TEST(ProcessRecord, SetUpWarningsRepeatForEveryRecord) {
  // From 2025 on the coordinate library warns at each set-up that its pole
  // table ends; a repeated instant must not silence it.
  voxfill::run_state st = small_state();
  const record_time t{2025, 3, 1, 0, 0, 0};
  testing::internal::CaptureStdout();
  voxfill::process_record(st, t, 1, 0, 0, km(30.0f), 0, 0);
  const std::string one = testing::internal::GetCapturedStdout();
  ASSERT_NE(one.find("Warning"), std::string::npos);
  testing::internal::CaptureStdout();
  voxfill::process_record(st, t, 1, 0, 0, km(30.0f), 0, 0);
  voxfill::process_record(st, t, 1, 0, 0, km(30.0f), 0, 0);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), one + one);
}

// Kp classes from the real Kp history file.
class KpRecordTest : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = testutil::temp_dir("kprec");
    std::filesystem::copy_file(std::filesystem::path(VOXFILL_DATA_DIR) / kp::file_name, dir_ / kp::file_name);
    old_ = std::filesystem::current_path();
    std::filesystem::current_path(dir_);
    st_ = small_state(true);
    testing::internal::CaptureStdout();
    kp::read_kp_data(st_.datim, st_.ikp, st_.nrec);
    st_.kp_idx.build(st_.datim, st_.ikp, st_.nrec);
    testing::internal::GetCapturedStdout();
  }
  void TearDown() override {
    std::filesystem::current_path(old_);
    std::filesystem::remove_all(dir_);
  }

  // Code of the notation on the file's line for this date and hour, read
  // straight from the text (0 when there is no such line).
  static int code_in_file(const std::string& date_hour) {
    static const char* const notations[] = {"0o", "0+", "1-", "1o", "1+", "2-", "2o", "2+", "3-", "3o",
                                            "3+", "4-", "4o", "4+", "5-", "5o", "5+", "6-", "6o", "6+",
                                            "7-", "7o", "7+", "8-", "8o", "8+", "9-", "9o"};
    std::ifstream in(std::filesystem::path(VOXFILL_DATA_DIR) / kp::file_name);
    std::string line;
    while (std::getline(in, line)) {
      if (line.compare(0, 13, date_hour) == 0 && line.size() >= 30) {
        for (int i = 0; i < 28; ++i) {
          if (line.compare(28, 2, notations[i]) == 0) return i + 1;
        }
      }
    }
    return 0;
  }

  // First data line holding the notation, as "YYYY-MM-DDThh".
  static std::string first_with(const char* notation) {
    std::ifstream in(std::filesystem::path(VOXFILL_DATA_DIR) / kp::file_name);
    std::string line;
    for (int i = 0; i < 37; ++i) std::getline(in, line);
    while (std::getline(in, line)) {
      if (line.size() >= 30 && line.compare(28, 2, notation) == 0) return line.substr(0, 13);
    }
    return "";
  }

  // Processes a record at the date and hour; returns the Kp class it was
  // binned in (0 when not binned).
  int bin(int y, int mo, int d, int h) {
    const record_time t{y, mo, d, h, 30, 0};
    testing::internal::CaptureStdout();
    voxfill::process_record(st_, t, 1, 0, 0, km(5.1f), 0, 0);
    testing::internal::GetCapturedStdout();
    for (int kp4 = 1; kp4 <= 5; ++kp4) {
      const std::int64_t n = samples_in_class(kp4);
      if (n > seen_[kp4]) {
        seen_[kp4] = n;
        return kp4;
      }
    }
    return 0;
  }

  std::int64_t samples_in_class(int kp4) const {
    std::int64_t n = 0;
    for (int idta = 1; idta <= 9; ++idta) {
      for (int k = 1; k <= 4; ++k) {
        for (int j = 1; j <= 4; ++j) {
          for (int i = 1; i <= 4; ++i) n += st_.nvalb[st_.geo.cell(i, j, k, idta, kp4)];
        }
      }
    }
    return n;
  }

  std::filesystem::path dir_, old_;
  voxfill::run_state st_;
  std::int64_t seen_[6] = {};
};

TEST_F(KpRecordTest, HoursMatchTheThreeHourlyEntryWithinOne) {
  // The entries of 2000-10-01 have hours 01, 04, 07, ...
  const int at01 = code_in_file("2000-10-01T01"), at04 = code_in_file("2000-10-01T04");
  ASSERT_NE(at01, at04);
  // The first record of a run on a date missing from the table: code 0, class 1.
  EXPECT_EQ(bin(2000, 9, 30, 12), 1);
  EXPECT_EQ(st_.kp, 0);
  struct Case {
    int hour, code;
  } const cases[] = {{0, at01}, {2, at01}, {3, at04}, {1, at01}, {4, at04}, {5, at04}};
  for (const Case& c : cases) {
    EXPECT_EQ(bin(2000, 10, 1, c.hour), voxfill::kp_class(c.code)) << c.hour;
    EXPECT_EQ(st_.kp, c.code) << c.hour;
  }
  // A date missing from the table keeps the last matched code.
  EXPECT_EQ(bin(2000, 9, 15, 12), voxfill::kp_class(at04));
  EXPECT_EQ(st_.kp, at04);
}

TEST_F(KpRecordTest, ClassBoundariesOnRealEntries) {
  struct Case {
    const char* notation;
    int code, kp4;
  } const cases[] = {{"5-", 15, 4}, {"5o", 16, 5}, {"9o", 28, 5}, {"1-", 3, 1}, {"1o", 4, 2}};
  for (const Case& c : cases) {
    const std::string dh = first_with(c.notation);
    ASSERT_EQ(dh.size(), 13u) << c.notation;
    const int y = std::stoi(dh.substr(0, 4)), mo = std::stoi(dh.substr(5, 2)), d = std::stoi(dh.substr(8, 2)),
              h = std::stoi(dh.substr(11, 2));
    EXPECT_EQ(bin(y, mo, d, h), c.kp4) << dh;
    EXPECT_EQ(st_.kp, c.code) << dh;
  }
}

}  // namespace
