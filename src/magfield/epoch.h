// Epoch set-up of the geomagnetic field library: IGRF-14 coefficients for a
// date, the dipole axis, the sun position, and every rotation matrix that the
// library's frames need. recalc_08 fills the two library-wide records; the
// frame routines and the internal field read them.
#pragma once

#include <cstddef>

namespace magfield {

// Angles and matrices of the current epoch. 34 floats in this exact order:
// callers address members by position (psi is the 16th).
struct magfld1_rec {
  float st0;   // sine of the colatitude of the dipole axis (north geomagnetic pole), GEO
  float ct0;   // cosine of that colatitude
  float sl0;   // sine of the east longitude of the dipole axis
  float cl0;   // cosine of that longitude
  float ctcl;  // ct0 * cl0
  float stcl;  // st0 * cl0
  float ctsl;  // ct0 * sl0
  float stsl;  // st0 * sl0
  float sfi;   // sine of the MAG -> SM rotation angle about the common Z axis
  float cfi;   // cosine of that angle
  float sps;   // sine of the dipole tilt
  float cps;   // cosine of the dipole tilt
  float ds3;   // scratch of the field-line tracer; recalc_08 leaves it alone
  float cgst;  // cosine of the Greenwich mean sidereal time
  float sgst;  // sine of the Greenwich mean sidereal time
  float psi;   // dipole tilt, radians, > 0 when the north dipole axis leans toward +X of GSW
  // GEO -> GSW: aIJ is GEO component J of GSW axis I.
  float a11, a21, a31, a12, a22, a32, a13, a23, a33;
  // GSE / GSW: eIJ is (GSE axis I) . (GSW axis J).
  float e11, e21, e31, e12, e22, e32, e13, e23, e33;
};
static_assert(sizeof(magfld1_rec) == 34 * sizeof(float));
static_assert(offsetof(magfld1_rec, psi) == 15 * sizeof(float));

// Number of coefficient slots up to degree 13: degree n, order m sits at
// index n(n+1)/2 + m (slot n(n+1)/2 + m + 1 counted from 1).
inline constexpr int igrf_slot_count = 105;

// Coefficients of the current epoch, in the form the synthesis uses.
struct magfld2_rec {
  float g[igrf_slot_count];    // g(n,m) times the Schmidt -> Gauss factor, nT
  float h[igrf_slot_count];    // h(n,m), same treatment, nT
  float rec[igrf_slot_count];  // Legendre recursion factor (n^2 - m^2) / ((2n-1)(2n+1))
};
static_assert(sizeof(magfld2_rec) == 315 * sizeof(float));

extern constinit thread_local magfld1_rec magfld1;
extern constinit thread_local magfld2_rec magfld2;

// Sets both records for a UT instant. Years outside 1965-2030 are clamped
// (with a warning on standard output). The solar-wind velocity (GSE, any
// unit, only its direction matters) fixes the GSW X axis: (-400, 0, 0) makes
// GSW the GSM frame. A zero velocity is taken as along -X of GSE.
void recalc_08(int iyear,  // calendar year
               int iday,   // day of year, 1 = 1 January
               int ihour, int min, int isec,  // UT
               float vgsex, float vgsey, float vgsez);  // solar-wind velocity, GSE

// Sun position and Greenwich mean sidereal time, all in radians, for years
// 1901-2099; outside that range the outputs are left as they were.
void sun_08(int iyear, int iday, int ihour, int min, int isec,  // UT
            float& gst,    // Greenwich mean sidereal time
            float& slong,  // ecliptic longitude of the sun
            float& srasn,  // right ascension of the sun
            float& sdec);  // declination of the sun

}  // namespace magfield
