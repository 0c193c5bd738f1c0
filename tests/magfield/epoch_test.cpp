// Epoch set-up: coefficients for a date against the published IGRF-14 table,
// year clamps and their warning, recursion factors, the sun and sidereal time
// against the Astronomical Almanac's low-precision formulas, the frame
// matrices by their defining properties, and the date cache.
#include "magfield/epoch.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <thread>

#include "igrf_reference.h"
#include "magfield/frames.h"
#include "magfield/internal_field.h"

namespace {

using magfield::magfld1;
using magfield::magfld2;
using magfield::recalc_08;

constexpr double pi = 3.14159265358979323846;
constexpr double deg = pi / 180;

int slot(int n, int m) { return n * (n + 1) / 2 + m; }

const igrf_ref::table& igrf() {
  static const igrf_ref::table t = igrf_ref::load();
  return t;
}

// Checks magfld2.g / h against Schmidt coefficients turned Gauss-normalised.
// Tolerance: relative rel of each value, plus abs_per_gauss times its factor.
void expect_coefficients(const igrf_ref::model& want, double rel, double abs, const std::string& what) {
  for (int n = 1; n <= 13; ++n)
    for (int m = 0; m <= n; ++m) {
      const double f = igrf_ref::gauss_factor(n, m);
      const double gw = want.g[n][m] * f, hw = want.h[n][m] * f;
      EXPECT_NEAR(magfld2.g[slot(n, m)], gw, rel * std::fabs(gw) + abs * f) << what << " g(" << n << "," << m << ")";
      EXPECT_NEAR(magfld2.h[slot(n, m)], hw, rel * std::fabs(hw) + abs * f) << what << " h(" << n << "," << m << ")";
    }
}

TEST(recalc_08, coefficients_at_every_epoch_are_the_published_ones) {
  for (int year = 1965; year <= 2025; year += 5) {
    recalc_08(year, 1, 0, 0, 0, -400.f, 0.f, 0.f);
    expect_coefficients(igrf().epoch(year), 2e-6, 0, std::to_string(year));
    EXPECT_EQ(magfld2.g[0], 0.f);
    if (year < 2000) {  // definitive models before 2000 stop at degree 10
      for (int k = slot(11, 0); k < 105; ++k) {
        EXPECT_EQ(magfld2.g[k], 0.f) << year << " slot " << k;
        EXPECT_EQ(magfld2.h[k], 0.f) << year << " slot " << k;
      }
    }
  }
}

TEST(recalc_08, interpolates_linearly_between_epochs) {
  struct row {
    int year, iday, base;
    double f2;  // weight of the later epoch
  };
  const row rows[] = {
      {2024, 366, 2020, (4 + 365 / 365.25) / 5},  // last day of a leap year
      {1987, 183, 1985, (2 + 182 / 365.25) / 5},
      {2012, 1, 2010, 2.0 / 5},
      {1965, 200, 1965, 199 / 365.25 / 5},
  };
  for (const row& r : rows) {
    recalc_08(r.year, r.iday, 12, 0, 0, -400.f, 0.f, 0.f);
    const auto& a = igrf().epoch(r.base);
    const auto& b = igrf().epoch(r.base + 5);
    // The float decimal year carries up to ~1.2e-4 yr of rounding, i.e. 2.5e-5 in f2.
    for (int n = 1; n <= 13; ++n)
      for (int m = 0; m <= n; ++m) {
        const double f = igrf_ref::gauss_factor(n, m);
        const double gw = ((1 - r.f2) * a.g[n][m] + r.f2 * b.g[n][m]) * f;
        const double hw = ((1 - r.f2) * a.h[n][m] + r.f2 * b.h[n][m]) * f;
        const double gtol = 2e-6 * std::fabs(gw) + 3e-5 * std::fabs(b.g[n][m] - a.g[n][m]) * f + 1e-9;
        const double htol = 2e-6 * std::fabs(hw) + 3e-5 * std::fabs(b.h[n][m] - a.h[n][m]) * f + 1e-9;
        EXPECT_NEAR(magfld2.g[slot(n, m)], gw, gtol) << r.year << "/" << r.iday << " g(" << n << "," << m << ")";
        EXPECT_NEAR(magfld2.h[slot(n, m)], hw, htol) << r.year << "/" << r.iday << " h(" << n << "," << m << ")";
      }
  }
}

TEST(recalc_08, blends_degrees_11_to_13_from_zero_before_2000) {
  recalc_08(1997, 1, 0, 0, 0, -400.f, 0.f, 0.f);
  magfield::magfld2_rec y1997 = magfld2;
  recalc_08(2000, 1, 0, 0, 0, -400.f, 0.f, 0.f);
  for (int k = slot(11, 0); k < 105; ++k) {
    EXPECT_NEAR(y1997.g[k], 0.4 * magfld2.g[k], 1e-6 * std::fabs(magfld2.g[k])) << "slot " << k;
    EXPECT_NEAR(y1997.h[k], 0.4 * magfld2.h[k], 1e-6 * std::fabs(magfld2.h[k])) << "slot " << k;
  }
  magfld2 = y1997;
  expect_coefficients(igrf_ref::blend(igrf().epoch(1995), igrf().epoch(2000), 0.4), 2e-6, 1e-6, "1997");
}

TEST(recalc_08, extrapolates_with_the_secular_variation_to_degree_8) {
  struct row {
    int year, iday;
    double dt;
  };
  const row rows[] = {{2025, 1, 0}, {2027, 91, 2 + 90 / 365.25}, {2030, 365, 5 + 364 / 365.25}};
  for (const row& r : rows) {
    recalc_08(r.year, r.iday, 6, 0, 0, -400.f, 0.f, 0.f);
    const auto want = igrf_ref::extrapolate(igrf().epoch(2025), igrf().secular_variation(), r.dt, 8);
    // dt in float is good to ~1.2e-4 yr; the SV is at most ~30 nT/yr.
    expect_coefficients(want, 2e-6, 5e-3, std::to_string(r.year));
  }
}

struct clamp_case {
  int iyear, clamped;
  const char* iyear_text;  // the year as written in four columns
};

TEST(recalc_08, clamps_the_year_with_a_warning) {
  const clamp_case cases[] = {{1964, 1965, "1964"}, {2031, 2030, "2031"}, {-7, 1965, "  -7"}, {12345, 2030, "****"}};
  for (const clamp_case& c : cases) {
    testing::internal::CaptureStdout();
    recalc_08(c.iyear, 77, 13, 14, 15, -400.f, 30.f, 5.f);
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(out, std::string("\n\n **** RECALC_08 WARNS: YEAR IS OUT OF INTERVAL 1965-2030: IYEAR=") + c.iyear_text +
                       "\n      CALCULATIONS WILL BE DONE FOR IYEAR=" + std::to_string(c.clamped) + "\n\n");
    const magfield::magfld1_rec f1 = magfld1;
    const magfield::magfld2_rec f2 = magfld2;

    testing::internal::CaptureStdout();
    recalc_08(c.clamped, 77, 13, 14, 15, -400.f, 30.f, 5.f);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "") << c.clamped;
    EXPECT_EQ(std::memcmp(&f1, &magfld1, sizeof f1), 0) << c.iyear;
    EXPECT_EQ(std::memcmp(&f2, &magfld2, sizeof f2), 0) << c.iyear;
  }
  // 2031 runs on the 2030 extrapolation: dt = 5 + (iday - 1) / 365.25.
  testing::internal::CaptureStdout();
  recalc_08(2031, 77, 0, 0, 0, -400.f, 0.f, 0.f);
  testing::internal::GetCapturedStdout();
  expect_coefficients(igrf_ref::extrapolate(igrf().epoch(2025), igrf().secular_variation(), 5 + 76 / 365.25, 8), 2e-6,
                      5e-3, "2031");
}

