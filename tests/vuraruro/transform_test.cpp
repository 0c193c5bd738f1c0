// Geocentric frame transformations, checked by the identities that define
// them (round trips, kept lengths, frame axes landing on unit vectors) and by
// agreement between independent routes (a plane rotation against the products
// with the axes stored in GEI and GEO) over instants from 1901 to 2099.
#include "vuraruro/transform.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <thread>
#include <tuple>

#include "vuraruro/time_param.h"

namespace vuraruro {
namespace {

using transform_fn = void (*)(float, float, float, float&, float&, float&);

struct instant {
  int year, month, day, hour, minute, second;
};

// Across the sun formula's range, both runs of the pole table, the step
// between them, leap days, solstices and the years past the table's end.
const instant kInstants[] = {
    {1901, 1, 1, 0, 0, 0},    {1925, 3, 21, 6, 30, 0},  {1944, 2, 29, 13, 13, 13},
    {1957, 7, 4, 12, 0, 0},   {1969, 12, 31, 23, 59, 59}, {1970, 1, 1, 0, 0, 0},
    {1989, 9, 22, 18, 45, 10}, {2000, 1, 1, 12, 0, 0},   {2005, 6, 21, 17, 0, 0},
    {2005, 12, 21, 5, 0, 0},  {2024, 2, 29, 3, 15, 0},  {2025, 6, 30, 9, 0, 0},
    {2063, 10, 10, 21, 5, 30}, {2099, 12, 31, 23, 59, 59},
};

std::string label(const instant& t) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour,
                t.minute, t.second);
  return buf;
}

void set_time(const instant& t) {
  cp_time_param(t.year, t.month, t.day, t.hour, t.minute, t.second);
}

struct vec {
  float x, y, z;
};

// Unit axes, a generic direction, and a spacecraft position in km.
const vec kVectors[] = {
    {1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {3.5f, -2.25f, 7.125f}, {-61234.5f, 20456.25f, -3300.75f},
};

float norm(vec v) { return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z); }

vec apply(transform_fn f, vec v) {
  vec r;
  f(v.x, v.y, v.z, r.x, r.y, r.z);
  return r;
}

void expect_near(vec got, vec want, float tol, const std::string& what) {
  EXPECT_NEAR(got.x, want.x, tol) << what;
  EXPECT_NEAR(got.y, want.y, tol) << what;
  EXPECT_NEAR(got.z, want.z, tol) << what;
}

// Every routine with its reverse and both short entry points.
struct transform_pair {
  const char* name;
  transform_fn forward, reverse;
  transform_fn forward_short, reverse_short;
};

const transform_pair kPairs[] = {
    {"gei-geo", t_gei_to_geo, t_geo_to_gei, tgeigeo, tgeogei},
    {"gei-gse", t_gei_to_gse, t_gse_to_gei, tgeigse, tgsegei},
    {"geo-gse", t_geo_to_gse, t_gse_to_geo, tgeogse, tgsegeo},
    {"gei-gsm", t_gei_to_gsm, t_gsm_to_gei, tgeigsm, tgsmgei},
    {"geo-gsm", t_geo_to_gsm, t_gsm_to_geo, tgeogsm, tgsmgeo},
    {"gei-sm", t_gei_to_sm, t_sm_to_gei, tgeisma, tsmagei},
    {"geo-sm", t_geo_to_sm, t_sm_to_geo, tgeosma, tsmageo},
    {"gei-mag", t_gei_to_mag, t_mag_to_gei, tgeimag, tmaggei},
    {"geo-mag", t_geo_to_mag, t_mag_to_geo, tgeomag, tmaggeo},
    {"gei-gseq", t_gei_to_gseq, t_gseq_to_gei, tgeigsq, tgsqgei},
    {"geo-gseq", t_geo_to_gseq, t_gseq_to_geo, tgeogsq, tgsqgeo},
    {"gse-gsm", t_gse_to_gsm, t_gsm_to_gse, tgsegsm, tgsmgse},
    {"gse-gseq", t_gse_to_gseq, t_gseq_to_gse, tgsegsq, tgsqgse},
    {"gsm-sm", t_gsm_to_sm, t_sm_to_gsm, tgsmsma, tsmagsm},
    {"mag-sm", t_mag_to_sm, t_sm_to_mag, tmagsma, tsmamag},
    {"mag-gsm", t_mag_to_gsm, t_gsm_to_mag, tmaggsm, tgsmmag},
    {"gsm-gseq", t_gsm_to_gseq, t_gseq_to_gsm, tgsmgsq, tgsqgsm},
};

// Single-precision rounding of a few products and sums, relative to |v|.
constexpr float kRoundTol = 4e-6f;

TEST(TransformRoundTrip, ReverseRestoresInputAndLengthIsKept) {
  for (const instant& t : kInstants) {
    set_time(t);
    for (const transform_pair& p : kPairs) {
      for (const vec& v : kVectors) {
        const std::string what = label(t) + " " + p.name;
        const float tol = kRoundTol * norm(v);
        const vec f = apply(p.forward, v);
        EXPECT_NEAR(norm(f), norm(v), tol) << what << " forward";
        expect_near(apply(p.reverse, f), v, tol, what + " forward then reverse");
        const vec r = apply(p.reverse, v);
        EXPECT_NEAR(norm(r), norm(v), tol) << what << " reverse";
        expect_near(apply(p.forward, r), v, tol, what + " reverse then forward");
      }
    }
  }
}

