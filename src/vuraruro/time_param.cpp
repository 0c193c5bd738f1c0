#include "vuraruro/time_param.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string_view>

#include "fortio/fortio.h"
#include "vuraruro/calendar.h"
#include "vuraruro/spherical.h"

namespace vuraruro {

constinit thread_local timp00_rec timp00{};
constinit thread_local timp01_rec timp01{};
constinit thread_local timp02_rec timp02{};
constinit thread_local timp03_rec timp03{};
constinit thread_local timp04_rec timp04{};
constinit thread_local timp05_rec timp05{};
constinit thread_local timp06_rec timp06{};
constinit thread_local timp07_rec timp07{};
constinit thread_local timp08_rec timp08{};
constinit thread_local timp09_rec timp09{};
constinit thread_local timp10_rec timp10{};
constinit thread_local timp11_rec timp11{};
constinit thread_local timp12_rec timp12{};
constinit thread_local timp13_rec timp13{};
constinit thread_local timp14_rec timp14{};
constinit thread_local timp15_rec timp15{};

namespace {

// ---------------------------------------------------------------------------
// Geomagnetic pole table: yearly position of the northern geomagnetic pole,
// geographic latitude (deg N) and longitude (deg E). Two runs: 1900-1970 and
// 1965-2025; the overlap years differ by 0.07 deg in latitude.
// ---------------------------------------------------------------------------

constexpr int pole_slots = 132;
constexpr int run_a_first = 1900, run_a_slots = 71;
constexpr int run_b_first = 1965;
constexpr int pole_first_year = 1900;  // earlier years use this one
constexpr int pole_last_year = 2025;   // this and later years use the preset pole
// Pole used from the last tabulated year on, deg.
constexpr float preset_pole_lat = 80.84f;
constexpr float preset_pole_lon = -72.64f;

constexpr std::array<int, pole_slots> kyear = [] {
  std::array<int, pole_slots> y{};
  for (int i = 0; i < run_a_slots; ++i) y[i] = run_a_first + i;
  for (int i = run_a_slots; i < pole_slots; ++i) y[i] = run_b_first + (i - run_a_slots);
  return y;
}();

constexpr std::array<float, pole_slots> rlat = {
    // run A, 1900-1970
    78.68f, 78.68f, 78.68f, 78.68f, 78.68f, 78.68f, 78.68f, 78.67f, 78.67f, 78.66f,
    78.66f, 78.66f, 78.65f, 78.65f, 78.64f, 78.64f, 78.64f, 78.64f, 78.63f, 78.63f,
    78.63f, 78.63f, 78.63f, 78.62f, 78.62f, 78.62f, 78.62f, 78.61f, 78.61f, 78.60f,
    78.60f, 78.59f, 78.59f, 78.58f, 78.58f, 78.57f, 78.57f, 78.56f, 78.56f, 78.55f,
    78.55f, 78.55f, 78.55f, 78.55f, 78.55f, 78.55f, 78.55f, 78.55f, 78.55f, 78.55f,
    78.55f, 78.55f, 78.55f, 78.54f, 78.54f, 78.54f, 78.55f, 78.56f, 78.56f, 78.57f,
    78.58f, 78.58f, 78.59f, 78.59f, 78.60f, 78.60f, 78.61f, 78.62f, 78.64f, 78.65f,
    78.66f,
    // run B, 1965-2025
    78.53f, 78.55f, 78.56f, 78.57f, 78.58f,
    78.59f, 78.61f, 78.63f, 78.65f, 78.67f, 78.69f, 78.71f, 78.73f, 78.76f, 78.78f,
    78.81f, 78.84f, 78.87f, 78.91f, 78.94f, 78.97f, 79.01f, 79.04f, 79.07f, 79.11f,
    79.14f, 79.18f, 79.21f, 79.25f, 79.29f, 79.32f, 79.37f, 79.41f, 79.46f, 79.50f,
    79.54f, 79.58f, 79.63f, 79.67f, 79.71f, 79.75f, 79.80f, 79.86f, 79.91f, 79.96f,
    80.02f, 80.08f, 80.13f, 80.19f, 80.25f, 80.31f, 80.37f, 80.42f, 80.48f, 80.53f,
    80.59f, 80.64f, 80.69f, 80.74f, 80.79f, 80.84f,
};

constexpr std::array<float, pole_slots> rlon = {
    // run A, 1900-1970
    -68.79f, -68.78f, -68.77f, -68.77f, -68.76f, -68.75f, -68.74f, -68.74f, -68.73f, -68.73f,
    -68.72f, -68.69f, -68.66f, -68.63f, -68.60f, -68.57f, -68.53f, -68.49f, -68.46f, -68.42f,
    -68.38f, -68.36f, -68.34f, -68.31f, -68.29f, -68.27f, -68.27f, -68.27f, -68.26f, -68.26f,
    -68.26f, -68.28f, -68.30f, -68.32f, -68.34f, -68.36f, -68.39f, -68.42f, -68.45f, -68.48f,
    -68.51f, -68.51f, -68.52f, -68.52f, -68.53f, -68.53f, -68.59f, -68.66f, -68.72f, -68.79f,
    -68.85f, -68.91f, -68.97f, -69.04f, -69.10f, -69.16f, -69.22f, -69.28f, -69.35f, -69.41f,
    -69.47f, -69.55f, -69.62f, -69.70f, -69.77f, -69.85f, -69.92f, -69.98f, -70.05f, -70.11f,
    -70.18f,
    // run B, 1965-2025
    -69.85f, -69.92f, -69.98f, -70.05f, -70.11f,
    -70.18f, -70.24f, -70.29f, -70.35f, -70.41f, -70.47f, -70.53f, -70.58f, -70.64f, -70.70f,
    -70.76f, -70.79f, -70.81f, -70.84f, -70.87f, -70.90f, -70.94f, -70.99f, -71.03f, -71.08f,
    -71.13f, -71.18f, -71.24f, -71.30f, -71.36f, -71.42f, -71.45f, -71.48f, -71.51f, -71.54f,
    -71.57f, -71.62f, -71.66f, -71.71f, -71.76f, -71.81f, -71.88f, -71.96f, -72.05f, -72.13f,
    -72.21f, -72.29f, -72.37f, -72.45f, -72.53f, -72.61f, -72.63f, -72.64f, -72.65f, -72.67f,
    -72.68f, -72.67f, -72.66f, -72.66f, -72.65f, -72.64f,
};

// First slot i with kyear[i] <= iy < kyear[i+1], or -1. The first match wins,
// so the overlap years 1965-1969 come from the first run and 1970 on from the
// second; the pair that joins the two runs never matches.
constexpr int first_pole_slot(int iy) {
  for (int i = 0; i + 1 < pole_slots; ++i) {
    if (kyear[i] <= iy && iy < kyear[i + 1]) return i;
  }
  return -1;
}

// The scan's answer for every year it can serve, worked out once at compile
// time so that a set-up does not repeat it.
constexpr std::array<int, pole_last_year - pole_first_year> pole_slot_of_year = [] {
  std::array<int, pole_last_year - pole_first_year> s{};
  for (int y = pole_first_year; y < pole_last_year; ++y) s[y - pole_first_year] = first_pole_slot(y);
  return s;
}();

static_assert(pole_slot_of_year[1969 - pole_first_year] == 69);  // toward the first run's 1970
static_assert(pole_slot_of_year[1970 - pole_first_year] == run_a_slots + 5);
static_assert(first_pole_slot(pole_last_year) == -1);

void write_dipole_year_warning(int requested, int used) {
  // ' * VURARURO/cp_geo_dipole_dir: Warning! year=',i4.4,' [1900-2025] only, result for ',i4.4
  constexpr std::string_view head = " * VURARURO/cp_geo_dipole_dir: Warning! year=";
  constexpr std::string_view mid = " [1900-2025] only, result for ";
  char buf[head.size() + mid.size() + 8];
  char* p = std::copy(head.begin(), head.end(), buf);
  p = fortio::write_i(p, requested, 4, 4);
  p = std::copy(mid.begin(), mid.end(), p);
  p = fortio::write_i(p, used, 4, 4);
  fortio::put_line(std::string_view(buf, std::size_t(p - buf)));
}

// ---------------------------------------------------------------------------
// Sun position
// ---------------------------------------------------------------------------

constexpr float rad = 0.017453292f;  // degrees to radians

// Remainder of x / 360 with the sign of x, bit for bit std::fmod(x, 360.0),
// without the cost of the general routine. For 0 <= x < 2^40 the product
// q * 360 is exact and so is x - q * 360, because the true remainder is a
// multiple of x's last bit; the quotient may round up to the next integer
// just below a multiple of 360, which the correction undoes exactly.
inline double mod360(double x) {
  if (!(x >= 0.0 && x < 0x1p40)) return std::fmod(x, 360.0);
  const double q = std::floor(x / 360.0);
  const double r = x - q * 360.0;
  return r < 0.0 ? r + 360.0 : r;
}

struct sun_angles {
  float gst, slong, sra, sdec, obliq;
  float sin_obliq, cos_obliq;  // kept for the ecliptic pole
};

sun_angles gei_sun(int iyear, int idoy, int ih, int im, int is) {
  if (iyear < 1901 || iyear > 2099) {
    fortio::print("*** Vuraruro/cp_gei_sun_dir: year = ", iyear);
    fortio::print("*** Vuraruro/cp_gei_sun_dir: year must be >1900 and <2099");
    fortio::stop("*** Vuraruro/cp_gei_sun_dir: year must be >1900 and <2099");
  }
  // Day count and the three long sums are double: single precision would
  // lose the fraction of a degree after a century of 0.9856 deg per day.
  const double fday = double(3600 * ih + 60 * im + is) / 86400.0;
  // Days since noon UT of 31 December 1899.
  const double dj = double(365 * (iyear - 1900) + (iyear - 1901) / 4 + idoy) - 0.5 + fday;

  sun_angles s{};
  s.gst = float(mod360(double(279.690983f) + double(0.9856473354f) * dj +
                       double(360.0f) * fday + double(180.0f))) *
          rad;
  const float vl = float(mod360(double(279.696678f) + double(0.9856473354f) * dj));
  const float t = float(dj / 36525.0);
  const float g = float(mod360(double(358.475845f) + double(0.985600267f) * dj)) * rad;
  s.slong = (vl + (1.91946f - 0.004789f * t) * std::sin(g) + 0.020094f * std::sin(2.0f * g)) * rad;
  s.obliq = (23.45229f - 0.0130125f * t) * rad;
  const float slp = s.slong - (0.0055686f - 0.0000025f * t) * rad;
  s.sin_obliq = std::sin(s.obliq);
  s.cos_obliq = std::cos(s.obliq);
  const float sind = s.sin_obliq * std::sin(slp);
  const float cosd = std::sqrt(1.0f - sind * sind);
  const float sc = sind / cosd;
  s.sdec = std::atan(sc);
  s.sra = 3.1415927f - std::atan2((s.cos_obliq / s.sin_obliq) * sc, -std::cos(slp) / cosd);
  return s;
}

// ---------------------------------------------------------------------------
// Dipole axis
// ---------------------------------------------------------------------------

struct vec3 {
  float x, y, z;
};

vec3 geo_dipole(int iyear, int idoy) {
  int iy = iyear;
  float lat = 0.0f, lon = 0.0f;
  if (iy <= pole_first_year) {
    write_dipole_year_warning(iy, pole_first_year);
    iy = pole_first_year;
  }
  if (iy >= pole_last_year) {
    write_dipole_year_warning(iy, pole_last_year);
    iy = pole_last_year;
    lat = preset_pole_lat;
    lon = preset_pole_lon;
  }
  const float year = float(iy) + float(idoy) / 365.25f;
  if (iy < pole_last_year) {
    const int i = pole_slot_of_year[iy - pole_first_year];
    const float frac = year - float(kyear[i]);
    lat = rlat[i] + (rlat[i + 1] - rlat[i]) * frac;
    lon = rlon[i] + (rlon[i + 1] - rlon[i]) * frac;
  }
  const float colat = (90.0f - lat) * 3.141593f / 180.0f;
  const float elon = lon * 3.141593f / 180.0f;
  vec3 d{};
  t_sph_to_car(1.0f, colat, elon, d.x, d.y, d.z);
  return d;
}

// The dipole axis depends on the year and day only, while a grid run sets
// the time for many instants of the same day: reuse the last axis. The
// warning of the table's ends is still written at every set-up.
struct dipole_cache {
  int iyear = 0, idoy = 0;
  bool valid = false;
  vec3 d{};
};
thread_local dipole_cache last_dipole;

vec3 geo_dipole_cached(int iyear, int idoy) {
  dipole_cache& c = last_dipole;
  if (c.valid && c.iyear == iyear && c.idoy == idoy &&
      iyear > pole_first_year && iyear < pole_last_year) {
    return c.d;
  }
  c.d = geo_dipole(iyear, idoy);
  c.iyear = iyear;
  c.idoy = idoy;
  c.valid = true;
  return c.d;
}

// ---------------------------------------------------------------------------
// Small vector helpers, single precision, fixed evaluation order.
// ---------------------------------------------------------------------------

inline vec3 cross(const vec3& a, const vec3& b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline float dot(const vec3& a, const vec3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline float norm(const vec3& a) { return std::sqrt(a.x * a.x + a.y * a.y + a.z * a.z); }
inline vec3 scaled(const vec3& a, float s) { return {a.x / s, a.y / s, a.z / s}; }

// GEI -> GEO: turn about Z by the sidereal angle.
inline vec3 gei_to_geo(const vec3& v, float sgst, float cgst) {
  return {cgst * v.x + sgst * v.y, cgst * v.y - sgst * v.x, v.z};
}

// Sun's rotation axis, fixed in GEI.
constexpr vec3 sun_rotation_axis = {0.121695526f, -0.42440268f, 0.89725834f};

// Smallest length the set-up divides by.
constexpr float tiny = 1e-30f;
// Largest departure from 1 of sin^2 + cos^2 of two independently computed
// angle components.
constexpr float unit_tolerance = 1e-4f;

}  // namespace

void cp_gei_sun_dir(int iyear, int idoy, int ih, int im, int is, float& gst, float& slong,
                    float& sra, float& sdec, float& obliq) {
  const sun_angles s = gei_sun(iyear, idoy, ih, im, is);
  gst = s.gst;
  slong = s.slong;
  sra = s.sra;
  sdec = s.sdec;
  obliq = s.obliq;
}

void cp_geo_dipole_dir(int iyear, int idoy, float& d1, float& d2, float& d3) {
  const vec3 d = geo_dipole(iyear, idoy);
  d1 = d.x;
  d2 = d.y;
  d3 = d.z;
}

namespace {

// Everything after the sun and dipole: frame axes, angles, consistency checks.
inline void set_frames(const vec3& gd, const sun_angles& sun) {
  // Sun, ecliptic pole, rotation axis and dipole in GEI.
  const float sra_s = std::sin(sun.sra), sra_c = std::cos(sun.sra);
  const float sdec_s = std::sin(sun.sdec), sdec_c = std::cos(sun.sdec);
  const vec3 gs = {sra_c * sdec_c, sra_s * sdec_c, sdec_s};
  const float sgst = std::sin(sun.gst), cgst = std::cos(sun.gst);
  const vec3 ge = {0.0f, -sun.sin_obliq, sun.cos_obliq};
  const vec3 gr = sun_rotation_axis;
  const vec3 gm = {cgst * gd.x - sgst * gd.y, sgst * gd.x + cgst * gd.y, gd.z};

  // The same vectors in GEO.
  const vec3 ps = gei_to_geo(gs, sgst, cgst);
  const vec3 pe = gei_to_geo(ge, sgst, cgst);
  const vec3 pr = gei_to_geo(gr, sgst, cgst);

  // Unnormalised cross products.
  const vec3 gmgs = cross(gm, gs);
  const vec3 gegs = cross(ge, gs);
  const vec3 grgs = cross(gr, gs);
  const vec3 grge = cross(gr, ge);
  const vec3 gdps = cross(gd, ps);
  const vec3 peps = cross(pe, ps);
  const vec3 prps = cross(pr, ps);

  // MAG in GEI.
  const float qm12 = std::sqrt(gm.x * gm.x + gm.y * gm.y);
  if (qm12 < tiny) fortio::stop("*** Vuraruro error qm12");
  const vec3 xeima = {gm.x * gm.z / qm12, gm.y * gm.z / qm12, -qm12};
  const vec3 yeima = {-gm.y / qm12, gm.x / qm12, 0.0f};

  // SM and GSM in GEI.
  const float rgmgs = norm(gmgs);
  if (rgmgs < tiny) fortio::stop("*** Vuraruro error rgmgs");
  const vec3 yeism = scaled(gmgs, rgmgs);
  const vec3 xeism = cross(yeism, gm);
  const vec3 yeigm = yeism;
  const vec3 zeigm = cross(gs, yeigm);

  // GSEQ in GEI.
  const float rgrgs = norm(grgs);
  if (rgrgs < tiny) fortio::stop("*** Vuraruro error rgrgs");
  const vec3 yeigq = scaled(grgs, rgrgs);
  const vec3 zeigq = cross(gs, yeigq);

  // Angles between frames that differ by one rotation.
  const float stetq = dot(grge, gs) / rgrgs;
  const float ctetq = std::sqrt(1.0f - stetq * stetq);
  const float smu = dot(gd, ps);
  const float cmu = std::sqrt(1.0f - smu * smu);
  const float sdze = dot(ge, gmgs) / rgmgs;
  const float cdze = dot(ge, gm) / rgmgs;
  if (std::fabs(sdze * sdze + cdze * cdze - 1.0f) > unit_tolerance) {
    fortio::stop("*** Vuraruro error 3");
  }

  // MAG-to-SM angle.
  const float gd12sq = gd.x * gd.x + gd.y * gd.y;
  const float qd12 = std::sqrt(gd12sq);
  const float rgdps = norm(gdps);
  const float qr = qd12 * rgdps;
  if (qr < tiny) fortio::stop("*** Vuraruro error q");
  const float cphi = (gd.x * gd.z * ps.x + gd.y * gd.z * ps.y - gd12sq * ps.z) / qr;
  const float sphi = (gd.y * ps.x - gd.x * ps.y) / qr;
  if (std::fabs(sphi * sphi + cphi * cphi - 1.0f) > unit_tolerance) {
    fortio::stop("*** Vuraruro error 4");
  }

  // MAG in GEO.
  if (qd12 < tiny) fortio::stop("*** Vuraruro error qd12");
  const vec3 xeoma = {gd.z * gd.x / qd12, gd.z * gd.y / qd12,
                      -(gd.y * gd.y) / qd12 - (gd.x * gd.x) / qd12};
  const vec3 yeoma = {-gd.y / qd12, gd.x / qd12, 0.0f};

  // SM and GSM in GEO.
  if (rgdps < tiny) fortio::stop("*** Vuraruro error rgdps");
  const vec3 yeosm = scaled(gdps, rgdps);
  const vec3 xeosm = cross(yeosm, gd);
  const vec3 yeogm = yeosm;
  const vec3 zeogm = cross(ps, yeogm);

  // GSEQ in GEO.
  const float rprps = norm(prps);
  if (rprps < tiny) fortio::stop("*** Vuraruro error rprps");
  const vec3 yeogq = scaled(prps, rprps);
  const vec3 zeogq = cross(ps, yeogq);

  timp00 = {sgst, cgst, sun.gst, sun.slong, sun.sra, sun.sdec, sun.obliq};
  timp01 = {gs.x, gs.y, gs.z, gm.x, gm.y, gm.z, ge.x, ge.y, ge.z, gr.x, gr.y, gr.z};
  timp02 = {ps.x, ps.y, ps.z, gd.x, gd.y, gd.z, pe.x, pe.y, pe.z, pr.x, pr.y, pr.z};
  timp03 = {gmgs.x, gmgs.y, gmgs.z, gegs.x, gegs.y, gegs.z};
  timp04 = {grgs.x, grgs.y, grgs.z, grge.x, grge.y, grge.z};
  timp05 = {gdps.x, gdps.y, gdps.z};
  timp06 = {peps.x, peps.y, peps.z, prps.x, prps.y, prps.z};
  timp07 = {xeima.x, xeima.y, xeima.z, yeima.x, yeima.y, yeima.z};
  timp08 = {xeism.x, xeism.y, xeism.z, yeism.x, yeism.y, yeism.z};
  timp09 = {yeigm.x, yeigm.y, yeigm.z, zeigm.x, zeigm.y, zeigm.z};
  timp10 = {yeigq.x, yeigq.y, yeigq.z, zeigq.x, zeigq.y, zeigq.z};
  timp11 = {stetq, ctetq, sdze, cdze, smu, cmu, sphi, cphi};
  timp12 = {xeoma.x, xeoma.y, xeoma.z, yeoma.x, yeoma.y, yeoma.z};
  timp13 = {xeosm.x, xeosm.y, xeosm.z, yeosm.x, yeosm.y, yeosm.z};
  timp14 = {yeogm.x, yeogm.y, yeogm.z, zeogm.x, zeogm.y, zeogm.z};
  timp15 = {yeogq.x, yeogq.y, yeogq.z, zeogq.x, zeogq.y, zeogq.z};
}

}  // namespace

void cp_time_param(int iyear, int imonth, int iday, int ih, int im, int is) {
  int idoy = 0;
  cv_date_to_doty(iyear, imonth, iday, idoy);
  const vec3 gd = geo_dipole_cached(iyear, idoy);
  const sun_angles sun = gei_sun(iyear, idoy, ih, im, is);
  set_frames(gd, sun);
}

namespace detail {
void set_frame_state(float gd1, float gd2, float gd3, float gst, float slong, float srasn,
                     float sdecl, float obliq) {
  sun_angles sun{gst, slong, srasn, sdecl, obliq, std::sin(obliq), std::cos(obliq)};
  set_frames({gd1, gd2, gd3}, sun);
}
}  // namespace detail

void g_gsm_dipole_tilt_angle(float& diptan) { diptan = std::atan2(timp11.smu, timp11.cmu); }

void g_gei_sun_param(float& gmst, float& slon, float& sras, float& sdec, float& obli) {
  gmst = timp00.gst;
  slon = timp00.slong;
  sras = timp00.srasn;
  sdec = timp00.sdecl;
  obli = timp00.obliq;
}

void g_gei_geo_sun_dir(float& sxgei, float& sygei, float& szgei, float& sxgeo, float& sygeo,
                       float& szgeo) {
  sxgei = timp01.gs1;
  sygei = timp01.gs2;
  szgei = timp01.gs3;
  sxgeo = timp02.ps1;
  sygeo = timp02.ps2;
  szgeo = timp02.ps3;
}

void g_gei_geo_sun_rot(float& rxgei, float& rygei, float& rzgei, float& rxgeo, float& rygeo,
                       float& rzgeo) {
  rxgei = timp01.gr1;
  rygei = timp01.gr2;
  rzgei = timp01.gr3;
  rxgeo = timp02.pr1;
  rygeo = timp02.pr2;
  rzgeo = timp02.pr3;
}

void g_gei_geo_ecliptic_dir(float& exgei, float& eygei, float& ezgei, float& exgeo,
                            float& eygeo, float& ezgeo) {
  exgei = timp01.ge1;
  eygei = timp01.ge2;
  ezgei = timp01.ge3;
  exgeo = timp02.pe1;
  eygeo = timp02.pe2;
  ezgeo = timp02.pe3;
}

void g_gei_geo_dipole_dir(float& dxgei, float& dygei, float& dzgei, float& dxgeo,
                          float& dygeo, float& dzgeo) {
  dxgei = timp01.gm1;
  dygei = timp01.gm2;
  dzgei = timp01.gm3;
  dxgeo = timp02.gd1;
  dygeo = timp02.gd2;
  dzgeo = timp02.gd3;
}

void ctimpar(int iyear, int imonth, int iday, int ih, int im, int is) {
  cp_time_param(iyear, imonth, iday, ih, im, is);
}
void csundir(int iyear, int idoy, int ih, int im, int is, float& gst, float& slong, float& sra,
             float& sdec, float& obliq) {
  cp_gei_sun_dir(iyear, idoy, ih, im, is, gst, slong, sra, sdec, obliq);
}
void cdipdir(int iyear, int idoy, float& d1, float& d2, float& d3) {
  cp_geo_dipole_dir(iyear, idoy, d1, d2, d3);
}
void gdiptan(float& diptan) { g_gsm_dipole_tilt_angle(diptan); }
void gsunpar(float& gmst, float& slon, float& sras, float& sdec, float& obli) {
  g_gei_sun_param(gmst, slon, sras, sdec, obli);
}
void gsundir(float& sxgei, float& sygei, float& szgei, float& sxgeo, float& sygeo,
             float& szgeo) {
  g_gei_geo_sun_dir(sxgei, sygei, szgei, sxgeo, sygeo, szgeo);
}
void gsrodir(float& rxgei, float& rygei, float& rzgei, float& rxgeo, float& rygeo,
             float& rzgeo) {
  g_gei_geo_sun_rot(rxgei, rygei, rzgei, rxgeo, rygeo, rzgeo);
}
void gecldir(float& exgei, float& eygei, float& ezgei, float& exgeo, float& eygeo,
             float& ezgeo) {
  g_gei_geo_ecliptic_dir(exgei, eygei, ezgei, exgeo, eygeo, ezgeo);
}
void gdipdir(float& dxgei, float& dygei, float& dzgei, float& dxgeo, float& dygeo,
             float& dzgeo) {
  g_gei_geo_dipole_dir(dxgei, dygei, dzgei, dxgeo, dygeo, dzgeo);
}

}  // namespace vuraruro