TEST(recalc_08, recursion_factors) {
  recalc_08(2020, 1, 0, 0, 0, -400.f, 0.f, 0.f);
  EXPECT_EQ(magfld2.rec[0], 0.f);
  EXPECT_FLOAT_EQ(magfld2.rec[slot(1, 0)], 1.f / 3.f);
  EXPECT_EQ(magfld2.rec[slot(1, 1)], 0.f);
  EXPECT_FLOAT_EQ(magfld2.rec[slot(2, 1)], 3.f / 15.f);
  for (int n = 1; n <= 13; ++n)
    for (int m = 0; m <= n; ++m)
      EXPECT_FLOAT_EQ(magfld2.rec[slot(n, m)], float(double(n * n - m * m) / ((2 * n - 1) * (2 * n + 1))))
          << n << "," << m;
}

// ---------------------------------------------------------------------------
// Sun and sidereal time. Reference: the Astronomical Almanac's low-precision
// formulas (good to 0.01 degree 1950-2050), with days counted by the civil
// calendar here, independently of the library's day count.

long days_from_civil(long y, unsigned m, unsigned d) {
  y -= m <= 2;
  const long era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<long>(doe) - 719468;
}

struct almanac {
  double gmst, lambda, ra, dec;  // radians
};

almanac sun_almanac(int year, int iday, int hour, int min, int sec) {
  const double n = double(days_from_civil(year, 1, 1) - days_from_civil(2000, 1, 1)) + (iday - 1) +
                   (hour * 3600 + min * 60 + sec) / 86400.0 - 0.5;  // days from J2000.0
  const double l = 280.460 + 0.9856474 * n;
  const double g = (357.528 + 0.9856003 * n) * deg;
  const double lambda = (l + 1.915 * std::sin(g) + 0.020 * std::sin(2 * g)) * deg;
  const double eps = (23.439 - 0.0000004 * n) * deg;
  almanac a;
  a.gmst = std::fmod(280.46061837 + 360.98564736629 * n, 360.0) * deg;
  a.lambda = lambda;
  a.ra = std::atan2(std::cos(eps) * std::sin(lambda), std::cos(lambda));
  a.dec = std::asin(std::sin(eps) * std::sin(lambda));
  return a;
}