// In-place calls and the short names must give exactly the same bits.
TEST(TransformCalls, InPlaceAndShortNamesMatchSeparateOutputs) {
  set_time({2005, 6, 21, 17, 0, 0});
  const vec v{3.5f, -2.25f, 7.125f};
  for (const transform_pair& p : kPairs) {
    for (auto [fn, short_fn, dir] : {std::tuple{p.forward, p.forward_short, "forward"},
                                     std::tuple{p.reverse, p.reverse_short, "reverse"}}) {
      const vec separate = apply(fn, v);
      vec in_place = v;
      fn(in_place.x, in_place.y, in_place.z, in_place.x, in_place.y, in_place.z);
      EXPECT_EQ(in_place.x, separate.x) << p.name << " " << dir;
      EXPECT_EQ(in_place.y, separate.y) << p.name << " " << dir;
      EXPECT_EQ(in_place.z, separate.z) << p.name << " " << dir;
      const vec via_short = apply(short_fn, v);
      EXPECT_EQ(via_short.x, separate.x) << p.name << " " << dir << " short name";
      EXPECT_EQ(via_short.y, separate.y) << p.name << " " << dir << " short name";
      EXPECT_EQ(via_short.z, separate.z) << p.name << " " << dir << " short name";
    }
  }
}

// A direct routine against a route through two others. Plane rotations use
// angles from timp11, the routes use axes from other records, so a sign or
// angle mix-up on either side shows; GEI-against-GEO routes catch axes taken
// from the wrong frame.
struct route {
  const char* name;
  transform_fn direct, first, second;
};

const route kRoutes[] = {
    {"gse->gsm via gei", t_gse_to_gsm, t_gse_to_gei, t_gei_to_gsm},
    {"gsm->gse via gei", t_gsm_to_gse, t_gsm_to_gei, t_gei_to_gse},
    {"gse->gseq via geo", t_gse_to_gseq, t_gse_to_geo, t_geo_to_gseq},
    {"gseq->gse via geo", t_gseq_to_gse, t_gseq_to_geo, t_geo_to_gse},
    {"gsm->sm via geo", t_gsm_to_sm, t_gsm_to_geo, t_geo_to_sm},
    {"sm->gsm via gei", t_sm_to_gsm, t_sm_to_gei, t_gei_to_gsm},
    {"mag->sm via gei", t_mag_to_sm, t_mag_to_gei, t_gei_to_sm},
    {"sm->mag via geo", t_sm_to_mag, t_sm_to_geo, t_geo_to_mag},
    {"mag->gsm via geo", t_mag_to_gsm, t_mag_to_geo, t_geo_to_gsm},
    {"gsm->mag via gei", t_gsm_to_mag, t_gsm_to_gei, t_gei_to_mag},
    {"gsm->gseq via gei", t_gsm_to_gseq, t_gsm_to_gei, t_gei_to_gseq},
    {"gseq->gsm via geo", t_gseq_to_gsm, t_gseq_to_geo, t_geo_to_gsm},
    {"gei->gse via geo", t_gei_to_gse, t_gei_to_geo, t_geo_to_gse},
    {"gei->gsm via geo", t_gei_to_gsm, t_gei_to_geo, t_geo_to_gsm},
    {"gei->sm via geo", t_gei_to_sm, t_gei_to_geo, t_geo_to_sm},
    {"gei->mag via geo", t_gei_to_mag, t_gei_to_geo, t_geo_to_mag},
    {"gei->gseq via geo", t_gei_to_gseq, t_gei_to_geo, t_geo_to_gseq},
    {"geo->gei via gse", t_geo_to_gei, t_geo_to_gse, t_gse_to_gei},
};

TEST(TransformRoutes, DirectRoutineAgreesWithRouteThroughOtherFrames) {
  for (const instant& t : kInstants) {
    set_time(t);
    for (const route& r : kRoutes) {
      for (const vec& v : kVectors) {
        // The stored angles come from products independent of the stored
        // axes; they agree to a few units of single precision.
        const float tol = 2e-5f * norm(v);
        expect_near(apply(r.direct, v), apply(r.second, apply(r.first, v)), tol,
                    label(t) + " " + r.name);
      }
    }
  }
}

