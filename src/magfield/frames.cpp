#include "magfield/frames.h"

#include <cmath>

#include "magfield/epoch.h"

namespace magfield {

namespace {

constexpr float two_pi = 6.2831853f;
constexpr float pi = 3.1415927f;
constexpr float half_pi = 1.5707964f;

// WGS-84 ellipsoid.
constexpr float r_eq = 6378.137f;        // equatorial radius, km
constexpr float beta = 0.0067394967f;    // second eccentricity squared: (a/b)^2 - 1
constexpr float geod_tol = 1E-6f;        // convergence of the foot-point latitude, rad
constexpr int geod_max_passes = 100;

}  // namespace

// The inputs are copied before any output is written, so in-place calls work.

void geigeo_08(float& xgei, float& ygei, float& zgei, float& xgeo, float& ygeo, float& zgeo, int j) {
  const float c = magfld1.cgst, s = magfld1.sgst;
  if (j > 0) {
    const float x = xgei, y = ygei, z = zgei;
    xgeo = x * c + y * s;
    ygeo = y * c - x * s;
    zgeo = z;
  } else {
    const float x = xgeo, y = ygeo, z = zgeo;
    xgei = x * c - y * s;
    ygei = y * c + x * s;
    zgei = z;
  }
}

void geomag_08(float& xgeo, float& ygeo, float& zgeo, float& xmag, float& ymag, float& zmag, int j) {
  const magfld1_rec& f = magfld1;
  if (j > 0) {
    const float x = xgeo, y = ygeo, z = zgeo;
    xmag = x * f.ctcl + y * f.ctsl - z * f.st0;
    ymag = y * f.cl0 - x * f.sl0;
    zmag = x * f.stcl + y * f.stsl + z * f.ct0;
  } else {
    const float x = xmag, y = ymag, z = zmag;
    xgeo = x * f.ctcl - y * f.sl0 + z * f.stcl;
    ygeo = x * f.ctsl + y * f.cl0 + z * f.stsl;
    zgeo = z * f.ct0 - x * f.st0;
  }
}

void magsm_08(float& xmag, float& ymag, float& zmag, float& xsm, float& ysm, float& zsm, int j) {
  const float c = magfld1.cfi, s = magfld1.sfi;
  if (j > 0) {
    const float x = xmag, y = ymag, z = zmag;
    xsm = x * c - y * s;
    ysm = x * s + y * c;
    zsm = z;
  } else {
    const float x = xsm, y = ysm, z = zsm;
    xmag = x * c + y * s;
    ymag = y * c - x * s;
    zmag = z;
  }
}

void smgsw_08(float& xsm, float& ysm, float& zsm, float& xgsw, float& ygsw, float& zgsw, int j) {
  const float c = magfld1.cps, s = magfld1.sps;
  if (j > 0) {
    const float x = xsm, y = ysm, z = zsm;
    xgsw = x * c + z * s;
    ygsw = y;
    zgsw = z * c - x * s;
  } else {
    const float x = xgsw, y = ygsw, z = zgsw;
    xsm = x * c - z * s;
    ysm = y;
    zsm = x * s + z * c;
  }
}

void geogsw_08(float& xgeo, float& ygeo, float& zgeo, float& xgsw, float& ygsw, float& zgsw, int j) {
  if (j > 0) {
    detail::geo_to_gsw(xgeo, ygeo, zgeo, xgsw, ygsw, zgsw);
  } else {
    detail::gsw_to_geo(xgsw, ygsw, zgsw, xgeo, ygeo, zgeo);
  }
}

void gswgse_08(float& xgsw, float& ygsw, float& zgsw, float& xgse, float& ygse, float& zgse, int j) {
  const magfld1_rec& f = magfld1;
  if (j > 0) {
    const float x = xgsw, y = ygsw, z = zgsw;
    xgse = f.e11 * x + f.e12 * y + f.e13 * z;
    ygse = f.e21 * x + f.e22 * y + f.e23 * z;
    zgse = f.e31 * x + f.e32 * y + f.e33 * z;
  } else if (j < 0) {
    const float x = xgse, y = ygse, z = zgse;
    xgsw = f.e11 * x + f.e21 * y + f.e31 * z;
    ygsw = f.e12 * x + f.e22 * y + f.e32 * z;
    zgsw = f.e13 * x + f.e23 * y + f.e33 * z;
  }
}

void sphcar_08(float& r, float& theta, float& phi, float& x, float& y, float& z, int j) {
  if (j > 0) {
    const float rr = r, t = theta, p = phi;
    const float sq = rr * std::sin(t);
    x = sq * std::cos(p);
    y = sq * std::sin(p);
    z = rr * std::cos(t);
    return;
  }
  const float xx = x, yy = y, zz = z;
  float sq = xx * xx + yy * yy;
  r = std::sqrt(sq + zz * zz);
  if (sq != 0.f) {
    sq = std::sqrt(sq);
    float p = std::atan2(yy, xx);
    theta = std::atan2(sq, zz);
    if (p < 0.f) p += two_pi;
    phi = p;
  } else {
    phi = 0.f;
    theta = (zz < 0.f) ? pi : 0.f;
  }
}

void bspcar_08(float theta, float phi, float br, float btheta, float bphi, float& bx, float& by, float& bz) {
  const float s = std::sin(theta), c = std::cos(theta);
  const float sf = std::sin(phi), cf = std::cos(phi);
  const float be = br * s + btheta * c;
  bx = be * cf - bphi * sf;
  by = be * sf + bphi * cf;
  bz = br * c - btheta * s;
}

void bcarsp_08(float x, float y, float z, float bx, float by, float bz, float& br, float& btheta, float& bphi) {
  const float rho2 = x * x + y * y;
  const float r = std::sqrt(rho2 + z * z);
  const float rho = std::sqrt(rho2);
  float cphi = 1.f, sphi = 0.f;
  if (rho != 0.f) {
    cphi = x / rho;
    sphi = y / rho;
  }
  const float ct = z / r;
  const float st = rho / r;
  br = (x * bx + y * by + z * bz) / r;
  btheta = (bx * cphi + by * sphi) * ct - bz * st;
  bphi = by * cphi - bx * sphi;
}

void geodgeo_08(float& h, float& xmu, float& r, float& theta, int j) {
  const float one_beta = 1.f + beta;
  if (j > 0) {
    const float cosxmu = std::cos(xmu);
    const float sinxmu = std::sin(xmu);
    const float q = sinxmu / one_beta;
    const float den = std::sqrt(cosxmu * cosxmu + q * q);
    const float coslam = cosxmu / den;  // geocentric latitude of the foot point
    const float sinlam = sinxmu / (den * one_beta);
    const float rs = r_eq / std::sqrt(1.f + beta * (sinlam * sinlam));
    const float x = rs * coslam + h * cosxmu;
    const float z = rs * sinlam + h * sinxmu;
    const float rr = std::sqrt(x * x + z * z);
    r = rr;
    theta = std::acos(z / rr);
  } else if (j < 0) {
    const float rr = r;
    const float phi = half_pi - theta;
    const float beta2 = beta * (2.f + beta);
    float phi1 = phi;
    float hh = 0.f, xmus = 0.f, dphi = 0.f;
    int n = 0;
    do {
      const float sp = std::sin(phi1);
      // Rounding can push the sine a hair past 1 at the poles.
      const float arg = std::fmin(1.f, std::fmax(-1.f, sp * one_beta / std::sqrt(1.f + beta2 * (sp * sp))));
      xmus = std::asin(arg);  // geodetic latitude of the foot point
      const float rs = r_eq / std::sqrt(1.f + beta * (sp * sp));
      const float cosfims = std::cos(phi1 - xmus);
      const float rc = rs * cosfims;
      hh = std::sqrt(rc * rc + rr * rr - rs * rs) - rc;
      const float z = rs * sp + hh * std::sin(xmus);
      const float x = rs * std::cos(phi1) + hh * std::cos(xmus);
      const float rz = std::sqrt(x * x + z * z);
      dphi = std::asin(std::fmin(1.f, std::fmax(-1.f, z / rz))) - phi;
      phi1 -= dphi;
      ++n;
    } while (std::fabs(dphi) > geod_tol && n < geod_max_passes);
    h = hh;
    xmu = xmus;
  }
}

}  // namespace magfield