double angle_diff(double a, double b) { return std::remainder(a - b, 2 * pi); }

struct instant {
  int year, iday, hour, min, sec;
};

const instant instants[] = {
    {2000, 1, 12, 0, 0},    // J2000.0: GMST 280.4606 deg
    {2020, 80, 3, 50, 0},   // March equinox 2020-03-20 03:50 UT
    {2021, 172, 3, 32, 0},  // June solstice 2021-06-21 03:32 UT
    {1965, 1, 0, 0, 0},    {1972, 200, 6, 30, 15}, {1989, 355, 23, 59, 59},
    {2008, 60, 17, 0, 0},  {2024, 366, 11, 11, 11}, {2030, 250, 4, 5, 6},
};

TEST(sun_08, agrees_with_the_almanac) {
  for (const instant& t : instants) {
    float gst = 0, slong = 0, srasn = 0, sdec = 0;
    magfield::sun_08(t.year, t.iday, t.hour, t.min, t.sec, gst, slong, srasn, sdec);
    const almanac a = sun_almanac(t.year, t.iday, t.hour, t.min, t.sec);
    const std::string when = std::to_string(t.year) + "/" + std::to_string(t.iday);
    EXPECT_NEAR(angle_diff(gst, a.gmst), 0, 0.003 * deg) << when;
    EXPECT_NEAR(angle_diff(slong, a.lambda), 0, 0.02 * deg) << when;
    EXPECT_NEAR(angle_diff(srasn, a.ra), 0, 0.02 * deg) << when;
    EXPECT_NEAR(sdec, a.dec, 0.02 * deg) << when;
    EXPECT_GE(gst, 0.f);
    EXPECT_LT(gst, 2 * pi);
    EXPECT_GE(slong, 0.f);
    EXPECT_LE(slong, 6.2831853f);
    EXPECT_GE(srasn, 0.f);
    EXPECT_LE(srasn, 2 * pi + 1e-6);
  }
  // Published anchors: GMST at J2000.0, no declination at the equinox, full
  // obliquity at the solstice.
  float gst, slong, srasn, sdec;
  magfield::sun_08(2000, 1, 12, 0, 0, gst, slong, srasn, sdec);
  EXPECT_NEAR(gst / deg, 280.46062, 0.003);
  magfield::sun_08(2020, 80, 3, 50, 0, gst, slong, srasn, sdec);
  EXPECT_NEAR(sdec / deg, 0, 0.01);
  magfield::sun_08(2021, 172, 3, 32, 0, gst, slong, srasn, sdec);
  EXPECT_NEAR(sdec / deg, 23.437, 0.01);
}

