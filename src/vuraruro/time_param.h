// Time-dependent frame state of the coordinate and time library.
//
// cp_time_param takes one UT instant and computes, once, the sun's angles, the
// directions of the sun, dipole axis, ecliptic pole and sun rotation axis in
// GEI and GEO, the axes of the MAG, SM, GSM and GSEQ frames in both, and the
// sines and cosines of the single-rotation angles between frames. Everything
// lands in the records timp00..timp15; the frame transformations and the
// getters below only read them. All members are zero before the first set-up.
// Angles are radians; a vector is three members suffixed 1, 2, 3 (X, Y, Z).
#pragma once

namespace vuraruro {

// Sidereal time and sun angles.
struct timp00_rec {
  float sgst, cgst;  // sine and cosine of gst
  float gst;         // Greenwich mean sidereal time, angle
  float slong;       // sun's ecliptic longitude
  float srasn;       // sun's right ascension
  float sdecl;       // sun's declination
  float obliq;       // obliquity of the ecliptic
};

// In GEI: sun direction, dipole axis, ecliptic pole, sun rotation axis.
struct timp01_rec {
  float gs1, gs2, gs3, gm1, gm2, gm3, ge1, ge2, ge3, gr1, gr2, gr3;
};

// In GEO: sun direction, dipole axis, ecliptic pole, sun rotation axis.
struct timp02_rec {
  float ps1, ps2, ps3, gd1, gd2, gd3, pe1, pe2, pe3, pr1, pr2, pr3;
};

// In GEI: gm x gs; ge x gs (the GSE Y axis). Not normalised.
struct timp03_rec {
  float gmgs1, gmgs2, gmgs3, gegs1, gegs2, gegs3;
};

// In GEI: gr x gs; gr x ge. Not normalised.
struct timp04_rec {
  float grgs1, grgs2, grgs3, grge1, grge2, grge3;
};

// In GEO: gd x ps. Not normalised.
struct timp05_rec {
  float gdps1, gdps2, gdps3;
};

// In GEO: pe x ps (the GSE Y axis); pr x ps. Not normalised.
struct timp06_rec {
  float peps1, peps2, peps3, prps1, prps2, prps3;
};

// MAG X and Y axes in GEI.
struct timp07_rec {
  float xeima1, xeima2, xeima3, yeima1, yeima2, yeima3;
};

// SM X and Y axes in GEI.
struct timp08_rec {
  float xeism1, xeism2, xeism3, yeism1, yeism2, yeism3;
};

// GSM Y and Z axes in GEI.
struct timp09_rec {
  float yeigm1, yeigm2, yeigm3, zeigm1, zeigm2, zeigm3;
};

// GSEQ Y and Z axes in GEI.
struct timp10_rec {
  float yeigq1, yeigq2, yeigq3, zeigq1, zeigq2, zeigq3;
};

// Sines and cosines of: GSE-to-GSEQ angle, GSE-to-GSM angle, dipole tilt,
// MAG-to-SM angle.
struct timp11_rec {
  float stetq, ctetq, sdze, cdze, smu, cmu, sphi, cphi;
};

// MAG X and Y axes in GEO.
struct timp12_rec {
  float xeoma1, xeoma2, xeoma3, yeoma1, yeoma2, yeoma3;
};

// SM X and Y axes in GEO.
struct timp13_rec {
  float xeosm1, xeosm2, xeosm3, yeosm1, yeosm2, yeosm3;
};

// GSM Y and Z axes in GEO.
struct timp14_rec {
  float yeogm1, yeogm2, yeogm3, zeogm1, zeogm2, zeogm3;
};

// GSEQ Y and Z axes in GEO.
struct timp15_rec {
  float yeogq1, yeogq2, yeogq3, zeogq1, zeogq2, zeogq3;
};

extern constinit thread_local timp00_rec timp00;
extern constinit thread_local timp01_rec timp01;
extern constinit thread_local timp02_rec timp02;
extern constinit thread_local timp03_rec timp03;
extern constinit thread_local timp04_rec timp04;
extern constinit thread_local timp05_rec timp05;
extern constinit thread_local timp06_rec timp06;
extern constinit thread_local timp07_rec timp07;
extern constinit thread_local timp08_rec timp08;
extern constinit thread_local timp09_rec timp09;
extern constinit thread_local timp10_rec timp10;
extern constinit thread_local timp11_rec timp11;
extern constinit thread_local timp12_rec timp12;
extern constinit thread_local timp13_rec timp13;
extern constinit thread_local timp14_rec timp14;
extern constinit thread_local timp15_rec timp15;

// Sets the frame state for a UT instant (year, month 1-12, day of month,
// hour, minute, second). Stops the program on a bad date, a year outside
// 1901-2099 or a degenerate geometry; may print the dipole-table warning.
void cp_time_param(int iyear, int imonth, int iday, int ih, int im, int is);

// Low-precision sun position for a UT instant (year 1901-2099, day of year,
// hour, minute, second). Outputs, radians: Greenwich mean sidereal time,
// sun's ecliptic longitude, right ascension, declination, obliquity.
void cp_gei_sun_dir(int iyear, int idoy, int ih, int im, int is, float& gst,
                    float& slong, float& sra, float& sdec, float& obliq);

// Northern geomagnetic dipole axis, unit vector in GEO, from the yearly pole
// table (year, day of year). Years outside 1901-2024 print a warning and use
// the table's end.
void cp_geo_dipole_dir(int iyear, int idoy, float& d1, float& d2, float& d3);

// Dipole tilt, radians in -pi/2..pi/2, positive when the northern end of the
// dipole leans toward the sun.
void g_gsm_dipole_tilt_angle(float& diptan);

// Sidereal time, sun longitude, right ascension, declination, obliquity (rad).
void g_gei_sun_param(float& gmst, float& slon, float& sras, float& sdec, float& obli);

// Sun direction, unit vector, in GEI then GEO.
void g_gei_geo_sun_dir(float& sxgei, float& sygei, float& szgei, float& sxgeo,
                       float& sygeo, float& szgeo);

// Sun rotation axis, unit vector, in GEI then GEO.
void g_gei_geo_sun_rot(float& rxgei, float& rygei, float& rzgei, float& rxgeo,
                       float& rygeo, float& rzgeo);

// Ecliptic north pole, unit vector, in GEI then GEO.
void g_gei_geo_ecliptic_dir(float& exgei, float& eygei, float& ezgei, float& exgeo,
                            float& eygeo, float& ezgeo);

// Northern dipole axis, unit vector, in GEI then GEO.
void g_gei_geo_dipole_dir(float& dxgei, float& dygei, float& dzgei, float& dxgeo,
                          float& dygeo, float& dzgeo);

namespace detail {
// The second half of cp_time_param from a given dipole axis (GEO, unit) and
// given sun angles (rad): frame axes, angles and their checks. Lets tests
// reach the degenerate geometries that no real instant produces.
void set_frame_state(float gd1, float gd2, float gd3, float gst, float slong, float srasn,
                     float sdecl, float obliq);
}  // namespace detail

// Short entry points: same arguments, forwarded unchanged.
void ctimpar(int iyear, int imonth, int iday, int ih, int im, int is);
void csundir(int iyear, int idoy, int ih, int im, int is, float& gst, float& slong,
             float& sra, float& sdec, float& obliq);
void cdipdir(int iyear, int idoy, float& d1, float& d2, float& d3);
void gdiptan(float& diptan);
void gsunpar(float& gmst, float& slon, float& sras, float& sdec, float& obli);
void gsundir(float& sxgei, float& sygei, float& szgei, float& sxgeo, float& sygeo,
             float& szgeo);
void gsrodir(float& rxgei, float& rygei, float& rzgei, float& rxgeo, float& rygeo,
             float& rzgeo);
void gecldir(float& exgei, float& eygei, float& ezgei, float& exgeo, float& eygeo,
             float& ezgeo);
void gdipdir(float& dxgei, float& dygei, float& dzgei, float& dxgeo, float& dygeo,
             float& dzgeo);

}  // namespace vuraruro