// Each frame's defining direction lands on its own axis.
TEST(TransformAxes, DefiningDirectionsLandOnTheirAxes) {
  constexpr float tol = 4e-6f;
  for (const instant& t : kInstants) {
    set_time(t);
    const std::string when = label(t);
    vec gs, ps, gm, gd, ge, pe;
    g_gei_geo_sun_dir(gs.x, gs.y, gs.z, ps.x, ps.y, ps.z);
    g_gei_geo_dipole_dir(gm.x, gm.y, gm.z, gd.x, gd.y, gd.z);
    g_gei_geo_ecliptic_dir(ge.x, ge.y, ge.z, pe.x, pe.y, pe.z);
    float tilt = 0;
    g_gsm_dipole_tilt_angle(tilt);

    expect_near(apply(t_gei_to_geo, gs), ps, tol, when + " gei->geo of the sun");
    expect_near(apply(t_geo_to_gei, gd), gm, tol, when + " geo->gei of the dipole");
    expect_near(apply(t_geo_to_gsm, ps), {1, 0, 0}, tol, when + " geo->gsm of the sun");
    expect_near(apply(t_gei_to_gsm, gs), {1, 0, 0}, tol, when + " gei->gsm of the sun");
    expect_near(apply(t_gei_to_gse, gs), {1, 0, 0}, tol, when + " gei->gse of the sun");
    expect_near(apply(t_gei_to_gseq, gs), {1, 0, 0}, tol, when + " gei->gseq of the sun");
    expect_near(apply(t_geo_to_sm, gd), {0, 0, 1}, tol, when + " geo->sm of the dipole");
    expect_near(apply(t_geo_to_mag, gd), {0, 0, 1}, tol, when + " geo->mag of the dipole");
    expect_near(apply(t_gei_to_sm, gm), {0, 0, 1}, tol, when + " gei->sm of the dipole");
    expect_near(apply(t_gei_to_mag, gm), {0, 0, 1}, tol, when + " gei->mag of the dipole");
    expect_near(apply(t_geo_to_gse, pe), {0, 0, 1}, tol, when + " geo->gse of the pole");
    expect_near(apply(t_gei_to_gse, ge), {0, 0, 1}, tol, when + " gei->gse of the pole");

    // GSM: the dipole lies in the X-Z plane, leaning sunward by the tilt.
    expect_near(apply(t_geo_to_gsm, gd), {std::sin(tilt), 0, std::cos(tilt)}, tol,
                when + " dipole in gsm");
    // SM: the sun lies in the X-Z plane, on the day side.
    const vec sun_sm = apply(t_geo_to_sm, ps);
    EXPECT_NEAR(sun_sm.y, 0, tol) << when;
    EXPECT_GT(sun_sm.x, 0) << when;
    // MAG: Y is perpendicular to the rotation axis, so the geographic pole has
    // no Y component and lies on the -X side (X = Y x Z).
    const vec pole_mag = apply(t_geo_to_mag, {0, 0, 1});
    expect_near(pole_mag, {-std::sqrt(1 - gd.z * gd.z), 0, gd.z}, tol, when + " pole in mag");
    // GSE: the celestial pole is the obliquity away from the ecliptic pole,
    // and the sun's declination toward it.
    float gmst, slon, sras, sdec, obli;
    g_gei_sun_param(gmst, slon, sras, sdec, obli);
    const vec celestial_pole = apply(t_gei_to_gse, {0, 0, 1});
    EXPECT_NEAR(celestial_pole.z, std::cos(obli), tol) << when;
    EXPECT_NEAR(celestial_pole.x, std::sin(sdec), tol) << when;
  }
}

TEST(TransformAxes, StoredSinesGiveTheDocumentedImages) {
  constexpr float tol = 4e-6f;
  for (const instant& t : kInstants) {
    set_time(t);
    const std::string when = label(t);
    const timp11_rec& a = timp11;
    expect_near(apply(t_gse_to_gsm, {2.5f, 0, 0}), {2.5f, 0, 0}, 0, when + " gse X");
    expect_near(apply(t_gse_to_gsm, {0, 1, 0}), {0, a.cdze, -a.sdze}, tol, when + " gse Y");
    expect_near(apply(t_gsm_to_gse, {0, a.cdze, -a.sdze}), {0, 1, 0}, tol, when + " back");
    expect_near(apply(t_gsm_to_sm, {1, 0, 0}), {a.cmu, 0, a.smu}, tol, when + " gsm X");
  }
}

// Before any set-up the state is all zero: the plane rotation about X keeps
// only the X component and the axis products give nothing. A new thread has
// its own state, still untouched.
TEST(TransformBeforeSetUp, ZeroStateGivesDocumentedResults) {
  vec gsm{}, gsm_in_place{-7.5f, 3.25f, 1.5f}, gsm_from_gei{1, 1, 1};
  std::thread fresh([&] {
    t_gse_to_gsm(-7.5f, 3.25f, 1.5f, gsm.x, gsm.y, gsm.z);
    t_gse_to_gsm(gsm_in_place.x, gsm_in_place.y, gsm_in_place.z, gsm_in_place.x,
                 gsm_in_place.y, gsm_in_place.z);
    t_gei_to_gsm(-7.5f, 3.25f, 1.5f, gsm_from_gei.x, gsm_from_gei.y, gsm_from_gei.z);
  });
  fresh.join();
  expect_near(gsm, {-7.5f, 0, 0}, 0, "gse->gsm");
  expect_near(gsm_in_place, {-7.5f, 0, 0}, 0, "gse->gsm in place");
  expect_near(gsm_from_gei, {0, 0, 0}, 0, "gei->gsm");
}

}  // namespace
}  // namespace vuraruro