TEST(sun_08, leaves_outputs_alone_outside_1901_to_2099) {
  for (const int year : {1900, 2100, -3, 9999}) {
    float gst = 1.5f, slong = 2.5f, srasn = 3.5f, sdec = -0.5f;
    magfield::sun_08(year, 100, 12, 0, 0, gst, slong, srasn, sdec);
    EXPECT_EQ(gst, 1.5f) << year;
    EXPECT_EQ(slong, 2.5f) << year;
    EXPECT_EQ(srasn, 3.5f) << year;
    EXPECT_EQ(sdec, -0.5f) << year;
  }
  for (const int year : {1901, 2099}) {
    float gst = 100.f, slong = 100.f, srasn = 100.f, sdec = 100.f;
    magfield::sun_08(year, 100, 12, 0, 0, gst, slong, srasn, sdec);
    EXPECT_LT(gst, 7.f) << year;
    EXPECT_LT(slong, 7.f) << year;
    EXPECT_LT(srasn, 7.f) << year;
    EXPECT_LT(sdec, 1.f) << year;
  }
}

// ---------------------------------------------------------------------------
// Frame matrices and tilt.

using mat3 = std::array<std::array<double, 3>, 3>;

mat3 geo_to_gsw() {  // rows: GSW axes in GEO
  const auto& f = magfld1;
  return {{{f.a11, f.a12, f.a13}, {f.a21, f.a22, f.a23}, {f.a31, f.a32, f.a33}}};
}
mat3 gse_gsw() {  // element (i, j) = (GSE axis i) . (GSW axis j)
  const auto& f = magfld1;
  return {{{f.e11, f.e12, f.e13}, {f.e21, f.e22, f.e23}, {f.e31, f.e32, f.e33}}};
}

void expect_rotation(const mat3& m, const std::string& what) {
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) {
      double d = 0;
      for (int k = 0; k < 3; ++k) d += m[i][k] * m[j][k];
      EXPECT_NEAR(d, i == j ? 1 : 0, 2e-6) << what << " rows " << i << "," << j;
    }
  const double det = m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) -
                     m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
                     m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
  EXPECT_NEAR(det, 1, 3e-6) << what;
}

// The model's dipole axis (north geomagnetic pole) in GEO for a decimal date, from the table.
std::array<double, 3> dipole_axis_geo(double year) {
  const int base = std::min(2025, 1965 + 5 * int((year - 1965) / 5));
  const auto c = base < 2025 ? igrf_ref::blend(igrf().epoch(base), igrf().epoch(base + 5), (year - base) / 5)
                             : igrf_ref::extrapolate(igrf().epoch(2025), igrf().secular_variation(), year - 2025, 8);
  const double b0 = std::sqrt(c.g[1][0] * c.g[1][0] + c.g[1][1] * c.g[1][1] + c.h[1][1] * c.h[1][1]);
  return {-c.g[1][1] / b0, -c.h[1][1] / b0, -c.g[1][0] / b0};
}

