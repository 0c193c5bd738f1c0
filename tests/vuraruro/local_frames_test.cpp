// Local and instrument frames, each against an independent construction of
// its axes in double precision from the frame's geometric definition, against
// hand-worked cases, and by round trips and in-place calls.
#include "vuraruro/local_frames.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <thread>

#include "vuraruro/time_param.h"
#include "vuraruro/transform.h"

namespace vuraruro {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kDeg = kPi / 180.0;

struct dvec {
  double x, y, z;
};

dvec operator+(dvec a, dvec b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
dvec operator*(double k, dvec a) { return {k * a.x, k * a.y, k * a.z}; }
double dot(dvec a, dvec b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
double norm(dvec a) { return std::sqrt(dot(a, a)); }
dvec cross(dvec a, dvec b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
dvec unit(dvec a) { return (1.0 / norm(a)) * a; }

// Unit vector along a minus its part along the unit vector u.
dvec perpendicular_part(dvec a, dvec u) { return unit(a + (-dot(a, u)) * u); }

// Axes of a frame, in the source frame.
struct axes {
  dvec x, y, z;
};

dvec components_along(const axes& e, dvec v) { return {dot(v, e.x), dot(v, e.y), dot(v, e.z)}; }
dvec combination_of(const axes& e, dvec v) { return v.x * e.x + v.y * e.y + v.z * e.z; }

void expect_near(float gx, float gy, float gz, dvec want, double tol, const std::string& what) {
  EXPECT_NEAR(gx, want.x, tol) << what;
  EXPECT_NEAR(gy, want.y, tol) << what;
  EXPECT_NEAR(gz, want.z, tol) << what;
}

const dvec kVectors[] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {3.5, -2.25, 7.125}, {-40.5, 12.25, -3.75}};

// Single precision of a few products, relative to |v|.
constexpr double kTol = 4e-6;

// --- VDH ---

struct station {
  double lat_deg, long_deg;
};

const station kStations[] = {
    {0, 0}, {45, 30}, {-33.87, 151.21}, {78.22, 15.65}, {-70, -120}, {10, 200}, {64.8, -147.7},
};

// Up, east and north at the station, from spherical geometry.
axes vdh_axes(double lat, double lon) {
  return {{std::cos(lat) * std::cos(lon), std::cos(lat) * std::sin(lon), std::sin(lat)},
          {-std::sin(lon), std::cos(lon), 0},
          {-std::sin(lat) * std::cos(lon), -std::sin(lat) * std::sin(lon), std::cos(lat)}};
}

TEST(LocalFramesVdh, MatchesUpEastNorthAtTheStation) {
  for (const station& s : kStations) {
    const float rlat = float(s.lat_deg * kDeg), rlong = float(s.long_deg * kDeg);
    const axes e = vdh_axes(rlat, rlong);
    for (const dvec& v : kVectors) {
      const std::string what = std::to_string(s.lat_deg) + " " + std::to_string(s.long_deg);
      const double tol = kTol * norm(v);
      float a, b, c;
      t_geo_to_vdh(v.x, v.y, v.z, rlat, rlong, a, b, c);
      expect_near(a, b, c, components_along(e, v), tol, what + " geo->vdh");
      t_vdh_to_geo(v.x, v.y, v.z, rlat, rlong, a, b, c);
      expect_near(a, b, c, combination_of(e, v), tol, what + " vdh->geo");
      float x = v.x, y = v.y, z = v.z;
      t_geo_to_vdh(x, y, z, rlat, rlong, x, y, z);
      t_vdh_to_geo(x, y, z, rlat, rlong, x, y, z);
      expect_near(x, y, z, v, tol, what + " round trip");
    }
  }
}

TEST(LocalFramesVdh, HandCases) {
  // On the equator at Greenwich, up is GEO X, east GEO Y, north GEO Z.
  float v, d, h;
  t_geo_to_vdh(1.5f, -2, 3, 0, 0, v, d, h);
  expect_near(v, d, h, {1.5, -2, 3}, 1e-6, "equator, Greenwich");
  // At 90 degrees east on the equator, up is GEO Y and east is -X.
  t_geo_to_vdh(1.5f, -2, 3, 0, float(kPi / 2), v, d, h);
  expect_near(v, d, h, {-2, -1.5, 3}, 1e-6, "equator, 90E");
  // At 30N on the Greenwich meridian: up (cos30, 0, sin30), north (-sin30, 0, cos30).
  t_geo_to_vdh(2, 5, 0, float(30 * kDeg), 0, v, d, h);
  expect_near(v, d, h, {std::sqrt(3.0), 5, -1}, 4e-6, "30N, Greenwich");
}

// --- DM ---

// Fills in the GEO dipole axis as the set-up would, in this thread only.
void set_dipole(dvec gd) {
  timp02.gd1 = float(gd.x);
  timp02.gd2 = float(gd.y);
  timp02.gd3 = float(gd.z);
}

TEST(LocalFramesDm, DipoleAlongRotationAxisGivesEquatorialRadialEastNorth) {
  // With the dipole on the rotation axis, Y = Z x r points east and X = Y x Z
  // is the station's direction projected on the equator.
  std::thread fresh([] {
    set_dipole({0, 0, 1});
    for (const station& s : kStations) {
      const double lon = float(s.long_deg * kDeg);
      const axes e{{std::cos(lon), std::sin(lon), 0}, {-std::sin(lon), std::cos(lon), 0}, {0, 0, 1}};
      for (const dvec& v : kVectors) {
        float x, y, z;
        t_geo_to_dm(v.x, v.y, v.z, float(s.lat_deg * kDeg), float(lon), x, y, z);
        expect_near(x, y, z, components_along(e, v), kTol * norm(v), "geo->dm");
      }
    }
  });
  fresh.join();
}

TEST(LocalFramesDm, StationLiesInTheMagneticMeridianPlane) {
  cp_time_param(2010, 3, 15, 4, 0, 0);
  float gx, gy, gz;
  {
    float ix, iy, iz;
    g_gei_geo_dipole_dir(ix, iy, iz, gx, gy, gz);
  }
  const dvec gd{gx, gy, gz};
  for (const station& s : kStations) {
    const float rlat = float(s.lat_deg * kDeg), rlong = float(s.long_deg * kDeg);
    const dvec r = vdh_axes(rlat, rlong).x;
    const std::string what = std::to_string(s.lat_deg) + " " + std::to_string(s.long_deg);
    float x, y, z;
    // The station's own direction: no Y part, positive X, Z its cosine to the dipole.
    t_geo_to_dm(r.x, r.y, r.z, rlat, rlong, x, y, z);
    expect_near(x, y, z, {norm(cross(gd, r)), 0, dot(gd, r)}, kTol, what + " station");
    // The dipole axis itself is DM Z.
    t_geo_to_dm(gx, gy, gz, rlat, rlong, x, y, z);
    expect_near(x, y, z, {0, 0, 1}, kTol, what + " dipole");
    for (const dvec& v : kVectors) {
      const double tol = kTol * norm(v);
      float a = v.x, b = v.y, c = v.z;
      t_geo_to_dm(a, b, c, rlat, rlong, a, b, c);
      EXPECT_NEAR(std::sqrt(double(a) * a + double(b) * b + double(c) * c), norm(v), tol) << what;
      t_dm_to_geo(a, b, c, rlat, rlong, a, b, c);
      expect_near(a, b, c, v, tol, what + " round trip");
    }
  }
}

// --- SR2 and SR ---

const dvec kSpinAxes[] = {{0, 0, 1}, {0.1, -0.2, 3}, {0, 1, 0}, {-0.3, 0.5, -0.8}, {0.9, 0.05, 0.4}};

TEST(LocalFramesSr2, MatchesSpinAxisFrame) {
  for (const dvec& rot : kSpinAxes) {
    const dvec z = unit(rot);
    const dvec x = perpendicular_part({1, 0, 0}, z);
    const axes e{x, cross(z, x), z};
    for (const dvec& v : kVectors) {
      const double tol = kTol * norm(v);
      float a, b, c;
      t_gse_to_sr2(v.x, v.y, v.z, rot.x, rot.y, rot.z, a, b, c);
      expect_near(a, b, c, components_along(e, v), tol, "gse->sr2");
      t_sr2_to_gse(v.x, v.y, v.z, rot.x, rot.y, rot.z, a, b, c);
      expect_near(a, b, c, combination_of(e, v), tol, "sr2->gse");
      float p = v.x, q = v.y, r = v.z;
      t_gse_to_sr2(p, q, r, rot.x, rot.y, rot.z, p, q, r);
      t_sr2_to_gse(p, q, r, rot.x, rot.y, rot.z, p, q, r);
      expect_near(p, q, r, v, tol, "round trip in place");
    }
  }
  // Hand case: spin axis along GSE Y, so SR2 is (X, -Z, Y) of GSE.
  float a, b, c;
  t_gse_to_sr2(1, 2, 3, 0, 4, 0, a, b, c);
  expect_near(a, b, c, {1, -3, 2}, 1e-6, "spin axis along Y");
}

struct spin_case {
  float spifre, spipha, deltat;
  float x, y;            // SR
  double want_x, want_y;  // SR2, worked by hand
};

// phicr = spipha - (2 pi spifre deltat mod 2 pi); SR2 = SR turned by -phicr.
const spin_case kSpinCases[] = {
    {0.25f, 0, 1, 1, 0, 0, 1},                  // phicr = -pi/2
    {0.25f, 0, 1, 0, 1, -1, 0},                 // phicr = -pi/2
    {0.25f, 0, 5, 1, 0, 0, 1},                  // one more whole turn
    {0.25f, 0, -3, 1, 0, 0, 1},                 // turns removed on the negative side
    {0, float(kPi / 2), 17, 1, 0, 0, -1},       // no spin: phicr = phase = pi/2
    {0.5f, float(kPi / 6), 0.5f, 2, 0, 1, std::sqrt(3.0)},  // phicr = pi/6 - pi/2
};

TEST(LocalFramesSr, HandCasesAndRoundTrip) {
  for (const spin_case& c : kSpinCases) {
    const std::string what = "f=" + std::to_string(c.spifre) + " dt=" + std::to_string(c.deltat);
    float x, y;
    t_sr_to_sr2(c.x, c.y, c.spifre, c.spipha, c.deltat, x, y);
    EXPECT_NEAR(x, c.want_x, 2e-6) << what;
    EXPECT_NEAR(y, c.want_y, 2e-6) << what;
    t_sr2_to_sr(x, y, c.spifre, c.spipha, c.deltat, x, y);
    EXPECT_NEAR(x, c.x, 4e-6) << what << " back";
    EXPECT_NEAR(y, c.y, 4e-6) << what << " back";
  }
  // A long interval, about 995 turns: only the whole turns may go. The
  // single-precision product of about 6250 rad is good to about 5e-4 rad.
  const double turned = 2 * kPi * double(0.2487f) * double(4000.3f);
  const double phicr = 0.3 - std::fmod(turned, 2 * kPi);
  float x, y;
  t_sr_to_sr2(1, 0, 0.2487f, 0.3f, 4000.3f, x, y);
  EXPECT_NEAR(x, std::cos(phicr), 2e-3);
  EXPECT_NEAR(y, -std::sin(phicr), 2e-3);
}

// --- MFA ---

const dvec kFields[] = {{1, 1, 1}, {3, -4, 12}, {-5, 2, -1}, {0.2, 7, 0.5}, {-30, -2, 8}};

axes mfa_axes(dvec b) {
  const dvec z = unit(b);
  const dvec x = perpendicular_part({1, 0, 0}, z);
  return {x, cross(z, x), z};
}

TEST(LocalFramesMfa, MatchesFieldAlignedFrame) {
  for (const dvec& b : kFields) {
    const axes e = mfa_axes(b);
    for (const dvec& v : kVectors) {
      float x, y, z;
      t_gse_to_mfa(v.x, v.y, v.z, b.x, b.y, b.z, x, y, z);
      expect_near(x, y, z, components_along(e, v), kTol * norm(v), "gse->mfa");
    }
  }
  // Field along (1, 1, 1): Z is the input's component along the field.
  float x, y, z;
  t_gse_to_mfa(2, -1, 5, 1, 1, 1, x, y, z);
  EXPECT_NEAR(z, 6 / std::sqrt(3.0), 4e-6);
  // The field itself lies along Z, and GSE X has no Y part.
  t_gse_to_mfa(3, -4, 12, 3, -4, 12, x, y, z);
  expect_near(x, y, z, {0, 0, 13}, 2e-5, "field along Z");
  t_gse_to_mfa(1, 0, 0, 3, -4, 12, x, y, z);
  expect_near(x, y, z, {std::sqrt(160.0) / 13, 0, 3.0 / 13}, 2e-6, "GSE X in the X-Z plane");
}

TEST(LocalFramesMfa, FromSr2AgreesWithFieldAlignedFrameOfGse) {
  for (const dvec& rot : kSpinAxes) {
    if (rot.y == 0 && rot.z == 0) continue;  // SR2 undefined
    for (const dvec& b : kFields) {
      const axes mfa = mfa_axes(b);
      for (const dvec& v : kVectors) {
        // Express vector and field in SR2, then take them to MFA from there.
        float vx, vy, vz, bx, by, bz;
        t_gse_to_sr2(v.x, v.y, v.z, rot.x, rot.y, rot.z, vx, vy, vz);
        t_gse_to_sr2(b.x, b.y, b.z, rot.x, rot.y, rot.z, bx, by, bz);
        float x, y, z;
        t_sr2_to_mfa(vx, vy, vz, bx, by, bz, rot.x, rot.y, rot.z, x, y, z);
        expect_near(x, y, z, components_along(mfa, v), 1e-5 * norm(v), "sr2->mfa");
        float sx, sy, sz;
        tsr2mfa(vx, vy, vz, bx, by, bz, rot.x, rot.y, rot.z, sx, sy, sz);
        EXPECT_EQ(sx, x);
        EXPECT_EQ(sy, y);
        EXPECT_EQ(sz, z);
      }
    }
  }
}

// --- TPN ---

struct tpn_case {
  float xo, yo, zo, xs;
};

const tpn_case kTpnCases[] = {
    {5, 6, 8, 10}, {-20, 15, -12, 11}, {0, 0.5f, -3, 2}, {9.5f, -1, 0.25f, 10}, {-3, -7, -7, 9},
};

// Outward normal from the gradient of x - xs + k (y^2 + z^2), the paraboloid
// through the point; the tangent toward the nose is +X without its normal part.
axes tpn_axes(const tpn_case& c) {
  const double r2 = double(c.yo) * c.yo + double(c.zo) * c.zo;
  const double k = (double(c.xs) - c.xo) / r2;
  const dvec n = unit({1, 2 * k * c.yo, 2 * k * c.zo});
  const dvec t = perpendicular_part({1, 0, 0}, n);
  return {t, cross(n, t), n};
}

TEST(LocalFramesTpn, MatchesParaboloidNormalFrame) {
  for (const tpn_case& c : kTpnCases) {
    const axes e = tpn_axes(c);
    float tx, ty, tz, px, py, pz, nx, ny, nz;
    cp_tpn_param(c.xo, c.yo, c.zo, c.xs, tx, ty, tz, px, py, pz, nx, ny, nz);
    expect_near(tx, ty, tz, e.x, kTol, "T");
    expect_near(px, py, pz, e.y, kTol, "P");
    expect_near(nx, ny, nz, e.z, kTol, "N");
    for (const dvec& v : kVectors) {
      const double tol = kTol * norm(v);
      float x, y, z;
      t_gse_to_tpn(v.x, v.y, v.z, c.xo, c.yo, c.zo, c.xs, x, y, z);
      expect_near(x, y, z, components_along(e, v), tol, "gse->tpn");
      float gx = v.x, gy = v.y, gz = v.z;
      t_gsm_to_tpn(gx, gy, gz, c.xo, c.yo, c.zo, c.xs, gx, gy, gz);
      EXPECT_EQ(gx, x);
      EXPECT_EQ(gy, y);
      EXPECT_EQ(gz, z);
    }
  }
  // Hand case: point (0, 2, 0), nose at 1. N along (2, 2, 0), T along (2, -2, 0),
  // P along N x T = (0, 0, -8).
  float tx, ty, tz, px, py, pz, nx, ny, nz;
  cp_tpn_param(0, 2, 0, 1, tx, ty, tz, px, py, pz, nx, ny, nz);
  const double h = std::sqrt(0.5);
  expect_near(tx, ty, tz, {h, -h, 0}, 1e-6, "hand T");
  expect_near(px, py, pz, {0, 0, -1}, 1e-6, "hand P");
  expect_near(nx, ny, nz, {h, h, 0}, 1e-6, "hand N");
}

// --- Euler frame ---

struct euler_case {
  float a1, a2, a3;
};

const euler_case kEulerCases[] = {
    {0, 0, 0}, {30, 0, 45}, {0, 90, 0}, {12.5f, 47, -130}, {-200, 163.5f, 71}, {90, 90, 90},
};

// Turn about z by a1, then about x by a2, then about z by a3, as matrices.
axes euler_rows(const euler_case& c) {
  auto rz = [](double a) { return axes{{std::cos(a), -std::sin(a), 0}, {std::sin(a), std::cos(a), 0}, {0, 0, 1}}; };
  auto rx = [](double a) { return axes{{1, 0, 0}, {0, std::cos(a), -std::sin(a)}, {0, std::sin(a), std::cos(a)}}; };
  auto mul = [](const axes& a, const axes& b) {
    const dvec c0{b.x.x, b.y.x, b.z.x}, c1{b.x.y, b.y.y, b.z.y}, c2{b.x.z, b.y.z, b.z.z};
    return axes{{dot(a.x, c0), dot(a.x, c1), dot(a.x, c2)},
                {dot(a.y, c0), dot(a.y, c1), dot(a.y, c2)},
                {dot(a.z, c0), dot(a.z, c1), dot(a.z, c2)}};
  };
  return mul(rz(c.a3 * kDeg), mul(rx(c.a2 * kDeg), rz(c.a1 * kDeg)));
}

TEST(LocalFramesEuler, MatchesComposedRotations) {
  for (const euler_case& c : kEulerCases) {
    const axes rows = euler_rows(c);  // rows: v, d, h as combinations of x, y, z
    for (const dvec& v : kVectors) {
      const double tol = kTol * norm(v);
      float a, b, d;
      t_xyz_to_vdh(v.x, v.y, v.z, c.a1, c.a2, c.a3, a, b, d);
      expect_near(a, b, d, components_along(rows, v), tol, "xyz->vdh");
      t_vdh_to_xyz(v.x, v.y, v.z, c.a1, c.a2, c.a3, a, b, d);
      expect_near(a, b, d, combination_of(rows, v), tol, "vdh->xyz");
      float x = v.x, y = v.y, z = v.z;
      t_xyz_to_vdh(x, y, z, c.a1, c.a2, c.a3, x, y, z);
      t_vdh_to_xyz(x, y, z, c.a1, c.a2, c.a3, x, y, z);
      expect_near(x, y, z, v, tol, "round trip in place");
    }
  }
  // Hand cases: a2 = 90 alone takes (x, y, z) to (x, -z, y); a2 = 0 is one
  // turn about z by a1 + a3.
  float v, d, h;
  t_xyz_to_vdh(1, 2, 3, 0, 90, 0, v, d, h);
  expect_near(v, d, h, {1, -3, 2}, 1e-6, "a2 = 90");
  t_xyz_to_vdh(1, 0, 0, 30, 0, 15, v, d, h);
  expect_near(v, d, h, {std::sqrt(0.5), std::sqrt(0.5), 0}, 1e-6, "a1 + a3 = 45");
}

// --- In-place calls and short names, one row per routine ---

// Inputs pass by reference down to the routine, so an in-place call really
// hands it the same variables twice.
using call_fn = void (*)(const float&, const float&, const float&, float&, float&, float&);

struct call {
  const char* name;
  call_fn fn;
  int components;          // 2 for the spin-plane pair
  const char* same_as;     // for a short name: its routine's row
};

constexpr float kLat = 0.7f, kLon = -1.2f;

// clang-format off
const call kCalls[] = {
    {"geo->vdh", [](const float& a, const float& b, const float& c, float& x, float& y, float& z) { t_geo_to_vdh(a, b, c, kLat, kLon, x, y, z); }, 3, nullptr},
    {"vdh->geo", [](const float& a, const float& b, const float& c, float& x, float& y, float& z) { t_vdh_to_geo(a, b, c, kLat, kLon, x, y, z); }, 3, nullptr},
    {"geo->dm", [](const float& a, const float& b, const float& c, float& x, float& y, float& z) { t_geo_to_dm(a, b, c, kLat, kLon, x, y, z); }, 3, nullptr},
    {"dm->geo", [](const float& a, const float& b, const float& c, float& x, float& y, float& z) { t_dm_to_geo(a, b, c, kLat, kLon, x, y, z); }, 3, nullptr},
    {"gse->sr2", [](const float& a, const float& b, const float& c, float& x, float& y, float& z) { t_gse_to_sr2(a, b, c, 0.1f, -0.2f, 3, x, y, z); }, 3, nullptr},
    {"sr2->gse", [](const float& a, const float& b, const float& c, float& x, float& y, float& z) { t_sr2_to_gse(a, b, c, 0.1f, -0.2f, 3, x, y, z); }, 3, nullptr},
    {"sr->sr2", [](const float& a, const float& b, const float&, float& x, float& y, float&) { t_sr_to_sr2(a, b, 0.25f, 0.4f, 12.3f, x, y); }, 2, nullptr},
    {"sr2->sr", [](const float& a, const float& b, const float&, float& x, float& y, float&) { t_sr2_to_sr(a, b, 0.25f, 0.4f, 12.3f, x, y); }, 2, nullptr},
    {"gse->mfa", [](const float& a, const float& b, const float& c, float& x, float& y, float& z) { t_gse_to_mfa(a, b, c, 3, -4, 12, x, y, z); }, 3, nullptr},
    {"sr2->mfa", [](const float& a, const float& b, const float& c, float& x, float& y, float& z) { t_sr2_to_mfa(a, b, c, 3, -4, 12, 0.1f, -0.2f, 3, x, y, z); }, 3, nullptr},
    {"gse->tpn", [](const float& a, const float& b, const float& c, float& x, float& y, float& z) { t_gse_to_tpn(a, b, c, 5, 6, 8, 10, x, y, z); }, 3, nullptr},
    {"gsm->tpn", [](const float& a, const float& b, const float& c, float& x, float& y, float& z) { t_gsm_to_tpn(a, b, c, 5, 6, 8, 10, x, y, z); }, 3, "gse->tpn"},
    {"xyz->vdh", [](const float& a, const float& b, const float& c, float& x, float& y, float& z) { t_xyz_to_vdh(a, b, c, 12.5f, 47, -130, x, y, z); }, 3, nullptr},
    {"vdh->xyz", [](const float& a, const float& b, const float& c, float& x, float& y, float& z) { t_vdh_to_xyz(a, b, c, 12.5f, 47, -130, x, y, z); }, 3, nullptr},
    {"tgeovdh", [](const float& a, const float& b, const float& c, float& x, float& y, float& z) { tgeovdh(a, b, c, kLat, kLon, x, y, z); }, 3, "geo->vdh"},
    {"tvdhgeo", [](const float& a, const float& b, const float& c, float& x, float& y, float& z) { tvdhgeo(a, b, c, kLat, kLon, x, y, z); }, 3, "vdh->geo"},
    {"tgeodme", [](const float& a, const float& b, const float& c, float& x, float& y, float& z) { tgeodme(a, b, c, kLat, kLon, x, y, z); }, 3, "geo->dm"},
    {"tdmegeo", [](const float& a, const float& b, const float& c, float& x, float& y, float& z) { tdmegeo(a, b, c, kLat, kLon, x, y, z); }, 3, "dm->geo"},
    {"tgsesr2", [](const float& a, const float& b, const float& c, float& x, float& y, float& z) { tgsesr2(a, b, c, 0.1f, -0.2f, 3, x, y, z); }, 3, "gse->sr2"},
    {"tsr2gse", [](const float& a, const float& b, const float& c, float& x, float& y, float& z) { tsr2gse(a, b, c, 0.1f, -0.2f, 3, x, y, z); }, 3, "sr2->gse"},
    {"tsresr2", [](const float& a, const float& b, const float&, float& x, float& y, float&) { tsresr2(a, b, 0.25f, 0.4f, 12.3f, x, y); }, 2, "sr->sr2"},
    {"tsr2sre", [](const float& a, const float& b, const float&, float& x, float& y, float&) { tsr2sre(a, b, 0.25f, 0.4f, 12.3f, x, y); }, 2, "sr2->sr"},
};
// clang-format on

struct result {
  float x, y, z;
};

result separate_outputs(const call& c) {
  const float a = 3.5f, b = -2.25f, d = 7.125f;
  result r{0, 0, 0};
  c.fn(a, b, d, r.x, r.y, r.z);
  return r;
}

TEST(LocalFramesCalls, InPlaceAndShortNamesMatchSeparateOutputs) {
  cp_time_param(2001, 8, 9, 10, 11, 12);  // DM reads the dipole axis
  for (const call& c : kCalls) {
    const result want = separate_outputs(c);
    float p = 3.5f, q = -2.25f, r = 7.125f;
    c.fn(p, q, r, p, q, r);
    EXPECT_EQ(p, want.x) << c.name;
    EXPECT_EQ(q, want.y) << c.name;
    if (c.components == 3) {
      EXPECT_EQ(r, want.z) << c.name;
    }
    if (c.same_as == nullptr) continue;
    for (const call& other : kCalls) {
      if (std::string(other.name) != c.same_as) continue;
      const result theirs = separate_outputs(other);
      EXPECT_EQ(want.x, theirs.x) << c.name;
      EXPECT_EQ(want.y, theirs.y) << c.name;
      EXPECT_EQ(want.z, theirs.z) << c.name;
    }
  }
}

}  // namespace
}  // namespace vuraruro
