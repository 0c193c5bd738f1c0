// Local and instrument frames of the coordinate and time library: a ground
// station's VDH and dipole-meridian frames, the spinning (SR) and despun (SR2)
// spacecraft frames, the field-aligned frame MFA, the boundary-normal frame
// TPN of a paraboloid, and a frame given by three Euler angles.
//
// All routines are linear in the vector and unit-free. Only the DM pair reads
// the frame state (the GEO dipole axis left by cp_time_param); the others use
// only their arguments. Inputs are taken by value, so the same variables may
// be passed as input and output. Degenerate geometry (station at a pole or on
// the dipole axis, spin axis or field along GSE X, field along GSE Z, point on
// the X axis for TPN, zero-length spin axis or field) is not checked and has no
// defined result.
#pragma once

namespace vuraruro {

// --- Station frames (rlat: geographic latitude, rlong: east longitude, rad) ---

// GEO -> VDH: V local vertical (up), D east, H north along the horizontal.
void t_geo_to_vdh(float xgeo, float ygeo, float zgeo, float rlat, float rlong, float& xvdh,
                  float& yvdh, float& zvdh);
void t_vdh_to_geo(float xvdh, float yvdh, float zvdh, float rlat, float rlong, float& xgeo,
                  float& ygeo, float& zgeo);

// GEO -> DM: Z the dipole axis, Y along dipole x station, X = Y x Z (in the
// station's magnetic meridian plane).
void t_geo_to_dm(float xgeo, float ygeo, float zgeo, float rlat, float rlong, float& xdme,
                 float& ydme, float& zdme);
void t_dm_to_geo(float xdme, float ydme, float zdme, float rlat, float rlong, float& xgeo,
                 float& ygeo, float& zgeo);

// --- Spacecraft frames ---

// GSE -> SR2: Z along the spin axis (rotx, roty, rotz in GSE, any length), X
// along the part of GSE X perpendicular to it, Y = Z x X.
void t_gse_to_sr2(float xgse, float ygse, float zgse, float rotx, float roty, float rotz,
                  float& xsr2, float& ysr2, float& zsr2);
void t_sr2_to_gse(float xsr2, float ysr2, float zsr2, float rotx, float roty, float rotz,
                  float& xgse, float& ygse, float& zgse);

// SR <-> SR2, spin-plane components only. spifre: spin frequency, Hz; spipha:
// spin phase at the reference time, rad; deltat: time since the reference, s.
void t_sr_to_sr2(float xsre, float ysre, float spifre, float spipha, float deltat, float& xsr2,
                 float& ysr2);
void t_sr2_to_sr(float xsr2, float ysr2, float spifre, float spipha, float deltat, float& xsre,
                 float& ysre);

// --- Field-aligned frame: Z along B, X along the part of GSE X perpendicular
// to B, Y = Z x X ---

// Vector and field (bx, by, bz) both in GSE.
void t_gse_to_mfa(float xgse, float ygse, float zgse, float bx, float by, float bz, float& xmfa,
                  float& ymfa, float& zmfa);
// Vector and field both in SR2; (rox, roy, roz) is the spin axis in GSE.
void t_sr2_to_mfa(float xsr2, float ysr2, float zsr2, float bx, float by, float bz, float rox,
                  float roy, float roz, float& xm, float& ym, float& zm);

// --- Boundary-normal frame at (xo, yo, zo) on the paraboloid of revolution
// about X with its nose at X = xs: N outward normal, T tangent in the meridian
// plane toward the nose side, P = N x T ---

// Unit vectors T, P, N in the frame of the point.
void cp_tpn_param(float xo, float yo, float zo, float xs, float& tx, float& ty, float& tz,
                  float& px, float& py, float& pz, float& nx, float& ny, float& nz);
// Components along T, P, N.
void t_gse_to_tpn(float xgse, float ygse, float zgse, float xo, float yo, float zo, float xs,
                  float& xtpn, float& ytpn, float& ztpn);
void t_gsm_to_tpn(float xgsm, float ygsm, float zgsm, float xo, float yo, float zo, float xs,
                  float& xtpn, float& ytpn, float& ztpn);

// --- Frame (v, d, h) given by Euler angles a1, a2, a3 (degrees), a z-x-z
// sequence: (v, d, h) = Rz(a3) Rx(a2) Rz(a1) (x, y, z), where Rz(a) and Rx(a)
// turn a vector by +a about z and x. t_vdh_to_xyz applies the transpose ---
void t_xyz_to_vdh(float x, float y, float z, float a1, float a2, float a3, float& v, float& d,
                  float& h);
void t_vdh_to_xyz(float v, float d, float h, float a1, float a2, float a3, float& x, float& y,
                  float& z);

// --- Short entry points: same arguments, forwarded unchanged ---
void tgeovdh(float xgeo, float ygeo, float zgeo, float rlat, float rlong, float& xvdh,
             float& yvdh, float& zvdh);
void tvdhgeo(float xvdh, float yvdh, float zvdh, float rlat, float rlong, float& xgeo,
             float& ygeo, float& zgeo);
void tgeodme(float xgeo, float ygeo, float zgeo, float rlat, float rlong, float& xdme,
             float& ydme, float& zdme);
void tdmegeo(float xdme, float ydme, float zdme, float rlat, float rlong, float& xgeo,
             float& ygeo, float& zgeo);
void tgsesr2(float xgse, float ygse, float zgse, float rotx, float roty, float rotz, float& xsr2,
             float& ysr2, float& zsr2);
void tsr2gse(float xsr2, float ysr2, float zsr2, float rotx, float roty, float rotz, float& xgse,
             float& ygse, float& zgse);
void tsresr2(float xsre, float ysre, float spifre, float spipha, float deltat, float& xsr2,
             float& ysr2);
void tsr2sre(float xsr2, float ysr2, float spifre, float spipha, float deltat, float& xsre,
             float& ysre);
void tsr2mfa(float xsr2, float ysr2, float zsr2, float bx, float by, float bz, float rox,
             float roy, float roz, float& xm, float& ym, float& zm);

}  // namespace vuraruro