TEST(recalc_08, dipole_axis_from_the_degree_one_terms) {
  for (const int year : {1965, 1990, 2020, 2025}) {
    recalc_08(year, 1, 0, 0, 0, -400.f, 0.f, 0.f);
    const auto d = dipole_axis_geo(year);
    EXPECT_NEAR(magfld1.stcl, d[0], 1e-6) << year;
    EXPECT_NEAR(magfld1.stsl, d[1], 1e-6) << year;
    EXPECT_NEAR(magfld1.ct0, d[2], 1e-6) << year;
    EXPECT_NEAR(magfld1.st0 * magfld1.st0 + magfld1.ct0 * magfld1.ct0, 1, 1e-6);
    EXPECT_NEAR(magfld1.sl0 * magfld1.sl0 + magfld1.cl0 * magfld1.cl0, 1, 1e-6);
    EXPECT_FLOAT_EQ(magfld1.ctcl, magfld1.ct0 * magfld1.cl0);
    EXPECT_FLOAT_EQ(magfld1.ctsl, magfld1.ct0 * magfld1.sl0);
  }
  // The north geomagnetic pole of the 2020 model lies near 80.6 N, 72.7 W.
  recalc_08(2020, 1, 0, 0, 0, -400.f, 0.f, 0.f);
  EXPECT_NEAR(90 - std::acos(magfld1.ct0) / deg, 80.6, 0.1);
  EXPECT_NEAR(std::atan2(magfld1.sl0, magfld1.cl0) / deg, -72.7, 0.1);
}

TEST(recalc_08, gsw_is_gsm_for_a_radial_solar_wind) {
  for (const instant& t : instants) {
    recalc_08(t.year, t.iday, t.hour, t.min, t.sec, -400.f, 0.f, 0.f);
    const std::string when = std::to_string(t.year) + "/" + std::to_string(t.iday);
    // A rotation about X only: GSW X is the sun direction.
    EXPECT_NEAR(magfld1.e11, 1, 1e-6) << when;
    EXPECT_NEAR(magfld1.e21, 0, 1e-6) << when;
    EXPECT_NEAR(magfld1.e31, 0, 1e-6) << when;
    EXPECT_NEAR(magfld1.e12, 0, 1e-6) << when;
    EXPECT_NEAR(magfld1.e13, 0, 1e-6) << when;
    expect_rotation(geo_to_gsw(), when + " GEO/GSW");
    expect_rotation(gse_gsw(), when + " GSE/GSW");

    // GSW X axis in GEO against the almanac sun turned by the almanac GMST.
    const almanac a = sun_almanac(t.year, t.iday, t.hour, t.min, t.sec);
    const double sun_gei[3] = {std::cos(a.ra) * std::cos(a.dec), std::sin(a.ra) * std::cos(a.dec), std::sin(a.dec)};
    const double sun_geo[3] = {sun_gei[0] * std::cos(a.gmst) + sun_gei[1] * std::sin(a.gmst),
                               sun_gei[1] * std::cos(a.gmst) - sun_gei[0] * std::sin(a.gmst), sun_gei[2]};
    EXPECT_NEAR(magfld1.a11, sun_geo[0], 5e-4) << when;
    EXPECT_NEAR(magfld1.a12, sun_geo[1], 5e-4) << when;
    EXPECT_NEAR(magfld1.a13, sun_geo[2], 5e-4) << when;

    // Tilt: angle between the dipole axis and the GSM Y-Z plane.
    const double year = t.year + (t.iday - 1) / 365.25;
    const auto dip = dipole_axis_geo(year);
    const double psi = std::asin(dip[0] * sun_geo[0] + dip[1] * sun_geo[1] + dip[2] * sun_geo[2]);
    EXPECT_NEAR(magfld1.psi, psi, 0.03 * deg) << when;
    EXPECT_FLOAT_EQ(magfld1.sps, std::sin(magfld1.psi)) << when;
    EXPECT_NEAR(magfld1.cps, std::cos(magfld1.psi), 1e-6) << when;
    // GSW Z lies in the plane of X and the dipole axis, on the dipole's side.
    const double dz = dip[0] * magfld1.a31 + dip[1] * magfld1.a32 + dip[2] * magfld1.a33;
    const double dy = dip[0] * magfld1.a21 + dip[1] * magfld1.a22 + dip[2] * magfld1.a23;
    EXPECT_NEAR(dy, 0, 1e-6) << when;
    EXPECT_NEAR(dz, std::cos(psi), 1e-5) << when;
  }
  // The tilt peaks near +33 degrees at the June solstice when the dipole
  // meridian (72.7 W) faces the sun, about 16:50 UT, and near -33 in December at 04:50 UT.
  recalc_08(2021, 172, 16, 50, 0, -400.f, 0.f, 0.f);
  EXPECT_NEAR(magfld1.psi / deg, 23.44 + 9.4, 0.3);
  recalc_08(2021, 355, 4, 50, 0, -400.f, 0.f, 0.f);
  EXPECT_NEAR(magfld1.psi / deg, -23.44 - 9.4, 0.3);
}

