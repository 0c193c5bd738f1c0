// Internal field: the library's synthesis against a plain double-precision
// evaluation of the Schmidt semi-normalised potential written from the
// published table (igrf_reference.h), the pole handling, the truncation
// degree by distance, the dipole, and the surface field's known magnitudes.
#include "magfield/internal_field.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "igrf_reference.h"
#include "magfield/epoch.h"
#include "magfield/frames.h"

namespace {

using magfield::magfld1;
using magfield::magfld2;

constexpr double pi = 3.14159265358979323846;
constexpr double deg = pi / 180;

const igrf_ref::table& igrf() {
  static const igrf_ref::table t = igrf_ref::load();
  return t;
}

std::array<double, 3> cartesian(double r, double theta, double phi) {
  return {r * std::sin(theta) * std::cos(phi), r * std::sin(theta) * std::sin(phi), r * std::cos(theta)};
}

// GSW components of a GEO vector, by the record's matrix in double.
std::array<double, 3> geo_to_gsw(const std::array<double, 3>& v) {
  const auto& f = magfld1;
  return {f.a11 * v[0] + f.a12 * v[1] + f.a13 * v[2], f.a21 * v[0] + f.a22 * v[1] + f.a23 * v[2],
          f.a31 * v[0] + f.a32 * v[1] + f.a33 * v[2]};
}

void expect_close(const std::array<double, 3>& got, const std::array<double, 3>& want, double rel,
                  const std::string& where) {
  const double tol = rel * igrf_ref::norm(want);
  EXPECT_NEAR(got[0], want[0], tol) << where;
  EXPECT_NEAR(got[1], want[1], tol) << where;
  EXPECT_NEAR(got[2], want[2], tol) << where;
}

TEST(igrf_geo_08, matches_the_full_series_at_whole_epochs) {
  for (const int year : {2010, 2020, 2025}) {
    magfield::recalc_08(year, 1, 0, 0, 0, -400.f, 0.f, 0.f);
    const auto& model = igrf().epoch(year);
    for (const double r : {1.0, 1.5})
      for (const double lat : {-89.0, -60.0, -33.3, -5.0, 0.0, 12.5, 45.0, 71.0, 88.0})
        for (const double lon : {0.0, 47.0, 135.0, 200.0, 290.0, 359.0}) {
          const float theta = float((90 - lat) * deg), phi = float(lon * deg);
          float br, bt, bf;
          magfield::igrf_geo_08(float(r), theta, phi, br, bt, bf);
          const auto want = igrf_ref::to_spherical(
              igrf_ref::field_geo(model, 13, cartesian(r, theta, phi)[0], cartesian(r, theta, phi)[1],
                                  cartesian(r, theta, phi)[2]),
              theta, phi);
          expect_close({br, bt, bf}, want, 1e-5,
                       std::to_string(year) + " r=" + std::to_string(r) + " lat=" + std::to_string(lat) +
                           " lon=" + std::to_string(lon));
        }
  }
}

TEST(igrf_gsw_08, matches_the_full_series_in_gsw) {
  struct row {
    int year, iday, hour;
    float vy;
  };
  const row rows[] = {{2010, 1, 0, 0.f}, {2020, 1, 13, 0.f}, {2025, 1, 19, 40.f}};
  for (const row& w : rows) {
    magfield::recalc_08(w.year, w.iday, w.hour, 0, 0, -400.f, w.vy, 0.f);
    const auto& model = igrf().epoch(w.year);
    const float points[][3] = {{1.2f, 0.3f, -0.4f}, {-0.7f, 0.7f, 0.5f}, {0.1f, -1.6f, 0.2f}, {0.f, 0.f, 1.3f}};
    for (const auto& p : points) {
      float hx, hy, hz;
      magfield::igrf_gsw_08(p[0], p[1], p[2], hx, hy, hz);
      float gx, gy, gz, px = p[0], py = p[1], pz = p[2];
      magfield::geogsw_08(gx, gy, gz, px, py, pz, -1);
      const auto want = geo_to_gsw(igrf_ref::field_geo(model, 13, gx, gy, gz));
      expect_close({hx, hy, hz}, want, 1e-5, std::to_string(w.year) + " at " + std::to_string(p[0]));
    }
  }
}

TEST(igrf_gsw_08, on_the_polar_axis) {
  magfield::recalc_08(2020, 1, 6, 0, 0, -400.f, 0.f, 0.f);
  const auto& model = igrf().epoch(2020);
  for (const double zgeo : {1.0, 1.3, -1.0, -1.7}) {
    // Straight from GEO (0, 0, z): the GEO point the library rebuilds may be off the axis by rounding.
    const auto p = geo_to_gsw({0, 0, zgeo});
    float hx, hy, hz;
    magfield::igrf_gsw_08(float(p[0]), float(p[1]), float(p[2]), hx, hy, hz);
    EXPECT_TRUE(std::isfinite(hx) && std::isfinite(hy) && std::isfinite(hz));
    const auto want = geo_to_gsw(igrf_ref::field_geo(model, 13, 0, 0, zgeo));
    expect_close({hx, hy, hz}, want, 1e-5, "z = " + std::to_string(zgeo));
  }
}

TEST(igrf_geo_08, at_the_poles) {
  magfield::recalc_08(2020, 1, 6, 0, 0, -400.f, 0.f, 0.f);
  const auto& model = igrf().epoch(2020);
  for (const float theta : {0.f, 3.1415927f})
    for (const float phi : {0.f, 1.f, 4.f}) {
      float br, bt, bf;
      magfield::igrf_geo_08(1.f, theta, phi, br, bt, bf);
      ASSERT_TRUE(std::isfinite(br) && std::isfinite(bt) && std::isfinite(bf));
      // The spherical unit vectors at a pole depend on phi; the Cartesian field does not.
      const auto got = igrf_ref::to_cartesian({br, bt, bf}, theta, phi);
      const auto want = igrf_ref::field_geo(model, 13, 0, 0, std::cos(double(theta)));
      expect_close(got, want, 1e-5, "theta=" + std::to_string(theta) + " phi=" + std::to_string(phi));
    }
}

TEST(internal_field, surface_magnitudes) {
  magfield::recalc_08(2020, 1, 0, 0, 0, -400.f, 0.f, 0.f);
  // Around the equator the field is about 30000 nT (the dipole alone gives its
  // moment, 29800 nT, there), from some 25000 nT over South America to some
  // 42000 nT over Indonesia.
  double sum = 0, lo = 1e9, hi = 0;
  for (int lon = 0; lon < 360; lon += 5) {
    float br, bt, bf;
    magfield::igrf_geo_08(1.f, float(pi / 2), float(lon * deg), br, bt, bf);
    const double b = std::sqrt(double(br) * br + double(bt) * bt + double(bf) * bf);
    sum += b;
    lo = std::min(lo, b);
    hi = std::max(hi, b);
  }
  EXPECT_NEAR(sum / 72, 32000, 3000);
  EXPECT_GT(lo, 24000);
  EXPECT_LT(hi, 44000);
  // Near the poles about 57000 nT, pointing down in the north and up in the south.
  float br, bt, bf;
  magfield::igrf_geo_08(1.f, 0.f, 0.f, br, bt, bf);
  EXPECT_NEAR(std::sqrt(br * br + bt * bt + bf * bf), 57000, 2000);
  EXPECT_LT(br, -50000.f);
  magfield::igrf_geo_08(1.f, float(pi), 0.f, br, bt, bf);
  EXPECT_NEAR(std::sqrt(br * br + bt * bt + bf * bf), 55000, 2500);
  EXPECT_GT(br, 50000.f);
}

// Degree of the series by distance: a field made of one degree alone shows
// where that degree is summed and where it is dropped.
TEST(internal_field, degree_falls_with_distance) {
  struct row {
    float r;
    int below, at;  // degree just inside r and from r on
  };
  const row rows[] = {{2, 13, 10}, {3, 10, 9}, {4, 9, 8}, {5, 8, 7}, {6, 7, 6}, {9, 6, 5}, {14, 5, 4}, {29, 4, 3}};
  const float theta = 1.f, phi = 0.5f;
  for (const row& w : rows) {
    for (const int degree : {w.below, w.at}) {
      magfield::recalc_08(2020, 1, 0, 0, 0, -400.f, 0.f, 0.f);
      for (int k = 0; k < 105; ++k) magfld2.g[k] = magfld2.h[k] = 0.f;
      const int k = degree * (degree + 1) / 2 + 1;  // order 1
      magfld2.g[k] = 1000.f;
      magfld2.h[k] = -700.f;
      const float radii[] = {w.r - 1e-3f, w.r, w.r + 1e-3f};
      for (const float r : radii) {
        const bool summed = degree == w.at || r < w.r;
        float br, bt, bf;
        magfield::igrf_geo_08(r, theta, phi, br, bt, bf);
        const std::string where = "degree " + std::to_string(degree) + " at r=" + std::to_string(r);
        EXPECT_EQ(br != 0.f, summed) << where;
        EXPECT_EQ(bt != 0.f, summed) << where;
        EXPECT_EQ(bf != 0.f, summed) << where;
        if (r == w.r) continue;  // the GSW point's distance is only good to rounding
        const auto p = geo_to_gsw(cartesian(r, theta, phi));
        float hx, hy, hz;
        magfield::igrf_gsw_08(float(p[0]), float(p[1]), float(p[2]), hx, hy, hz);
        EXPECT_EQ(hx != 0.f || hy != 0.f || hz != 0.f, summed) << "gsw " << where;
      }
    }
  }
  // Far out only degree 3 is left.
  magfield::recalc_08(2020, 1, 0, 0, 0, -400.f, 0.f, 0.f);
  for (int k = 0; k < 105; ++k)
    if (k != 7) magfld2.g[k] = magfld2.h[k] = 0.f;  // keep g(3,1)
  float br, bt, bf;
  magfield::igrf_geo_08(1000.f, theta, phi, br, bt, bf);
  EXPECT_NE(br, 0.f);
}

// ---------------------------------------------------------------------------

TEST(dip_08, northward_at_the_equator_without_tilt) {
  magfield::recalc_08(2020, 1, 0, 0, 0, -400.f, 0.f, 0.f);
  magfld1.sps = 0.f;
  magfld1.cps = 1.f;
  const auto& c = igrf().epoch(2020);
  const double moment = std::sqrt(c.g[1][0] * c.g[1][0] + c.g[1][1] * c.g[1][1] + c.h[1][1] * c.h[1][1]);
  float bx, by, bz;
  magfield::dip_08(1.f, 0.f, 0.f, bx, by, bz);
  EXPECT_EQ(bx, 0.f);
  EXPECT_EQ(by, 0.f);
  EXPECT_NEAR(bz, moment, 1e-6 * moment);
  EXPECT_NEAR(moment, 29800, 20);  // the 2020 dipole moment, nT at the surface
}

TEST(dip_08, is_the_tilted_centred_dipole) {
  magfield::recalc_08(2005, 170, 18, 0, 0, -400.f, 0.f, 0.f);
  const double moment = std::sqrt(double(magfld2.g[1]) * magfld2.g[1] + double(magfld2.g[2]) * magfld2.g[2] +
                                  double(magfld2.h[2]) * magfld2.h[2]);
  // Moment vector points to the southern dipole pole: -(sin psi, 0, cos psi) in GSW.
  const double m[3] = {-moment * std::sin(double(magfld1.psi)), 0, -moment * std::cos(double(magfld1.psi))};
  const float points[][3] = {{1, 0, 0}, {0, 2, 0}, {3, -1, 2}, {-5, 4, -6}, {0.5f, 0.5f, 0.5f}};
  for (const auto& p : points) {
    const double r = std::sqrt(double(p[0]) * p[0] + double(p[1]) * p[1] + double(p[2]) * p[2]);
    const double mr = (m[0] * p[0] + m[1] * p[1] + m[2] * p[2]) / r;
    std::array<double, 3> want;
    for (int i = 0; i < 3; ++i) want[i] = (3 * mr * p[i] / r - m[i]) / (r * r * r);
    float bx, by, bz;
    magfield::dip_08(p[0], p[1], p[2], bx, by, bz);
    expect_close({bx, by, bz}, want, 2e-6, "point " + std::to_string(p[0]));
    // The degree-1 series of the IGRF is the same dipole.
    for (int k = 3; k < 105; ++k) magfld2.g[k] = magfld2.h[k] = 0.f;
    float hx, hy, hz;
    magfield::igrf_gsw_08(p[0], p[1], p[2], hx, hy, hz);
    expect_close({hx, hy, hz}, want, 1e-5, "degree-1 series at " + std::to_string(p[0]));
    magfield::recalc_08(2005, 170, 18, 0, 0, -400.f, 0.f, 0.f);
  }
}

TEST(internal_field, zero_at_the_centre) {
  magfield::recalc_08(2020, 1, 0, 0, 0, -400.f, 0.f, 0.f);
  float b[3][3];
  magfield::igrf_gsw_08(0.f, 0.f, 0.f, b[0][0], b[0][1], b[0][2]);
  magfield::igrf_geo_08(0.f, 1.f, 1.f, b[1][0], b[1][1], b[1][2]);
  magfield::dip_08(0.f, 0.f, 0.f, b[2][0], b[2][1], b[2][2]);
  for (const auto& v : b) {
    EXPECT_EQ(v[0], 0.f);
    EXPECT_EQ(v[1], 0.f);
    EXPECT_EQ(v[2], 0.f);
  }
}

}  // namespace
