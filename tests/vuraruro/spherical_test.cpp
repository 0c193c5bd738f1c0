// Spherical <-> Cartesian conversion: special cases near the axes and the
// -pi cut, and round trips.
#include "vuraruro/spherical.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace vuraruro {
namespace {

constexpr float pi_f = std::numbers::pi_v<float>;

TEST(CarToSph, SpecialCases) {
  struct Case {
    const char* what;
    float x, y, z;
    float r, teta, phi;
    float tol;  // acos loses digits close to the axis
  };
  const Case cases[] = {
      {"origin", 0.f, 0.f, 0.f, 0.f, 0.f, 0.f, 0.f},
      {"below the origin on -Z", 0.f, 0.f, -2.f, 2.f, pi_f, 0.f, 0.f},
      {"above the origin on +Z", 0.f, 0.f, 3.f, 3.f, 0.f, 0.f, 0.f},
      {"just below -X: +pi, not -pi", -1.f, -1e-6f, 0.f, 1.f, pi_f / 2, pi_f, 0.f},
      {"exactly on -X from below", -1.f, -0.f, 0.f, 1.f, pi_f / 2, pi_f, 0.f},
      {"just above +X: longitude 0", 1.f, 1e-7f, 0.f, 1.f, pi_f / 2, 0.f, 0.f},
      {"just below +X: longitude 0", 1.f, -1e-6f, 0.f, 1.f, pi_f / 2, 0.f, 0.f},
      {"-X well below the cut stays negative", -1.f, -1e-4f, 0.f, 1.f, pi_f / 2,
       -pi_f + 1e-4f, 2e-6f},
      {"+Y axis", 0.f, 5.f, 0.f, 5.f, pi_f / 2, pi_f / 2, 2e-6f},
      {"-Y axis", 0.f, -5.f, 0.f, 5.f, pi_f / 2, -pi_f / 2, 2e-6f},
      // r = 10, 0.004 from the axis: 1.6e-5 / 10 is below 1.7e-6, so on the axis.
      {"r=10, 0.004 off +Z counts as on it", 0.004f, 0.f, 10.f, 10.f, 0.f, 0.f, 1e-6f},
      {"r=10, 0.004 off -Z counts as on it", 0.f, 0.004f, -10.f, 10.f, pi_f, 0.f, 1e-6f},
      // r = 1 gets the same treatment only within about 0.0013.
      {"r=1, 0.0013 off +Z counts as on it", 0.f, 0.0013f, 1.f, 1.f, 0.f, 0.f, 1e-6f},
      {"r=1, 0.002 off +Z does not", 0.f, 0.002f, 1.f, 1.000002f, 0.002f, pi_f / 2, 1e-4f},
      {"r=10, 0.005 off +Z does not", 0.005f, 0.f, 10.f, 10.f, 0.0005f, 0.f, 2e-4f},
  };
  for (const Case& c : cases) {
    float r = -1, teta = -1, phi = -1;
    t_car_to_sph(c.x, c.y, c.z, r, teta, phi);
    EXPECT_NEAR(r, c.r, c.r * 1e-6f) << c.what;
    EXPECT_NEAR(teta, c.teta, c.tol) << c.what;
    EXPECT_NEAR(phi, c.phi, c.tol) << c.what;
    float r2 = -1, teta2 = -1, phi2 = -1;
    tcarsph(c.x, c.y, c.z, r2, teta2, phi2);
    EXPECT_EQ(r2, r);
    EXPECT_EQ(teta2, teta);
    EXPECT_EQ(phi2, phi);
  }
}

TEST(CarToSph, SnapsAreExact) {
  float r, teta, phi;
  t_car_to_sph(-1.f, -1e-6f, 0.f, r, teta, phi);
  EXPECT_EQ(phi, 3.1415927f);
  t_car_to_sph(1.f, 1e-7f, 0.f, r, teta, phi);
  EXPECT_EQ(phi, 0.0f);
  t_car_to_sph(0.f, 0.f, -2.f, r, teta, phi);
  EXPECT_EQ(teta, 3.1415927f);
  EXPECT_EQ(phi, 0.0f);
}

TEST(SphToCar, SpecialCases) {
  struct Case {
    float r, teta, phi;
    float x, y, z;
  };
  const Case cases[] = {
      {1.f, 0.f, 0.f, 0.f, 0.f, 1.f},         {1.f, 0.f, 1.234f, 0.f, 0.f, 1.f},
      {1.f, 0.f, -3.f, 0.f, 0.f, 1.f},        {2.f, pi_f / 2, pi_f / 2, 0.f, 2.f, 0.f},
      {3.f, pi_f, 0.f, 0.f, 0.f, -3.f},       {1.f, pi_f / 2, 0.f, 1.f, 0.f, 0.f},
      {1.f, pi_f / 2, pi_f, -1.f, 0.f, 0.f},  {0.f, 1.f, 2.f, 0.f, 0.f, 0.f},
  };
  for (const Case& c : cases) {
    float x = -9, y = -9, z = -9;
    t_sph_to_car(c.r, c.teta, c.phi, x, y, z);
    EXPECT_NEAR(x, c.x, 4e-7f * c.r) << c.r << " " << c.teta << " " << c.phi;
    EXPECT_NEAR(y, c.y, 4e-7f * c.r);
    EXPECT_NEAR(z, c.z, 4e-7f * c.r);
  }
  float x, y, z;
  t_sph_to_car(1.f, 0.f, 0.7f, x, y, z);
  EXPECT_EQ(x, 0.f);
  EXPECT_EQ(y, 0.f);
  EXPECT_EQ(z, 1.f);
}

// Off-axis points go to spherical and back unchanged, and the spherical
// values satisfy their definitions.
TEST(SphericalRoundTrip, OffAxisPointsReturn) {
  int n = 0;
  for (float r : {0.01f, 1.f, 6.6f, 250.f, 4.2e4f}) {
    for (int it = 1; it < 18; ++it) {
      const float teta = float(it) * pi_f / 18.f;
      for (int ip = -17; ip <= 18; ++ip) {
        const float phi = float(ip) * pi_f / 18.f;
        float x, y, z;
        t_sph_to_car(r, teta, phi, x, y, z);
        float r2, t2, p2;
        t_car_to_sph(x, y, z, r2, t2, p2);
        EXPECT_NEAR(r2, r, 4e-7f * r);
        EXPECT_NEAR(t2, teta, 2e-6f);
        // +pi comes back as +pi (snapped), so compare longitudes on the circle.
        EXPECT_NEAR(std::cos(p2), std::cos(phi), 2e-6f);
        EXPECT_NEAR(std::sin(p2), std::sin(phi), 2e-6f);
        EXPECT_GE(p2, -pi_f);
        EXPECT_LE(p2, pi_f);
        float x2, y2, z2;
        t_sph_to_car(r2, t2, p2, x2, y2, z2);
        EXPECT_NEAR(x2, x, 1e-6f * r);
        EXPECT_NEAR(y2, y, 1e-6f * r);
        EXPECT_NEAR(z2, z, 1e-6f * r);
        ++n;
      }
    }
  }
  EXPECT_EQ(n, 5 * 17 * 36);
}

// Inputs are by value, so converting a point onto itself is safe.
TEST(SphToCar, InPlace) {
  float a = 2.f, b = pi_f / 2, c = 0.f;
  t_sph_to_car(a, b, c, a, b, c);
  EXPECT_NEAR(a, 2.f, 1e-6f);
  EXPECT_NEAR(b, 0.f, 1e-6f);
  EXPECT_NEAR(c, 0.f, 1e-6f);
}

}  // namespace
}  // namespace vuraruro