TEST(recalc_08, gsw_x_axis_follows_the_solar_wind) {
  struct row {
    float vx, vy, vz;
  };
  const row rows[] = {{-400, 40, 0}, {-400, 0, -40}, {-300, -60, 25}, {-5, 0, 0}};
  recalc_08(2015, 120, 9, 0, 0, -400.f, 0.f, 0.f);
  const float psi_gsm = magfld1.psi;
  for (const row& r : rows) {
    recalc_08(2015, 120, 9, 0, 0, r.vx, r.vy, r.vz);
    const double v = std::sqrt(double(r.vx) * r.vx + double(r.vy) * r.vy + double(r.vz) * r.vz);
    EXPECT_NEAR(magfld1.e11, -r.vx / v, 1e-6);
    EXPECT_NEAR(magfld1.e21, -r.vy / v, 1e-6);
    EXPECT_NEAR(magfld1.e31, -r.vz / v, 1e-6);
    expect_rotation(gse_gsw(), "GSE/GSW");
    expect_rotation(geo_to_gsw(), "GEO/GSW");
    if (r.vy != 0 || r.vz != 0) {
      EXPECT_GT(std::fabs(magfld1.psi - psi_gsm), 1e-3f) << r.vx << " " << r.vy << " " << r.vz;
    } else {
      EXPECT_NEAR(magfld1.psi, psi_gsm, 1e-6f);
    }
  }
  // A zero velocity is taken as the radial wind.
  recalc_08(2015, 120, 9, 0, 0, 0.f, 0.f, 0.f);
  EXPECT_NEAR(magfld1.psi, psi_gsm, 1e-6f);
  EXPECT_NEAR(magfld1.e11, 1, 1e-6);
}

TEST(recalc_08, sm_shares_its_y_axis_with_gsw) {
  recalc_08(2003, 300, 20, 15, 0, -400.f, 25.f, 0.f);
  // SM Y in MAG is (sfi, cfi, 0); turned into GEO it must be GSW Y.
  const auto& f = magfld1;
  const double ymag[3] = {f.sfi, f.cfi, 0};
  const double ygeo[3] = {ymag[0] * f.ctcl - ymag[1] * f.sl0, ymag[0] * f.ctsl + ymag[1] * f.cl0,
                          -ymag[0] * f.st0};
  EXPECT_NEAR(ygeo[0], f.a21, 1e-6);
  EXPECT_NEAR(ygeo[1], f.a22, 1e-6);
  EXPECT_NEAR(ygeo[2], f.a23, 1e-6);
  EXPECT_NEAR(f.sfi * f.sfi + f.cfi * f.cfi, 1, 1e-6);
}

TEST(recalc_08, writes_every_member_but_the_tracer_scratch) {
  float* m1 = reinterpret_cast<float*>(&magfld1);
  float* m2 = reinterpret_cast<float*>(&magfld2);
  for (int i = 0; i < 34; ++i) m1[i] = NAN;
  for (int i = 0; i < 315; ++i) m2[i] = NAN;
  magfld1.ds3 = 0.125f;
  recalc_08(1999, 45, 1, 2, 3, -400.f, 0.f, 0.f);
  for (int i = 0; i < 34; ++i)
    if (i != 12) {
      EXPECT_TRUE(std::isfinite(m1[i])) << "magfld1 member " << i + 1;
    }
  for (int i = 0; i < 315; ++i) EXPECT_TRUE(std::isfinite(m2[i])) << "magfld2 value " << i;
  EXPECT_EQ(magfld1.ds3, 0.125f);
}

