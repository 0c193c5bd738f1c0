// Frame rotations of the geomagnetic field library (angles and matrices from
// magfld1, set by recalc_08), spherical/Cartesian conversions and the
// geodetic/geocentric conversion on the WGS-84 ellipsoid.
//
// Each rotation serves both directions: j > 0 reads the first triplet and
// writes the second, j <= 0 reads the second and writes the first (gswgse_08
// does nothing for j = 0). The triplet that is read is left unchanged, and the
// same variables may be passed for both triplets. Positions in any length
// unit (Earth radii in this library); field vectors rotate the same way.
#pragma once

#include "magfield/epoch.h"

namespace magfield {

// GEI <-> GEO (rotation by the Greenwich sidereal time).
void geigeo_08(float& xgei, float& ygei, float& zgei, float& xgeo, float& ygeo, float& zgeo, int j);
// GEO <-> MAG (dipole axis of the epoch).
void geomag_08(float& xgeo, float& ygeo, float& zgeo, float& xmag, float& ymag, float& zmag, int j);
// MAG <-> SM (rotation about the dipole axis).
void magsm_08(float& xmag, float& ymag, float& zmag, float& xsm, float& ysm, float& zsm, int j);
// SM <-> GSW (rotation by the tilt about Y).
void smgsw_08(float& xsm, float& ysm, float& zsm, float& xgsw, float& ygsw, float& zgsw, int j);
// GEO <-> GSW.
void geogsw_08(float& xgeo, float& ygeo, float& zgeo, float& xgsw, float& ygsw, float& zgsw, int j);
// GSW -> GSE for j > 0, GSE -> GSW for j < 0, nothing for j = 0.
void gswgse_08(float& xgsw, float& ygsw, float& zgsw, float& xgse, float& ygse, float& zgse, int j);

// j > 0: spherical (r, colatitude theta, east longitude phi, radians) to
// Cartesian; j <= 0: Cartesian to spherical, phi in [0, 2 pi), the Z axis
// giving phi = 0 and theta = 0 or pi, the origin all zero.
void sphcar_08(float& r, float& theta, float& phi, float& x, float& y, float& z, int j);

// Spherical components (br, btheta, bphi) at colatitude theta, east longitude
// phi (radians) to Cartesian components.
void bspcar_08(float theta, float phi, float br, float btheta, float bphi, float& bx, float& by, float& bz);

// Cartesian components at the point (x, y, z) to spherical components; on the
// Z axis the azimuth is taken as 0. The origin is outside the domain.
void bcarsp_08(float x, float y, float z, float bx, float by, float bz, float& br, float& btheta, float& bphi);

// j > 0: geodetic altitude h (km above the WGS-84 ellipsoid) and geodetic
// latitude xmu (radians) to geocentric distance r (km) and colatitude theta
// (radians); j < 0: the reverse, by iteration to 1e-6 rad; j = 0: nothing.
void geodgeo_08(float& h, float& xmu, float& r, float& theta, int j);

namespace detail {

// GEO -> GSW (geogsw_08 with j > 0), inlined into the field synthesis.
inline void geo_to_gsw(float xgeo, float ygeo, float zgeo, float& xgsw, float& ygsw, float& zgsw) {
  const magfld1_rec& f = magfld1;
  xgsw = f.a11 * xgeo + f.a12 * ygeo + f.a13 * zgeo;
  ygsw = f.a21 * xgeo + f.a22 * ygeo + f.a23 * zgeo;
  zgsw = f.a31 * xgeo + f.a32 * ygeo + f.a33 * zgeo;
}

// GSW -> GEO (geogsw_08 with j <= 0).
inline void gsw_to_geo(float xgsw, float ygsw, float zgsw, float& xgeo, float& ygeo, float& zgeo) {
  const magfld1_rec& f = magfld1;
  xgeo = f.a11 * xgsw + f.a21 * ygsw + f.a31 * zgsw;
  ygeo = f.a12 * xgsw + f.a22 * ygsw + f.a32 * zgsw;
  zgeo = f.a13 * xgsw + f.a23 * ygsw + f.a33 * zgsw;
}

}  // namespace detail
}  // namespace magfield
