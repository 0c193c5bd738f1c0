#include "magfield/internal_field.h"

#include <cmath>

#include "magfield/epoch.h"
#include "magfield/frames.h"

namespace magfield {

namespace {

constexpr float pole_sine = 1E-5f;  // below this sine of the colatitude a point is on the polar axis
constexpr int max_degree = 13;

// Degree of the series at distance r: high degrees fall off as r^-(n+2) and
// are dropped farther out (13 below 2 Earth radii ... 3 from 29 on).
int truncation_degree(float r) {
  const float rp = r + 2.f;
  if (rp >= 31.f) return 3;
  if (rp < 3.f) return max_degree;
  const int nm = 3 + 30 / int(rp);
  return nm > max_degree ? max_degree : nm;
}

// Sums of the series at distance r, colatitude (c = cos, s = sin) and
// longitude (cf = cos, sf = sin): radial and colatitudinal components, and the
// azimuthal component still multiplied by sin(colatitude) (or, on the polar
// axis, its limit there before the sign rule).
void synthesise(float r, float c, float s, float cf, float sf, float& bbr, float& bbt, float& bbf) {
  const magfld2_rec& m2 = magfld2;
  const bool on_axis = s < pole_sine;

  // a[n] = r^-(n+2), b[n] = (n+1) r^-(n+2) for degree n.
  float a[max_degree + 1];
  float b[max_degree + 1];
  const float pp = 1.f / r;
  float p = pp;
  const int k = truncation_degree(r) + 1;
  for (int n = 1; n <= k; ++n) {
    p *= pp;
    a[n - 1] = p;
    b[n - 1] = float(n) * p;
  }

  p = 1.f;        // P(m,m), Gauss-normalised
  float d = 0.f;  // its derivative with respect to the colatitude
  float br = 0.f, bt = 0.f, bf = 0.f;
  float x = 0.f, y = 1.f;  // sin(m phi), cos(m phi)
  for (int m = 1; m <= k; ++m) {
    if (m > 1) {
      const float w = x;
      x = w * cf + y * sf;
      y = y * cf - w * sf;
    }
    float q = p, z = d, bi = 0.f, p2 = 0.f, d2 = 0.f;
    for (int n = m; n <= k; ++n) {
      const int mn = n * (n - 1) / 2 + m - 1;
      const float an = a[n - 1];
      const float e = m2.g[mn];
      const float hh = m2.h[mn];
      const float w = e * y + hh * x;
      br = br + b[n - 1] * w * q;
      bt = bt - an * w * z;
      if (m > 1) {
        // On the axis P(n,m)/sin vanishes except for m = 1, where it tends to dP/dtheta.
        const float qq = on_axis ? z : q;
        bi = bi + an * (e * x - hh * y) * qq;
      }
      // Next degree of P(n,m) and its derivative.
      const float xk = m2.rec[mn];
      const float dp = c * z - s * q - xk * d2;
      const float pm = c * q - xk * p2;
      d2 = z;
      p2 = q;
      z = dp;
      q = pm;
    }
    // Next order: P(m+1,m+1) and its derivative.
    d = s * d + c * p;
    p = s * p;
    if (m > 1) bf = bf + bi * float(m - 1);
  }
  bbr = br;
  bbt = bt;
  bbf = bf;
}

// The azimuthal component from its sum; on the axis the limit of P(n,1)/sin
// is +dP/dtheta at the north pole and -dP/dtheta at the south pole.
float azimuthal(float bbf, float c, float s) {
  if (s < pole_sine) return c < 0.f ? -bbf : bbf;
  return bbf / s;
}

}  // namespace

void igrf_gsw_08(float xgsw, float ygsw, float zgsw, float& hxgsw, float& hygsw, float& hzgsw) {
  float xgeo, ygeo, zgeo;
  detail::gsw_to_geo(xgsw, ygsw, zgsw, xgeo, ygeo, zgeo);
  const float rho2 = xgeo * xgeo + ygeo * ygeo;
  const float r = std::sqrt(rho2 + zgeo * zgeo);
  if (r == 0.f) {  // no field is defined at the centre; zero keeps callers' sums finite
    hxgsw = hygsw = hzgsw = 0.f;
    return;
  }
  const float c = zgeo / r;
  const float rho = std::sqrt(rho2);
  const float s = rho / r;
  float cf = 1.f, sf = 0.f;  // longitude 0 on the polar axis
  if (s >= pole_sine) {
    cf = xgeo / rho;
    sf = ygeo / rho;
  }

  float bbr, bbt, bbf;
  synthesise(r, c, s, cf, sf, bbr, bbt, bbf);
  const float bf = azimuthal(bbf, c, s);

  const float he = bbr * s + bbt * c;
  const float hxgeo = he * cf - bf * sf;
  const float hygeo = he * sf + bf * cf;
  const float hzgeo = bbr * c - bbt * s;
  detail::geo_to_gsw(hxgeo, hygeo, hzgeo, hxgsw, hygsw, hzgsw);
}

void igrf_geo_08(float r, float theta, float phi, float& br, float& btheta, float& bphi) {
  if (r == 0.f) {  // no field is defined at the centre
    br = btheta = bphi = 0.f;
    return;
  }
  const float c = std::cos(theta);
  const float s = std::sin(theta);
  const float cf = std::cos(phi);
  const float sf = std::sin(phi);
  float bbr, bbt, bbf;
  synthesise(r, c, s, cf, sf, bbr, bbt, bbf);
  br = bbr;
  btheta = bbt;
  bphi = azimuthal(bbf, c, s);
}

void dip_08(float xgsw, float ygsw, float zgsw, float& bxgsw, float& bygsw, float& bzgsw) {
  const magfld1_rec& f = magfld1;
  const float g10 = magfld2.g[1], g11 = magfld2.g[2], h11 = magfld2.h[2];
  const float dipmom = std::sqrt(g10 * g10 + g11 * g11 + h11 * h11);
  const float p = xgsw * xgsw;
  const float u = zgsw * zgsw;
  const float v = 3.f * zgsw * xgsw;
  const float t = ygsw * ygsw;
  const float rr = std::sqrt(p + t + u);
  if (rr == 0.f) {  // no field is defined at the centre
    bxgsw = bygsw = bzgsw = 0.f;
    return;
  }
  const float rr2 = rr * rr;
  const float q = dipmom / (rr2 * rr2 * rr);
  bxgsw = q * ((t + u - 2.f * p) * f.sps - v * f.cps);
  bygsw = -3.f * ygsw * q * (xgsw * f.sps + zgsw * f.cps);
  bzgsw = q * ((p + t - 2.f * u) * f.cps - v * f.sps);
}

}  // namespace magfield