// ---------------------------------------------------------------------------
// Date cache: calls that reuse the coefficients of the previous call give
// the same bits as a fresh thread (whose records and cache start empty).

struct snapshot {
  magfield::magfld1_rec m1;
  magfield::magfld2_rec m2;
  float field[4][3];
};

snapshot take(const instant& t, float vy) {
  recalc_08(t.year, t.iday, t.hour, t.min, t.sec, -400.f, vy, 0.f);
  snapshot s;
  s.m1 = magfld1;
  s.m2 = magfld2;
  const float points[3][3] = {{1.1f, 0.3f, -0.2f}, {-3.f, 4.f, 1.f}, {10.f, -2.f, 6.f}};
  for (int i = 0; i < 3; ++i)
    magfield::igrf_gsw_08(points[i][0], points[i][1], points[i][2], s.field[i][0], s.field[i][1], s.field[i][2]);
  magfield::dip_08(2.f, 1.f, -1.f, s.field[3][0], s.field[3][1], s.field[3][2]);
  return s;
}

TEST(recalc_08, reused_date_gives_the_bits_of_a_fresh_start) {
  struct step {
    instant t;
    float vy;
    bool scribble;  // overwrite the records before the call
  };
  const step steps[] = {
      {{2015, 100, 0, 0, 0}, 0.f, false},   {{2015, 100, 12, 30, 5}, 0.f, false}, {{2015, 100, 12, 30, 6}, 30.f, true},
      {{2015, 101, 12, 30, 6}, 0.f, false}, {{2015, 100, 23, 0, 0}, 0.f, false},  {{1964, 100, 1, 0, 0}, 0.f, false},
      {{1965, 100, 2, 0, 0}, 0.f, false},   {{2031, 50, 3, 0, 0}, 0.f, true},     {{2030, 50, 4, 0, 0}, 0.f, false},
      {{2016, 50, 4, 0, 0}, 0.f, false},
  };
  magfld1.ds3 = 0;  // not the set-up's: a fresh thread has it at zero
  for (const step& s : steps) {
    if (s.scribble) {
      std::memset(&magfld1, 0x7f, sizeof magfld1);
      std::memset(&magfld2, 0x7f, sizeof magfld2);
      magfld1.ds3 = 0;
    }
    testing::internal::CaptureStdout();  // the clamped years warn
    const snapshot cached = take(s.t, s.vy);
    snapshot fresh;
    std::thread([&] { fresh = take(s.t, s.vy); }).join();
    testing::internal::GetCapturedStdout();
    const std::string when = std::to_string(s.t.year) + "/" + std::to_string(s.t.iday);
    EXPECT_EQ(std::memcmp(&cached.m1, &fresh.m1, sizeof cached.m1), 0) << when;
    EXPECT_EQ(std::memcmp(&cached.m2, &fresh.m2, sizeof cached.m2), 0) << when;
    EXPECT_EQ(std::memcmp(cached.field, fresh.field, sizeof cached.field), 0) << when;
  }
}

TEST(recalc_08, records_start_at_zero) {
  std::thread([] {
    const float* m1 = reinterpret_cast<const float*>(&magfld1);
    const float* m2 = reinterpret_cast<const float*>(&magfld2);
    for (int i = 0; i < 34; ++i) EXPECT_EQ(m1[i], 0.f) << i;
    for (int i = 0; i < 315; ++i) EXPECT_EQ(m2[i], 0.f) << i;
    float x = 1, y = 2, z = 3, u = 9, v = 9, w = 9;
    magfield::geogsw_08(x, y, z, u, v, w, 1);
    EXPECT_EQ(u, 0.f);
    EXPECT_EQ(v, 0.f);
    EXPECT_EQ(w, 0.f);
  }).join();
}

}  // namespace
