// Local and instrument frames: station, spacecraft, field-aligned,
// boundary-normal and Euler-angle frames.
#include "vuraruro/local_frames.h"

#include <cmath>

#include "vuraruro/time_param.h"

namespace vuraruro {
namespace {

// Degrees to radians, single precision.
constexpr float rad = 0.017453292f;
// One full turn, rad, single precision.
constexpr float two_pi = 6.2831855f;

struct vec3 {
  float x, y, z;
};

float dot(vec3 a, vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

vec3 cross(vec3 a, vec3 b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

vec3 unit(vec3 a) {
  const float len = std::sqrt(dot(a, a));
  return {a.x / len, a.y / len, a.z / len};
}

// Station direction cosines and their horizontal length.
struct station {
  float r1, r2, r3, q12;
};

station station_of(float rlat, float rlong) {
  station s;
  s.r1 = std::cos(rlat) * std::cos(rlong);
  s.r2 = std::cos(rlat) * std::sin(rlong);
  s.r3 = std::sin(rlat);
  s.q12 = std::sqrt(s.r1 * s.r1 + s.r2 * s.r2);
  return s;
}

// DM axes in GEO for a station, from the stored GEO dipole axis.
struct dm_axes {
  vec3 x, y, z;
};

dm_axes dm_axes_of(float rlat, float rlong) {
  const station s = station_of(rlat, rlong);
  const vec3 gd{timp02.gd1, timp02.gd2, timp02.gd3};
  const vec3 y = unit(cross(gd, {s.r1, s.r2, s.r3}));
  return {cross(y, gd), y, gd};
}

// Angle between SR and SR2 at deltat: the spin phase less the turned angle,
// whole turns removed.
float spin_angle(float spifre, float spipha, float deltat) {
  return spipha - std::fmod(two_pi * spifre * deltat, two_pi);
}

// Spin axis normalised, with a = 1 / (length of its part perpendicular to GSE X).
struct spin_axis {
  float rx, ry, rz, a;
};

spin_axis spin_axis_of(float rotx, float roty, float rotz) {
  const float rmod = std::sqrt(rotx * rotx + roty * roty + rotz * rotz);
  spin_axis s;
  s.rx = rotx / rmod;
  s.ry = roty / rmod;
  s.rz = rotz / rmod;
  s.a = 1.0f / std::sqrt(s.ry * s.ry + s.rz * s.rz);
  return s;
}

// First two rotations toward a field-aligned frame: about Z by the field's
// azimuth, then about the new Y until the field lies along Z. Returns the
// rotated vector (xmag, yp, zmag) and keeps the angles for the last step.
struct field_turn {
  float cosphi, sinphi, costet, sintet;
  float xmag, yp, zmag;
};

field_turn turn_to_field(float x, float y, float z, float bx, float by, float bz) {
  field_turn f;
  const float bperp = std::sqrt(bx * bx + by * by);
  f.cosphi = bx / bperp;
  f.sinphi = by / bperp;
  const float xp = x * f.cosphi + y * f.sinphi;
  f.yp = y * f.cosphi - x * f.sinphi;
  const float b0 = std::sqrt(bz * bz + bperp * bperp);
  f.costet = bz / b0;
  f.sintet = bperp / b0;
  f.xmag = xp * f.costet - z * f.sintet;
  f.zmag = xp * f.sintet + z * f.costet;
  return f;
}

// Last rotation, about the field, by the angle that brings X onto the part
// of GSE X perpendicular to the field.
void turn_about_field(const field_turn& f, float cospsi, float sinpsi, float& xm, float& ym,
                      float& zm) {
  xm = f.xmag * cospsi + f.yp * sinpsi;
  ym = f.yp * cospsi - f.xmag * sinpsi;
  zm = f.zmag;
}

// Rotation matrix of the Euler frame: row i gives output i from (x, y, z).
struct euler_matrix {
  float m[3][3];
};

euler_matrix euler_of(float a1, float a2, float a3) {
  const float c1 = std::cos(a1 * rad), s1 = std::sin(a1 * rad);
  const float c2 = std::cos(a2 * rad), s2 = std::sin(a2 * rad);
  const float c3 = std::cos(a3 * rad), s3 = std::sin(a3 * rad);
  return {{{c1 * c3 - c2 * s1 * s3, -s1 * c3 - c2 * c1 * s3, s2 * s3},
           {c1 * s3 + c2 * s1 * c3, c2 * c1 * c3 - s1 * s3, -s2 * c3},
           {s1 * s2, c1 * s2, c2}}};
}

}  // namespace

// --- Station frames ---

void t_geo_to_vdh(float xgeo, float ygeo, float zgeo, float rlat, float rlong, float& xvdh,
                  float& yvdh, float& zvdh) {
  const station s = station_of(rlat, rlong);
  xvdh = s.r1 * xgeo + s.r2 * ygeo + s.r3 * zgeo;
  yvdh = (s.r1 / s.q12) * ygeo - (s.r2 / s.q12) * xgeo;
  zvdh = s.q12 * zgeo - (s.r1 * s.r3 / s.q12) * xgeo - (s.r2 * s.r3 / s.q12) * ygeo;
}

void t_vdh_to_geo(float xvdh, float yvdh, float zvdh, float rlat, float rlong, float& xgeo,
                  float& ygeo, float& zgeo) {
  const station s = station_of(rlat, rlong);
  xgeo = s.r1 * xvdh - (s.r2 / s.q12) * yvdh - (s.r1 * s.r3 / s.q12) * zvdh;
  ygeo = s.r2 * xvdh + (s.r1 / s.q12) * yvdh - (s.r2 * s.r3 / s.q12) * zvdh;
  zgeo = s.r3 * xvdh + s.q12 * zvdh;
}

void t_geo_to_dm(float xgeo, float ygeo, float zgeo, float rlat, float rlong, float& xdme,
                 float& ydme, float& zdme) {
  const dm_axes e = dm_axes_of(rlat, rlong);
  const vec3 v{xgeo, ygeo, zgeo};
  xdme = dot(v, e.x);
  ydme = dot(v, e.y);
  zdme = dot(v, e.z);
}

void t_dm_to_geo(float xdme, float ydme, float zdme, float rlat, float rlong, float& xgeo,
                 float& ygeo, float& zgeo) {
  const dm_axes e = dm_axes_of(rlat, rlong);
  xgeo = xdme * e.x.x + ydme * e.y.x + zdme * e.z.x;
  ygeo = xdme * e.x.y + ydme * e.y.y + zdme * e.z.y;
  zgeo = xdme * e.x.z + ydme * e.y.z + zdme * e.z.z;
}

// --- Spacecraft frames ---

void t_gse_to_sr2(float xgse, float ygse, float zgse, float rotx, float roty, float rotz,
                  float& xsr2, float& ysr2, float& zsr2) {
  const spin_axis r = spin_axis_of(rotx, roty, rotz);
  xsr2 = (r.ry * r.ry + r.rz * r.rz) * r.a * xgse - r.rx * r.ry * r.a * ygse -
         r.rx * r.rz * r.a * zgse;
  ysr2 = r.rz * r.a * ygse - r.ry * r.a * zgse;
  zsr2 = r.rx * xgse + r.ry * ygse + r.rz * zgse;
}

void t_sr2_to_gse(float xsr2, float ysr2, float zsr2, float rotx, float roty, float rotz,
                  float& xgse, float& ygse, float& zgse) {
  const spin_axis r = spin_axis_of(rotx, roty, rotz);
  xgse = (r.ry * r.ry + r.rz * r.rz) * r.a * xsr2 + r.rx * zsr2;
  ygse = -r.rx * r.ry * r.a * xsr2 + r.rz * r.a * ysr2 + r.ry * zsr2;
  zgse = -r.rx * r.rz * r.a * xsr2 - r.ry * r.a * ysr2 + r.rz * zsr2;
}

void t_sr_to_sr2(float xsre, float ysre, float spifre, float spipha, float deltat, float& xsr2,
                 float& ysr2) {
  const float phicr = spin_angle(spifre, spipha, deltat);
  const float c = std::cos(phicr);
  const float s = std::sin(phicr);
  xsr2 = xsre * c + ysre * s;
  ysr2 = ysre * c - xsre * s;
}

void t_sr2_to_sr(float xsr2, float ysr2, float spifre, float spipha, float deltat, float& xsre,
                 float& ysre) {
  const float phicr = spin_angle(spifre, spipha, deltat);
  const float c = std::cos(phicr);
  const float s = std::sin(phicr);
  xsre = xsr2 * c - ysr2 * s;
  ysre = xsr2 * s + ysr2 * c;
}

// --- Field-aligned frame ---

void t_gse_to_mfa(float xgse, float ygse, float zgse, float bx, float by, float bz, float& xmfa,
                  float& ymfa, float& zmfa) {
  const field_turn f = turn_to_field(xgse, ygse, zgse, bx, by, bz);
  // GSE X after the first two turns is (cosphi*costet, -sinphi, cosphi*sintet).
  const float c = f.cosphi * f.costet;
  const float smperp = std::sqrt(c * c + f.sinphi * f.sinphi);
  turn_about_field(f, c / smperp, -f.sinphi / smperp, xmfa, ymfa, zmfa);
}

void t_sr2_to_mfa(float xsr2, float ysr2, float zsr2, float bx, float by, float bz, float rox,
                  float roy, float roz, float& xm, float& ym, float& zm) {
  const field_turn f = turn_to_field(xsr2, ysr2, zsr2, bx, by, bz);
  // GSE X seen in SR2 is (e, 0, rox/rmod); take it through the same two turns.
  const float rmod = std::sqrt(rox * rox + roy * roy + roz * roz);
  const float e = std::sqrt(roy * roy + roz * roz) / rmod;
  const float c = f.costet * e * f.cosphi - (rox / rmod) * f.sintet;
  const float se = f.sinphi * e;
  const float smperp = std::sqrt(c * c + se * se);
  turn_about_field(f, c / smperp, -f.sinphi * e / smperp, xm, ym, zm);
}

// --- Boundary-normal frame ---

void cp_tpn_param(float xo, float yo, float zo, float xs, float& tx, float& ty, float& tz,
                  float& px, float& py, float& pz, float& nx, float& ny, float& nz) {
  const float dx = 2.0f * (xs - xo);
  const float r = std::sqrt(yo * yo + zo * zo);
  const vec3 n{r, dx * yo / r, dx * zo / r};
  const vec3 t{dx, -yo, -zo};
  const vec3 nu = unit(n);
  const vec3 tu = unit(t);
  const vec3 pu = unit(cross(n, t));
  tx = tu.x, ty = tu.y, tz = tu.z;
  px = pu.x, py = pu.y, pz = pu.z;
  nx = nu.x, ny = nu.y, nz = nu.z;
}

void t_gse_to_tpn(float xgse, float ygse, float zgse, float xo, float yo, float zo, float xs,
                  float& xtpn, float& ytpn, float& ztpn) {
  vec3 t, p, n;
  cp_tpn_param(xo, yo, zo, xs, t.x, t.y, t.z, p.x, p.y, p.z, n.x, n.y, n.z);
  const vec3 v{xgse, ygse, zgse};
  xtpn = dot(v, t);
  ytpn = dot(v, p);
  ztpn = dot(v, n);
}

void t_gsm_to_tpn(float xgsm, float ygsm, float zgsm, float xo, float yo, float zo, float xs,
                  float& xtpn, float& ytpn, float& ztpn) {
  t_gse_to_tpn(xgsm, ygsm, zgsm, xo, yo, zo, xs, xtpn, ytpn, ztpn);
}

// --- Euler-angle frame ---

void t_xyz_to_vdh(float x, float y, float z, float a1, float a2, float a3, float& v, float& d,
                  float& h) {
  const euler_matrix e = euler_of(a1, a2, a3);
  v = e.m[0][0] * x + e.m[0][1] * y + e.m[0][2] * z;
  d = e.m[1][0] * x + e.m[1][1] * y + e.m[1][2] * z;
  h = e.m[2][0] * x + e.m[2][1] * y + e.m[2][2] * z;
}

void t_vdh_to_xyz(float v, float d, float h, float a1, float a2, float a3, float& x, float& y,
                  float& z) {
  const euler_matrix e = euler_of(a1, a2, a3);
  x = e.m[0][0] * v + e.m[1][0] * d + e.m[2][0] * h;
  y = e.m[0][1] * v + e.m[1][1] * d + e.m[2][1] * h;
  z = e.m[0][2] * v + e.m[1][2] * d + e.m[2][2] * h;
}

// --- Short entry points ---

void tgeovdh(float xgeo, float ygeo, float zgeo, float rlat, float rlong, float& xvdh,
             float& yvdh, float& zvdh) {
  t_geo_to_vdh(xgeo, ygeo, zgeo, rlat, rlong, xvdh, yvdh, zvdh);
}
void tvdhgeo(float xvdh, float yvdh, float zvdh, float rlat, float rlong, float& xgeo,
             float& ygeo, float& zgeo) {
  t_vdh_to_geo(xvdh, yvdh, zvdh, rlat, rlong, xgeo, ygeo, zgeo);
}
void tgeodme(float xgeo, float ygeo, float zgeo, float rlat, float rlong, float& xdme,
             float& ydme, float& zdme) {
  t_geo_to_dm(xgeo, ygeo, zgeo, rlat, rlong, xdme, ydme, zdme);
}
void tdmegeo(float xdme, float ydme, float zdme, float rlat, float rlong, float& xgeo,
             float& ygeo, float& zgeo) {
  t_dm_to_geo(xdme, ydme, zdme, rlat, rlong, xgeo, ygeo, zgeo);
}
void tgsesr2(float xgse, float ygse, float zgse, float rotx, float roty, float rotz, float& xsr2,
             float& ysr2, float& zsr2) {
  t_gse_to_sr2(xgse, ygse, zgse, rotx, roty, rotz, xsr2, ysr2, zsr2);
}
void tsr2gse(float xsr2, float ysr2, float zsr2, float rotx, float roty, float rotz, float& xgse,
             float& ygse, float& zgse) {
  t_sr2_to_gse(xsr2, ysr2, zsr2, rotx, roty, rotz, xgse, ygse, zgse);
}
void tsresr2(float xsre, float ysre, float spifre, float spipha, float deltat, float& xsr2,
             float& ysr2) {
  t_sr_to_sr2(xsre, ysre, spifre, spipha, deltat, xsr2, ysr2);
}
void tsr2sre(float xsr2, float ysr2, float spifre, float spipha, float deltat, float& xsre,
             float& ysre) {
  t_sr2_to_sr(xsr2, ysr2, spifre, spipha, deltat, xsre, ysre);
}
void tsr2mfa(float xsr2, float ysr2, float zsr2, float bx, float by, float bz, float rox,
             float roy, float roz, float& xm, float& ym, float& zm) {
  t_sr2_to_mfa(xsr2, ysr2, zsr2, bx, by, bz, rox, roy, roz, xm, ym, zm);
}

}  // namespace vuraruro
