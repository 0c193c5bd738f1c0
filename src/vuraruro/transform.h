// Geocentric frame transformations of the coordinate and time library.
//
// Every routine turns one vector (three components, any unit) from the frame
// named first into the frame named second, for the instant last set by
// cp_time_param: it only reads the axes, sines and cosines stored in
// timp00..timp15 (see time_param.h), computes no trigonometry and writes no
// state. Before the first set-up the state is zero, and so are the results
// (except components that a plane rotation passes through unchanged).
//
// Frame codes in argument names: gei, geo, gse, gsm, gsq (GSEQ), mag, sma (SM).
// Inputs are taken by value, so the same variables may be passed as input and
// output (an in-place call).
//
// The local and instrument frames (VDH, DM, SR, SR2, MFA, TPN, Euler) are in
// local_frames.h, included below so that this header gives the whole family.
#pragma once

#include "vuraruro/local_frames.h"

namespace vuraruro {

// --- GEI <-> GEO: a turn about the common Z axis by the sidereal angle ---
void t_gei_to_geo(float xgei, float ygei, float zgei, float& xgeo, float& ygeo, float& zgeo);
void t_geo_to_gei(float xgeo, float ygeo, float zgeo, float& xgei, float& ygei, float& zgei);

// --- Products with axes stored in GEI or GEO ---
void t_gei_to_gse(float xgei, float ygei, float zgei, float& xgse, float& ygse, float& zgse);
void t_gse_to_gei(float xgse, float ygse, float zgse, float& xgei, float& ygei, float& zgei);
void t_geo_to_gse(float xgeo, float ygeo, float zgeo, float& xgse, float& ygse, float& zgse);
void t_gse_to_geo(float xgse, float ygse, float zgse, float& xgeo, float& ygeo, float& zgeo);

void t_gei_to_gsm(float xgei, float ygei, float zgei, float& xgsm, float& ygsm, float& zgsm);
void t_gsm_to_gei(float xgsm, float ygsm, float zgsm, float& xgei, float& ygei, float& zgei);
void t_geo_to_gsm(float xgeo, float ygeo, float zgeo, float& xgsm, float& ygsm, float& zgsm);
void t_gsm_to_geo(float xgsm, float ygsm, float zgsm, float& xgeo, float& ygeo, float& zgeo);

void t_gei_to_sm(float xgei, float ygei, float zgei, float& xsma, float& ysma, float& zsma);
void t_sm_to_gei(float xsma, float ysma, float zsma, float& xgei, float& ygei, float& zgei);
void t_geo_to_sm(float xgeo, float ygeo, float zgeo, float& xsma, float& ysma, float& zsma);
void t_sm_to_geo(float xsma, float ysma, float zsma, float& xgeo, float& ygeo, float& zgeo);

void t_gei_to_mag(float xgei, float ygei, float zgei, float& xmag, float& ymag, float& zmag);
void t_mag_to_gei(float xmag, float ymag, float zmag, float& xgei, float& ygei, float& zgei);
void t_geo_to_mag(float xgeo, float ygeo, float zgeo, float& xmag, float& ymag, float& zmag);
void t_mag_to_geo(float xmag, float ymag, float zmag, float& xgeo, float& ygeo, float& zgeo);

void t_gei_to_gseq(float xgei, float ygei, float zgei, float& xgsq, float& ygsq, float& zgsq);
void t_gseq_to_gei(float xgsq, float ygsq, float zgsq, float& xgei, float& ygei, float& zgei);
void t_geo_to_gseq(float xgeo, float ygeo, float zgeo, float& xgsq, float& ygsq, float& zgsq);
void t_gseq_to_geo(float xgsq, float ygsq, float zgsq, float& xgeo, float& ygeo, float& zgeo);

// --- Plane rotations between frames sharing one axis ---
// GSE <-> GSM about X (the grid builder's conversion, one call per vector).
void t_gse_to_gsm(float xgse, float ygse, float zgse, float& xgsm, float& ygsm, float& zgsm);
void t_gsm_to_gse(float xgsm, float ygsm, float zgsm, float& xgse, float& ygse, float& zgse);
// GSE <-> GSEQ about X.
void t_gse_to_gseq(float xgse, float ygse, float zgse, float& xgsq, float& ygsq, float& zgsq);
void t_gseq_to_gse(float xgsq, float ygsq, float zgsq, float& xgse, float& ygse, float& zgse);
// GSM <-> SM about Y, by the dipole tilt.
void t_gsm_to_sm(float xgsm, float ygsm, float zgsm, float& xsma, float& ysma, float& zsma);
void t_sm_to_gsm(float xsma, float ysma, float zsma, float& xgsm, float& ygsm, float& zgsm);
// MAG <-> SM about the dipole axis Z.
void t_mag_to_sm(float xmag, float ymag, float zmag, float& xsma, float& ysma, float& zsma);
void t_sm_to_mag(float xsma, float ysma, float zsma, float& xmag, float& ymag, float& zmag);

// --- Two plane rotations in a row ---
void t_mag_to_gsm(float xmag, float ymag, float zmag, float& xgsm, float& ygsm, float& zgsm);  // via SM
void t_gsm_to_mag(float xgsm, float ygsm, float zgsm, float& xmag, float& ymag, float& zmag);  // via SM
void t_gsm_to_gseq(float xgsm, float ygsm, float zgsm, float& xgsq, float& ygsq, float& zgsq);  // via GSE
void t_gseq_to_gsm(float xgsq, float ygsq, float zgsq, float& xgsm, float& ygsm, float& zgsm);  // via GSE

// --- Short entry points: same arguments, forwarded unchanged ---
void tgeigeo(float xgei, float ygei, float zgei, float& xgeo, float& ygeo, float& zgeo);
void tgeogei(float xgeo, float ygeo, float zgeo, float& xgei, float& ygei, float& zgei);
void tgeigse(float xgei, float ygei, float zgei, float& xgse, float& ygse, float& zgse);
void tgsegei(float xgse, float ygse, float zgse, float& xgei, float& ygei, float& zgei);
void tgeogse(float xgeo, float ygeo, float zgeo, float& xgse, float& ygse, float& zgse);
void tgsegeo(float xgse, float ygse, float zgse, float& xgeo, float& ygeo, float& zgeo);
void tgeigsm(float xgei, float ygei, float zgei, float& xgsm, float& ygsm, float& zgsm);
void tgsmgei(float xgsm, float ygsm, float zgsm, float& xgei, float& ygei, float& zgei);
void tgeogsm(float xgeo, float ygeo, float zgeo, float& xgsm, float& ygsm, float& zgsm);
void tgsmgeo(float xgsm, float ygsm, float zgsm, float& xgeo, float& ygeo, float& zgeo);
void tgeisma(float xgei, float ygei, float zgei, float& xsma, float& ysma, float& zsma);
void tsmagei(float xsma, float ysma, float zsma, float& xgei, float& ygei, float& zgei);
void tgeosma(float xgeo, float ygeo, float zgeo, float& xsma, float& ysma, float& zsma);
void tsmageo(float xsma, float ysma, float zsma, float& xgeo, float& ygeo, float& zgeo);
void tgeimag(float xgei, float ygei, float zgei, float& xmag, float& ymag, float& zmag);
void tmaggei(float xmag, float ymag, float zmag, float& xgei, float& ygei, float& zgei);
void tgeomag(float xgeo, float ygeo, float zgeo, float& xmag, float& ymag, float& zmag);
void tmaggeo(float xmag, float ymag, float zmag, float& xgeo, float& ygeo, float& zgeo);
void tgeigsq(float xgei, float ygei, float zgei, float& xgsq, float& ygsq, float& zgsq);
void tgsqgei(float xgsq, float ygsq, float zgsq, float& xgei, float& ygei, float& zgei);
void tgeogsq(float xgeo, float ygeo, float zgeo, float& xgsq, float& ygsq, float& zgsq);
void tgsqgeo(float xgsq, float ygsq, float zgsq, float& xgeo, float& ygeo, float& zgeo);
void tgsegsm(float xgse, float ygse, float zgse, float& xgsm, float& ygsm, float& zgsm);
void tgsmgse(float xgsm, float ygsm, float zgsm, float& xgse, float& ygse, float& zgse);
void tgsegsq(float xgse, float ygse, float zgse, float& xgsq, float& ygsq, float& zgsq);
void tgsqgse(float xgsq, float ygsq, float zgsq, float& xgse, float& ygse, float& zgse);
void tgsmsma(float xgsm, float ygsm, float zgsm, float& xsma, float& ysma, float& zsma);
void tsmagsm(float xsma, float ysma, float zsma, float& xgsm, float& ygsm, float& zgsm);
void tmagsma(float xmag, float ymag, float zmag, float& xsma, float& ysma, float& zsma);
void tsmamag(float xsma, float ysma, float zsma, float& xmag, float& ymag, float& zmag);
void tmaggsm(float xmag, float ymag, float zmag, float& xgsm, float& ygsm, float& zgsm);
void tgsmmag(float xgsm, float ygsm, float zgsm, float& xmag, float& ymag, float& zmag);
void tgsmgsq(float xgsm, float ygsm, float zgsm, float& xgsq, float& ygsq, float& zgsq);
void tgsqgsm(float xgsq, float ygsq, float zgsq, float& xgsm, float& ygsm, float& zgsm);

}  // namespace vuraruro
