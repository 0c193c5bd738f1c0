// Time-parameter set-up: sun position against the Astronomical Almanac's
// low-precision formulas, published tilt values, the geomagnetic pole table
// with its warnings, the fatal year checks, and the geometry of every frame
// stored in the state records.
#include "vuraruro/time_param.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cmath>
#include <cstring>
#include <numbers>
#include <string>
#include <thread>
#include <vector>

#include "common/testutil.h"
#include "vuraruro/calendar.h"

namespace vuraruro {
namespace {

constexpr double pi = std::numbers::pi;
constexpr double deg = pi / 180.0;

struct v3 {
  double x, y, z;
};
v3 vec(float a, float b, float c) { return {a, b, c}; }
double dot(const v3& a, const v3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
v3 cross(const v3& a, const v3& b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
double norm(const v3& a) { return std::sqrt(dot(a, a)); }
double dist(const v3& a, const v3& b) { return norm({a.x - b.x, a.y - b.y, a.z - b.z}); }
// GEI -> GEO: turn about Z by the Greenwich sidereal angle.
v3 gei_to_geo(const v3& v, double gst) {
  return {std::cos(gst) * v.x + std::sin(gst) * v.y, -std::sin(gst) * v.x + std::cos(gst) * v.y,
          v.z};
}
// Difference of two angles on the circle, degrees in -180..180.
double angle_diff_deg(double a, double b) {
  double d = std::fmod(a - b, 360.0);
  if (d > 180.0) d -= 360.0;
  if (d < -180.0) d += 360.0;
  return d;
}

struct instant {
  int y, mo, d, h, mi, s;
};

// Days from J2000.0 (2000-01-01 12:00 UT).
double days_from_j2000(const instant& t) {
  namespace chr = std::chrono;
  const chr::sys_days day{chr::year{t.y} / chr::month{unsigned(t.mo)} / chr::day{unsigned(t.d)}};
  const chr::sys_days j2000{chr::year{2000} / chr::January / chr::day{1}};
  return double((day - j2000).count()) + (t.h * 3600.0 + t.mi * 60.0 + t.s) / 86400.0 - 0.5;
}

// Sun by the Astronomical Almanac's low-precision formulas (about 0.01 deg).
struct almanac_sun {
  double gmst_deg, lambda_deg, eps_deg;
  v3 gei;  // unit vector toward the sun, equinox of date
};
almanac_sun almanac(const instant& t) {
  const double n = days_from_j2000(t);
  const double L = 280.460 + 0.9856474 * n;
  const double g = (357.528 + 0.9856003 * n) * deg;
  const double lambda = L + 1.915 * std::sin(g) + 0.020 * std::sin(2 * g);
  const double eps = 23.439 - 0.0000004 * n;
  almanac_sun a{};
  a.gmst_deg = std::fmod(280.46061837 + 360.98564736629 * n, 360.0);
  if (a.gmst_deg < 0) a.gmst_deg += 360.0;
  a.lambda_deg = lambda;
  a.eps_deg = eps;
  const double l = lambda * deg, e = eps * deg;
  a.gei = {std::cos(l), std::cos(e) * std::sin(l), std::sin(e) * std::sin(l)};
  return a;
}

// Geographic latitude and east longitude (deg) of a unit vector in GEO.
void lat_lon(const v3& d, double& lat, double& lon) {
  lat = 90.0 - std::acos(d.z) / deg;
  lon = std::atan2(d.y, d.x) / deg;
}

std::string pole_warning(const char* requested, const char* used) {
  return std::string(" * VURARURO/cp_geo_dipole_dir: Warning! year=") + requested +
         " [1900-2025] only, result for " + used + "\n";
}

// Every record, for exact comparisons of two set-ups.
struct snapshot {
  timp00_rec r00;
  timp01_rec r01;
  timp02_rec r02;
  timp03_rec r03;
  timp04_rec r04;
  timp05_rec r05;
  timp06_rec r06;
  timp07_rec r07;
  timp08_rec r08;
  timp09_rec r09;
  timp10_rec r10;
  timp11_rec r11;
  timp12_rec r12;
  timp13_rec r13;
  timp14_rec r14;
  timp15_rec r15;
};
snapshot take_snapshot() {
  return {timp00, timp01, timp02, timp03, timp04, timp05, timp06, timp07,
          timp08, timp09, timp10, timp11, timp12, timp13, timp14, timp15};
}
bool same_bits(const snapshot& a, const snapshot& b) {
  return std::memcmp(&a, &b, sizeof(snapshot)) == 0;
}
bool all_zero(const snapshot& a) {
  const snapshot z{};
  return same_bits(a, z);
}

// ---------------------------------------------------------------------------

TEST(TimeParam, GettersGiveZerosBeforeAnySetUp) {
  // The records are per thread: a new thread sees them as they start.
  std::vector<float> got;
  bool records_zero = false;
  std::thread([&] {
    records_zero = all_zero(take_snapshot());
    float v[6];
    g_gsm_dipole_tilt_angle(v[0]);
    got.push_back(v[0]);
    gdiptan(v[0]);
    got.push_back(v[0]);
    g_gei_sun_param(v[0], v[1], v[2], v[3], v[4]);
    got.insert(got.end(), v, v + 5);
    gsunpar(v[0], v[1], v[2], v[3], v[4]);
    got.insert(got.end(), v, v + 5);
    g_gei_geo_sun_dir(v[0], v[1], v[2], v[3], v[4], v[5]);
    got.insert(got.end(), v, v + 6);
    g_gei_geo_sun_rot(v[0], v[1], v[2], v[3], v[4], v[5]);
    got.insert(got.end(), v, v + 6);
    g_gei_geo_ecliptic_dir(v[0], v[1], v[2], v[3], v[4], v[5]);
    got.insert(got.end(), v, v + 6);
    g_gei_geo_dipole_dir(v[0], v[1], v[2], v[3], v[4], v[5]);
    got.insert(got.end(), v, v + 6);
    gsundir(v[0], v[1], v[2], v[3], v[4], v[5]);
    got.insert(got.end(), v, v + 6);
  }).join();
  EXPECT_TRUE(records_zero);
  ASSERT_EQ(got.size(), 42u);
  for (float f : got) EXPECT_EQ(f, 0.0f);
}

// Published values of the dipole tilt at the solstices: the tilt peaks near
// obliquity + dipole colatitude (23.4 + 10.3 deg) when the northern
// geomagnetic pole (72 W) faces the sun in June, near 17 UT.
TEST(TimeParam, PublishedTiltsAtSolstices) {
  struct Case {
    instant t;
    double tilt_deg;
  };
  const Case cases[] = {{{2005, 6, 21, 17, 0, 0}, 33.7}, {{2005, 12, 21, 5, 0, 0}, -33.6}};
  for (const Case& c : cases) {
    cp_time_param(c.t.y, c.t.mo, c.t.d, c.t.h, c.t.mi, c.t.s);
    float tilt = 99;
    g_gsm_dipole_tilt_angle(tilt);
    EXPECT_NEAR(tilt / deg, c.tilt_deg, 0.1) << c.t.y << "-" << c.t.mo << "-" << c.t.d;
  }
}

// Astronomical Almanac for 2000: at 2000-01-01 12:00 UT the mean sidereal
// time is 280.46 deg and the sun stands at right ascension 18h45.2m
// (281.29 deg), declination -23.03 deg.
TEST(TimeParam, J2000SunAndSiderealTime) {
  cp_time_param(2000, 1, 1, 12, 0, 0);
  float gmst, slon, sras, sdec, obli;
  g_gei_sun_param(gmst, slon, sras, sdec, obli);
  EXPECT_NEAR(gmst / deg, 280.46, 0.01);
  EXPECT_NEAR(sras / deg, 281.29, 0.03);
  EXPECT_NEAR(sdec / deg, -23.03, 0.03);
  EXPECT_NEAR(obli / deg, 23.439, 0.002);
  float gst, sl, sra, sd, ob;
  cp_gei_sun_dir(2000, 1, 12, 0, 0, gst, sl, sra, sd, ob);
  EXPECT_EQ(gst, gmst);
  EXPECT_EQ(sl, slon);
  EXPECT_EQ(sra, sras);
  EXPECT_EQ(sd, sdec);
  EXPECT_EQ(ob, obli);
}

// A spread of instants across the whole supported range, with hours,
// minutes and seconds that exercise the fraction of the day.
std::vector<instant> sample_instants() {
  std::vector<instant> v;
  int k = 0;
  for (int y = 1901; y <= 2099; y += 3) {
    const int mo = 1 + (k * 5) % 12;
    const int d = 1 + (k * 11) % 28;
    v.push_back({y, mo, d, (k * 7) % 24, (k * 13) % 60, (k * 29) % 60});
    ++k;
  }
  for (int mo = 1; mo <= 12; ++mo) v.push_back({2005, mo, 15, 23, 59, 59});
  v.push_back({2099, 12, 31, 23, 59, 59});
  v.push_back({1901, 1, 1, 0, 0, 0});
  v.push_back({2024, 2, 29, 12, 0, 0});
  return v;
}

TEST(TimeParam, SunAndSiderealTimeAgreeWithAlmanacFrom1901To2099) {
  for (const instant& t : sample_instants()) {
    int idoy = 0;
    cv_date_to_doty(t.y, t.mo, t.d, idoy);
    float gst, slong, sra, sdec, obliq;
    csundir(t.y, idoy, t.h, t.mi, t.s, gst, slong, sra, sdec, obliq);
    const almanac_sun a = almanac(t);
    EXPECT_NEAR(angle_diff_deg(gst / deg, a.gmst_deg), 0.0, 0.006) << t.y << "-" << t.mo;
    EXPECT_NEAR(angle_diff_deg(slong / deg, a.lambda_deg), 0.0, 0.02) << t.y << "-" << t.mo;
    EXPECT_NEAR(obliq / deg, a.eps_deg, 0.004) << t.y;
    // Right ascension and declination put the sun on the almanac's direction.
    const v3 s = {std::cos(sra) * std::cos(sdec), std::sin(sra) * std::cos(sdec), std::sin(sdec)};
    // Chord length, not acos of the dot product, which loses digits near 1.
    EXPECT_LT(dist(s, a.gei) / deg, 0.015) << t.y << "-" << t.mo;
    EXPECT_GE(sra, 0.0f);
    EXPECT_LT(sra, float(2 * pi) + 1e-6f);
  }
}

// ---------------------------------------------------------------------------
// Geomagnetic pole table

// Pole position from the yearly table, interpolated by hand from the
// tabulated rows: value(year) + (value(year+1) - value(year)) * doy / 365.25.
TEST(DipoleDir, InterpolatesTabulatedPole) {
  struct Case {
    int year, doy;
    double lat0, lat1, lon0, lon1;  // the two rows used
  };
  const Case cases[] = {
      {1901, 50, 78.68, 78.68, -68.78, -68.77},  {1915, 365, 78.64, 78.64, -68.57, -68.53},
      {1944, 1, 78.55, 78.55, -68.53, -68.53},   {1965, 100, 78.60, 78.61, -69.85, -69.92},
      {1969, 365, 78.65, 78.66, -70.11, -70.18}, {1970, 1, 78.59, 78.61, -70.18, -70.24},
      {1985, 183, 78.97, 79.01, -70.90, -70.94}, {2005, 1, 79.75, 79.80, -71.81, -71.88},
      {2015, 300, 80.31, 80.37, -72.61, -72.63}, {2024, 366, 80.79, 80.84, -72.65, -72.64},
  };
  testing::internal::CaptureStdout();
  for (const Case& c : cases) {
    float d1, d2, d3;
    cp_geo_dipole_dir(c.year, c.doy, d1, d2, d3);
    EXPECT_NEAR(norm(vec(d1, d2, d3)), 1.0, 2e-7);
    double lat, lon;
    lat_lon(vec(d1, d2, d3), lat, lon);
    const double f = c.doy / 365.25;
    EXPECT_NEAR(lat, c.lat0 + (c.lat1 - c.lat0) * f, 1e-4) << c.year << " " << c.doy;
    EXPECT_NEAR(lon, c.lon0 + (c.lon1 - c.lon0) * f, 1e-4) << c.year << " " << c.doy;
    float e1, e2, e3;
    cdipdir(c.year, c.doy, e1, e2, e3);
    EXPECT_EQ(e1, d1);
    EXPECT_EQ(e2, d2);
    EXPECT_EQ(e3, d3);
  }
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");  // all inside the table
}

TEST(DipoleDir, LatitudeStepsDownBetween1969And1970) {
  float a1, a2, a3, b1, b2, b3;
  cp_geo_dipole_dir(1969, 365, a1, a2, a3);
  cp_geo_dipole_dir(1970, 1, b1, b2, b3);
  double lat69, lon69, lat70, lon70;
  lat_lon(vec(a1, a2, a3), lat69, lon69);
  lat_lon(vec(b1, b2, b3), lat70, lon70);
  // 1969 ends near the first run's 78.66, 1970 starts on the second run's 78.59.
  EXPECT_NEAR(lat70 - lat69, -0.07, 1e-3);
  EXPECT_NEAR(lon70 - lon69, 0.0, 1e-3);
}

TEST(DipoleDir, RangeWarningsAndClampedYears) {
  struct Case {
    int year, doy;
    const char* warning;  // expected output, empty inside the table
    int same_as_year;     // year whose pole it must equal exactly (same day), or 0
  };
  const std::string w1900 = pole_warning("1900", "1900");
  const std::string w1850 = pole_warning("1850", "1900");
  const std::string w2025 = pole_warning("2025", "2025");
  const std::string w2030 = pole_warning("2030", "2025");
  const std::string wbig = pole_warning("****", "2025");
  const std::string wneg = pole_warning("****", "1900");
  const std::string w0012 = pole_warning("0012", "1900");
  struct Row {
    int year, doy;
    std::string out;
    int same_as_year;
  };
  const Row rows[] = {
      {1901, 1, "", 0},           {2024, 200, "", 0},         {1900, 100, w1900, 0},
      {1850, 100, w1850, 1900},   {12, 100, w0012, 1900},     {-7, 100, wneg, 1900},
      {2025, 1, w2025, 0},        {2025, 300, w2025, 2025},   {2030, 17, w2030, 2025},
      {123456, 17, wbig, 2025},
  };
  for (const Row& r : rows) {
    testing::internal::CaptureStdout();
    float d1, d2, d3;
    cp_geo_dipole_dir(r.year, r.doy, d1, d2, d3);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), r.out) << r.year;
    if (r.same_as_year != 0) {
      testing::internal::CaptureStdout();
      float e1, e2, e3;
      cp_geo_dipole_dir(r.same_as_year, r.doy, e1, e2, e3);
      testing::internal::GetCapturedStdout();
      EXPECT_EQ(d1, e1) << r.year;
      EXPECT_EQ(d2, e2) << r.year;
      EXPECT_EQ(d3, e3) << r.year;
    }
  }
}

TEST(DipoleDir, Year1900StillInterpolatesByDay) {
  testing::internal::CaptureStdout();
  float a1, a2, a3, b1, b2, b3;
  cp_geo_dipole_dir(1900, 1, a1, a2, a3);
  cp_geo_dipole_dir(1900, 300, b1, b2, b3);
  testing::internal::GetCapturedStdout();
  double lat_a, lon_a, lat_b, lon_b;
  lat_lon(vec(a1, a2, a3), lat_a, lon_a);
  lat_lon(vec(b1, b2, b3), lat_b, lon_b);
  EXPECT_NEAR(lon_a, -68.79 + 0.01 / 365.25, 1e-4);
  EXPECT_NEAR(lon_b, -68.79 + 0.01 * 300 / 365.25, 1e-4);
  EXPECT_NEAR(lat_b, 78.68, 1e-4);
}

TEST(DipoleDir, From2025OnThePresetPoleHoldsAllYear) {
  testing::internal::CaptureStdout();
  for (int doy : {1, 180, 365}) {
    float d1, d2, d3;
    cp_geo_dipole_dir(2025, doy, d1, d2, d3);
    double lat, lon;
    lat_lon(vec(d1, d2, d3), lat, lon);
    EXPECT_NEAR(lat, 80.84, 1e-4) << doy;
    EXPECT_NEAR(lon, -72.64, 1e-4) << doy;
  }
  testing::internal::GetCapturedStdout();
}

// Every set-up in 2025 or later repeats the warning.
TEST(TimeParam, WarnsAtEverySetUpFrom2025) {
  testing::internal::CaptureStdout();
  cp_time_param(2025, 3, 1, 0, 0, 0);
  cp_time_param(2025, 3, 1, 0, 0, 1);
  cp_time_param(2030, 7, 4, 10, 0, 0);
  const std::string w2025 = pole_warning("2025", "2025");
  EXPECT_EQ(testing::internal::GetCapturedStdout(), w2025 + w2025 + pole_warning("2030", "2025"));
}

// ---------------------------------------------------------------------------
// Fatal paths

struct FatalCase {
  const char* name;
  void (*call)();
  const char* stop_text;
  std::string stdout_text;
};

const std::string sun_year_lines(const char* year) {
  return std::string(" *** Vuraruro/cp_gei_sun_dir: year = ") + year +
         "\n *** Vuraruro/cp_gei_sun_dir: year must be >1900 and <2099\n";
}
constexpr const char* sun_stop = "*** Vuraruro/cp_gei_sun_dir: year must be >1900 and <2099";

class TimeParamFatal : public ::testing::TestWithParam<FatalCase> {};

TEST_P(TimeParamFatal, WritesMessagesAndStops) {
  const FatalCase& c = GetParam();
  EXPECT_STOP(c.call(), std::string(c.stop_text), c.stdout_text);
}

INSTANTIATE_TEST_SUITE_P(
    YearAndDateChecks, TimeParamFatal,
    ::testing::Values(
        // The date check comes first, then the dipole warning, then the sun's year check.
        FatalCase{"year_1900_warns_then_stops", [] { cp_time_param(1900, 6, 1, 0, 0, 0); },
                  sun_stop, pole_warning("1900", "1900") + sun_year_lines("1900")},
        FatalCase{"year_2100_warns_then_stops", [] { ctimpar(2100, 1, 1, 0, 0, 0); }, sun_stop,
                  pole_warning("2100", "2025") + sun_year_lines("2100")},
        FatalCase{"year_1899_stops_in_date_check", [] { cp_time_param(1899, 6, 1, 0, 0, 0); },
                  "*** Vuraruro/cp_leap_year: iyear must be > 1900",
                  " *** Vuraruro/cp_leap_year: iyear= 1899\n"
                  " *** Vuraruro/cp_leap_year: iyear must be > 1900\n"},
        FatalCase{"bad_day_stops_before_warning", [] { cp_time_param(2100, 2, 29, 0, 0, 0); },
                  "*** Vuraruro: error iday in cv_date_to_doty",
                  " *** Vuraruro/cv_date_to_doty: iday= 29\n"
                  " *** Vuraruro/cv_date_to_doty: this month has only 28 days\n"},
        FatalCase{"bad_month", [] { cp_time_param(2005, 0, 1, 0, 0, 0); },
                  "*** Vuraruro/cv_date_to_doty: imonth must be >0 and <13",
                  " *** Vuraruro/cv_date_to_doty: imonth = 0\n"
                  " *** Vuraruro/cv_date_to_doty: imonth must be >0 and <13\n"},
        FatalCase{"sun_dir_1900", [] {
                    float a, b, c, d, e;
                    cp_gei_sun_dir(1900, 1, 0, 0, 0, a, b, c, d, e);
                  },
                  sun_stop, sun_year_lines("1900")},
        FatalCase{"sun_dir_2100", [] {
                    float a, b, c, d, e;
                    csundir(2100, 1, 0, 0, 0, a, b, c, d, e);
                  },
                  sun_stop, sun_year_lines("2100")}),
    [](const ::testing::TestParamInfo<FatalCase>& info) { return std::string(info.param.name); });

// Degenerate geometries that no real instant produces, reached through the
// set-up's second half: a dipole on the rotation axis, a dipole along the
// sun, a sun off the ecliptic. The first failing check decides the text.
struct GeometryCase {
  const char* name;
  float gd1, gd2, gd3, gst, slong, srasn, sdecl, obliq;
  const char* stop_text;
};

class TimeParamGeometryStop : public ::testing::TestWithParam<GeometryCase> {};

TEST_P(TimeParamGeometryStop, StopsWithoutMessage) {
  const GeometryCase& c = GetParam();
  EXPECT_STOP(detail::set_frame_state(c.gd1, c.gd2, c.gd3, c.gst, c.slong, c.srasn, c.sdecl,
                                      c.obliq),
              std::string(c.stop_text), "");
}

INSTANTIATE_TEST_SUITE_P(
    Checks, TimeParamGeometryStop,
    ::testing::Values(
        GeometryCase{"dipole_on_rotation_axis", 0.f, 0.f, 1.f, 0.3f, 0.f, 0.f, 0.f, 0.409f,
                     "*** Vuraruro error qm12"},
        GeometryCase{"dipole_on_axis_wins_over_sun_off_ecliptic", 0.f, 0.f, 1.f, 0.f, 0.f, 0.f,
                     1.0f, 0.409f, "*** Vuraruro error qm12"},
        GeometryCase{"dipole_along_sun", 1.f, 0.f, 0.f, 0.f, 0.f, 0.f, 0.f, 0.409f,
                     "*** Vuraruro error rgmgs"},
        GeometryCase{"sun_off_ecliptic", 0.06f, -0.19f, 0.98f, 0.f, 0.f, 0.f, 1.0f, 0.409f,
                     "*** Vuraruro error 3"},
        // Sun in the ecliptic keeps the GSE-GSM angle consistent for any
        // dipole length; the MAG-SM angle assumes a unit dipole.
        GeometryCase{"dipole_of_length_two", 0.1f, 0.2f, 2.0f, 0.f, 0.f, 0.f, 0.f, 0.409f,
                     "*** Vuraruro error 4"}),
    [](const ::testing::TestParamInfo<GeometryCase>& info) { return std::string(info.param.name); });

// The second half alone, fed a real instant's dipole and sun angles, leaves
// exactly the state of the whole set-up.
TEST(TimeParam, SecondHalfMatchesWholeSetUp) {
  cp_time_param(2005, 12, 21, 5, 0, 0);
  const snapshot full = take_snapshot();
  cp_time_param(1950, 3, 3, 3, 3, 3);
  detail::set_frame_state(full.r02.gd1, full.r02.gd2, full.r02.gd3, full.r00.gst, full.r00.slong,
                          full.r00.srasn, full.r00.sdecl, full.r00.obliq);
  EXPECT_TRUE(same_bits(take_snapshot(), full));
}

TEST(SunDir, AcceptsBothEndYears) {
  float gst, slong, sra, sdec, obliq;
  cp_gei_sun_dir(1901, 1, 0, 0, 0, gst, slong, sra, sdec, obliq);
  EXPECT_NEAR(sdec / deg, -23.0, 0.2);  // early January
  cp_gei_sun_dir(2099, 365, 23, 59, 59, gst, slong, sra, sdec, obliq);
  EXPECT_NEAR(sdec / deg, -23.0, 0.2);
}

// The day count and the long sums of degrees are double, but their
// coefficients are the single-precision constants. Late in the range, an
// exact 0.9856473354 would shift gst and slong by about 0.001 deg (40 float
// steps) and a single-precision sum by up to 0.004 deg; evaluated here in
// double, the two must agree to a few float steps.
TEST(SunDir, LongSumsAreDoubleWithSingleConstants) {
  struct Case {
    int year, doy, h, m, s;
  };
  const Case cases[] = {{2099, 200, 13, 7, 41}, {2090, 33, 0, 0, 1}, {2060, 300, 23, 59, 59}};
  const double rad = double(0.017453292f);
  for (const Case& c : cases) {
    const double fday = (3600.0 * c.h + 60.0 * c.m + c.s) / 86400.0;
    const double dj =
        365.0 * (c.year - 1900) + (c.year - 1901) / 4 + c.doy - 0.5 + fday;
    const double gst_ref = std::fmod(double(279.690983f) + double(0.9856473354f) * dj +
                                         360.0 * fday + 180.0,
                                     360.0) *
                           rad;
    const double vl = std::fmod(double(279.696678f) + double(0.9856473354f) * dj, 360.0);
    const double g = std::fmod(double(358.475845f) + double(0.985600267f) * dj, 360.0) * rad;
    const double t = dj / 36525.0;
    const double slong_ref = (vl + (double(1.91946f) - double(0.004789f) * t) * std::sin(g) +
                              double(0.020094f) * std::sin(2.0 * g)) *
                             rad;
    float gst, slong, sra, sdec, obliq;
    cp_gei_sun_dir(c.year, c.doy, c.h, c.m, c.s, gst, slong, sra, sdec, obliq);
    EXPECT_NEAR(gst, gst_ref, 2e-6) << c.year;
    EXPECT_NEAR(slong, slong_ref, 3e-6) << c.year;
  }
}

// ---------------------------------------------------------------------------
// Geometry of the stored frames

constexpr double unit_tol = 2e-6;  // single-precision length of a unit vector

void expect_frame(const char* name, const v3& x, const v3& y, const v3& z, const instant& t) {
  SCOPED_TRACE(::testing::Message() << name << " at " << t.y << "-" << t.mo << "-" << t.d << " "
                                    << t.h << ":" << t.mi << ":" << t.s);
  EXPECT_NEAR(norm(x), 1.0, unit_tol);
  EXPECT_NEAR(norm(y), 1.0, unit_tol);
  EXPECT_NEAR(norm(z), 1.0, unit_tol);
  EXPECT_NEAR(dot(x, y), 0.0, unit_tol);
  EXPECT_NEAR(dot(y, z), 0.0, unit_tol);
  EXPECT_NEAR(dot(z, x), 0.0, unit_tol);
  EXPECT_LT(dist(cross(x, y), z), 3 * unit_tol);  // right-handed
}

TEST(TimeParam, FramesAreOrthonormalAndConsistentFrom1901To2099) {
  testing::internal::CaptureStdout();  // years from 2025 on write the pole warning
  for (const instant& t : sample_instants()) {
    cp_time_param(t.y, t.mo, t.d, t.h, t.mi, t.s);
    const timp00_rec a = timp00;
    const timp01_rec b = timp01;
    const timp02_rec c = timp02;
    const timp11_rec k = timp11;
    const v3 gs = vec(b.gs1, b.gs2, b.gs3), gm = vec(b.gm1, b.gm2, b.gm3);
    const v3 ge = vec(b.ge1, b.ge2, b.ge3), gr = vec(b.gr1, b.gr2, b.gr3);
    const v3 ps = vec(c.ps1, c.ps2, c.ps3), gd = vec(c.gd1, c.gd2, c.gd3);
    const v3 pe = vec(c.pe1, c.pe2, c.pe3), pr = vec(c.pr1, c.pr2, c.pr3);
    for (const v3& u : {gs, gm, ge, gr, ps, gd, pe, pr}) EXPECT_NEAR(norm(u), 1.0, unit_tol);

    // Sidereal angle and its sine and cosine; GEO is GEI turned by it.
    EXPECT_NEAR(a.sgst, std::sin(double(a.gst)), 1e-6);
    EXPECT_NEAR(a.cgst, std::cos(double(a.gst)), 1e-6);
    EXPECT_LT(dist(gei_to_geo(gs, a.gst), ps), 1e-6);
    EXPECT_LT(dist(gei_to_geo(gm, a.gst), gd), 1e-6);
    EXPECT_LT(dist(gei_to_geo(ge, a.gst), pe), 1e-6);
    EXPECT_LT(dist(gei_to_geo(gr, a.gst), pr), 1e-6);
    // The sun lies in the ecliptic; the sun's axis is the fixed one.
    EXPECT_NEAR(dot(gs, ge), 0.0, 1e-6);
    EXPECT_NEAR(a.obliq / deg, 23.44, 0.03);
    EXPECT_LT(dist(gr, {0.121695526, -0.42440268, 0.89725834}), 1e-7);

    // Stored products are the plain cross products.
    const v3 gmgs = vec(timp03.gmgs1, timp03.gmgs2, timp03.gmgs3);
    const v3 gegs = vec(timp03.gegs1, timp03.gegs2, timp03.gegs3);
    const v3 grgs = vec(timp04.grgs1, timp04.grgs2, timp04.grgs3);
    const v3 grge = vec(timp04.grge1, timp04.grge2, timp04.grge3);
    const v3 gdps = vec(timp05.gdps1, timp05.gdps2, timp05.gdps3);
    const v3 peps = vec(timp06.peps1, timp06.peps2, timp06.peps3);
    const v3 prps = vec(timp06.prps1, timp06.prps2, timp06.prps3);
    EXPECT_LT(dist(gmgs, cross(gm, gs)), 1e-6);
    EXPECT_LT(dist(gegs, cross(ge, gs)), 1e-6);
    EXPECT_LT(dist(grgs, cross(gr, gs)), 1e-6);
    EXPECT_LT(dist(grge, cross(gr, ge)), 1e-6);
    EXPECT_LT(dist(gdps, cross(gd, ps)), 1e-6);
    EXPECT_LT(dist(peps, cross(pe, ps)), 1e-6);
    EXPECT_LT(dist(prps, cross(pr, ps)), 1e-6);

    // Frames in GEI.
    const v3 xeima = vec(timp07.xeima1, timp07.xeima2, timp07.xeima3);
    const v3 yeima = vec(timp07.yeima1, timp07.yeima2, timp07.yeima3);
    const v3 xeism = vec(timp08.xeism1, timp08.xeism2, timp08.xeism3);
    const v3 yeism = vec(timp08.yeism1, timp08.yeism2, timp08.yeism3);
    const v3 yeigm = vec(timp09.yeigm1, timp09.yeigm2, timp09.yeigm3);
    const v3 zeigm = vec(timp09.zeigm1, timp09.zeigm2, timp09.zeigm3);
    const v3 yeigq = vec(timp10.yeigq1, timp10.yeigq2, timp10.yeigq3);
    const v3 zeigq = vec(timp10.zeigq1, timp10.zeigq2, timp10.zeigq3);
    expect_frame("GSE in GEI", gs, gegs, ge, t);
    expect_frame("MAG in GEI", xeima, yeima, gm, t);
    expect_frame("SM in GEI", xeism, yeism, gm, t);
    expect_frame("GSM in GEI", gs, yeigm, zeigm, t);
    expect_frame("GSEQ in GEI", gs, yeigq, zeigq, t);
    // MAG Y is along (rotation axis x dipole); SM and GSM share Y.
    EXPECT_GT(dot(yeima, cross({0, 0, 1}, gm)), 0.0);
    EXPECT_LT(dist(yeism, yeigm), 1e-7);
    // SM X lies in the plane of the sun and the dipole, on the sun's side.
    EXPECT_NEAR(dot(xeism, cross(gs, gm)), 0.0, unit_tol);
    EXPECT_GT(dot(xeism, gs), 0.0);

    // Frames in GEO.
    const v3 xeoma = vec(timp12.xeoma1, timp12.xeoma2, timp12.xeoma3);
    const v3 yeoma = vec(timp12.yeoma1, timp12.yeoma2, timp12.yeoma3);
    const v3 xeosm = vec(timp13.xeosm1, timp13.xeosm2, timp13.xeosm3);
    const v3 yeosm = vec(timp13.yeosm1, timp13.yeosm2, timp13.yeosm3);
    const v3 yeogm = vec(timp14.yeogm1, timp14.yeogm2, timp14.yeogm3);
    const v3 zeogm = vec(timp14.zeogm1, timp14.zeogm2, timp14.zeogm3);
    const v3 yeogq = vec(timp15.yeogq1, timp15.yeogq2, timp15.yeogq3);
    const v3 zeogq = vec(timp15.zeogq1, timp15.zeogq2, timp15.zeogq3);
    expect_frame("GSE in GEO", ps, peps, pe, t);
    expect_frame("MAG in GEO", xeoma, yeoma, gd, t);
    expect_frame("SM in GEO", xeosm, yeosm, gd, t);
    expect_frame("GSM in GEO", ps, yeogm, zeogm, t);
    expect_frame("GSEQ in GEO", ps, yeogq, zeogq, t);
    // The GEO axes are the GEI axes turned by the sidereal angle.
    EXPECT_LT(dist(gei_to_geo(xeima, a.gst), xeoma), 2e-6);
    EXPECT_LT(dist(gei_to_geo(yeima, a.gst), yeoma), 2e-6);
    EXPECT_LT(dist(gei_to_geo(xeism, a.gst), xeosm), 2e-6);
    EXPECT_LT(dist(gei_to_geo(yeigm, a.gst), yeogm), 2e-6);
    EXPECT_LT(dist(gei_to_geo(zeigm, a.gst), zeogm), 2e-6);
    EXPECT_LT(dist(gei_to_geo(yeigq, a.gst), yeogq), 2e-6);
    EXPECT_LT(dist(gei_to_geo(zeigq, a.gst), zeogq), 2e-6);

    // Angles between frames one rotation apart, from their axes.
    EXPECT_NEAR(k.sdze * k.sdze + k.cdze * k.cdze, 1.0f, 1e-4f);
    EXPECT_NEAR(k.sphi * k.sphi + k.cphi * k.cphi, 1.0f, 1e-4f);
    EXPECT_NEAR(k.sdze, dot(yeigm, ge), 2e-6);      // GSE -> GSM about X
    EXPECT_NEAR(k.cdze, dot(zeigm, ge), 2e-6);
    EXPECT_NEAR(k.cdze, dot(yeigm, gegs), 2e-6);
    EXPECT_NEAR(k.smu, dot(gm, gs), 2e-6);          // tilt: dipole toward the sun
    EXPECT_NEAR(k.cmu, dot(gm, zeigm), 2e-6);
    EXPECT_NEAR(k.cphi, dot(xeoma, xeosm), 2e-6);   // MAG -> SM about the dipole
    EXPECT_NEAR(k.sphi, dot(xeoma, yeosm), 2e-6);
    EXPECT_NEAR(k.ctetq, dot(yeigq, gegs), 2e-6);   // GSE -> GSEQ about X
    EXPECT_NEAR(std::fabs(k.stetq), std::fabs(dot(yeigq, ge)), 2e-6);
    EXPECT_NEAR(k.stetq * k.stetq + k.ctetq * k.ctetq, 1.0f, 1e-5f);

    float tilt;
    g_gsm_dipole_tilt_angle(tilt);
    EXPECT_NEAR(tilt, std::asin(dot(gm, gs)), 3e-6);
    EXPECT_LE(std::fabs(tilt), 0.61f);  // |tilt| cannot exceed 23.5 + 11.5 deg
  }
  testing::internal::GetCapturedStdout();
}

TEST(TimeParam, GettersCopyTheState) {
  cp_time_param(2012, 8, 30, 6, 45, 12);
  float v[6];
  g_gei_sun_param(v[0], v[1], v[2], v[3], v[4]);
  EXPECT_EQ(v[0], timp00.gst);
  EXPECT_EQ(v[1], timp00.slong);
  EXPECT_EQ(v[2], timp00.srasn);
  EXPECT_EQ(v[3], timp00.sdecl);
  EXPECT_EQ(v[4], timp00.obliq);
  struct Getter {
    const char* name;
    void (*get)(float&, float&, float&, float&, float&, float&);
    std::array<float, 6> expected;
  };
  const Getter getters[] = {
      {"sun", g_gei_geo_sun_dir, {timp01.gs1, timp01.gs2, timp01.gs3, timp02.ps1, timp02.ps2, timp02.ps3}},
      {"sun short", gsundir, {timp01.gs1, timp01.gs2, timp01.gs3, timp02.ps1, timp02.ps2, timp02.ps3}},
      {"sun axis", g_gei_geo_sun_rot, {timp01.gr1, timp01.gr2, timp01.gr3, timp02.pr1, timp02.pr2, timp02.pr3}},
      {"sun axis short", gsrodir, {timp01.gr1, timp01.gr2, timp01.gr3, timp02.pr1, timp02.pr2, timp02.pr3}},
      {"ecliptic", g_gei_geo_ecliptic_dir, {timp01.ge1, timp01.ge2, timp01.ge3, timp02.pe1, timp02.pe2, timp02.pe3}},
      {"ecliptic short", gecldir, {timp01.ge1, timp01.ge2, timp01.ge3, timp02.pe1, timp02.pe2, timp02.pe3}},
      {"dipole", g_gei_geo_dipole_dir, {timp01.gm1, timp01.gm2, timp01.gm3, timp02.gd1, timp02.gd2, timp02.gd3}},
      {"dipole short", gdipdir, {timp01.gm1, timp01.gm2, timp01.gm3, timp02.gd1, timp02.gd2, timp02.gd3}},
  };
  for (const Getter& g : getters) {
    g.get(v[0], v[1], v[2], v[3], v[4], v[5]);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(v[i], g.expected[i]) << g.name << " " << i;
  }
  float tilt_a, tilt_b;
  g_gsm_dipole_tilt_angle(tilt_a);
  gdiptan(tilt_b);
  EXPECT_EQ(tilt_a, tilt_b);
  EXPECT_EQ(tilt_a, std::atan2(timp11.smu, timp11.cmu));
  // The set-up's dipole is the table's.
  int idoy;
  cv_date_to_doty(2012, 8, 30, idoy);
  float d1, d2, d3;
  cp_geo_dipole_dir(2012, idoy, d1, d2, d3);
  EXPECT_EQ(d1, timp02.gd1);
  EXPECT_EQ(d2, timp02.gd2);
  EXPECT_EQ(d3, timp02.gd3);
}

TEST(TimeParam, ShortEntryLeavesTheSameState) {
  cp_time_param(2005, 6, 21, 17, 0, 0);
  const snapshot full = take_snapshot();
  EXPECT_FALSE(all_zero(full));
  cp_time_param(1999, 1, 2, 3, 4, 5);
  ctimpar(2005, 6, 21, 17, 0, 0);
  EXPECT_TRUE(same_bits(take_snapshot(), full));
}

// Set-ups of the same day share work; the state must not depend on what ran
// before: a fresh thread and a thread that first visited other days agree.
TEST(TimeParam, StateDependsOnlyOnTheInstant) {
  const instant target{2003, 10, 29, 6, 11, 0};
  snapshot fresh{}, after_others{}, same_day_other_time{};
  std::thread([&] {
    cp_time_param(target.y, target.mo, target.d, target.h, target.mi, target.s);
    fresh = take_snapshot();
  }).join();
  std::thread([&] {
    cp_time_param(2003, 10, 28, 6, 11, 0);
    cp_time_param(2004, 10, 29, 6, 11, 0);
    cp_time_param(target.y, target.mo, target.d, 0, 0, 0);
    same_day_other_time = take_snapshot();
    cp_time_param(target.y, target.mo, target.d, target.h, target.mi, target.s);
    after_others = take_snapshot();
  }).join();
  EXPECT_FALSE(all_zero(fresh));
  EXPECT_TRUE(same_bits(fresh, after_others));
  EXPECT_FALSE(same_bits(fresh, same_day_other_time));
  EXPECT_EQ(fresh.r02.gd1, same_day_other_time.r02.gd1);  // same day, same dipole
}

}  // namespace
}  // namespace vuraruro
