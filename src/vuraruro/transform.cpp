// Geocentric frame transformations: products with the axes stored by
// cp_time_param, and plane rotations by its stored sines and cosines.
#include "vuraruro/transform.h"

#include "vuraruro/time_param.h"

namespace vuraruro {
namespace {

struct vec3 {
  float x, y, z;
};

float dot(vec3 a, vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

// Components of v along the axes ex, ey, ez (unit vectors of the target frame
// given in the source frame).
void onto_axes(vec3 v, vec3 ex, vec3 ey, vec3 ez, float& x, float& y, float& z) {
  x = dot(v, ex);
  y = dot(v, ey);
  z = dot(v, ez);
}

// Sum of the axes ex, ey, ez (unit vectors of the source frame given in the
// target frame) weighted by the components of v.
void from_axes(vec3 v, vec3 ex, vec3 ey, vec3 ez, float& x, float& y, float& z) {
  x = v.x * ex.x + v.y * ey.x + v.z * ez.x;
  y = v.x * ex.y + v.y * ey.y + v.z * ez.y;
  z = v.x * ex.z + v.y * ey.z + v.z * ez.z;
}

// Stored vectors, taken from a record that the caller binds once per call.
vec3 gs(const timp01_rec& r) { return {r.gs1, r.gs2, r.gs3}; }
vec3 gm(const timp01_rec& r) { return {r.gm1, r.gm2, r.gm3}; }
vec3 ge(const timp01_rec& r) { return {r.ge1, r.ge2, r.ge3}; }
vec3 ps(const timp02_rec& r) { return {r.ps1, r.ps2, r.ps3}; }
vec3 gd(const timp02_rec& r) { return {r.gd1, r.gd2, r.gd3}; }
vec3 pe(const timp02_rec& r) { return {r.pe1, r.pe2, r.pe3}; }
vec3 gegs(const timp03_rec& r) { return {r.gegs1, r.gegs2, r.gegs3}; }
vec3 peps(const timp06_rec& r) { return {r.peps1, r.peps2, r.peps3}; }
vec3 xeima(const timp07_rec& r) { return {r.xeima1, r.xeima2, r.xeima3}; }
vec3 yeima(const timp07_rec& r) { return {r.yeima1, r.yeima2, r.yeima3}; }
vec3 xeism(const timp08_rec& r) { return {r.xeism1, r.xeism2, r.xeism3}; }
vec3 yeism(const timp08_rec& r) { return {r.yeism1, r.yeism2, r.yeism3}; }
vec3 yeigm(const timp09_rec& r) { return {r.yeigm1, r.yeigm2, r.yeigm3}; }
vec3 zeigm(const timp09_rec& r) { return {r.zeigm1, r.zeigm2, r.zeigm3}; }
vec3 yeigq(const timp10_rec& r) { return {r.yeigq1, r.yeigq2, r.yeigq3}; }
vec3 zeigq(const timp10_rec& r) { return {r.zeigq1, r.zeigq2, r.zeigq3}; }
vec3 xeoma(const timp12_rec& r) { return {r.xeoma1, r.xeoma2, r.xeoma3}; }
vec3 yeoma(const timp12_rec& r) { return {r.yeoma1, r.yeoma2, r.yeoma3}; }
vec3 xeosm(const timp13_rec& r) { return {r.xeosm1, r.xeosm2, r.xeosm3}; }
vec3 yeosm(const timp13_rec& r) { return {r.yeosm1, r.yeosm2, r.yeosm3}; }
vec3 yeogm(const timp14_rec& r) { return {r.yeogm1, r.yeogm2, r.yeogm3}; }
vec3 zeogm(const timp14_rec& r) { return {r.zeogm1, r.zeogm2, r.zeogm3}; }
vec3 yeogq(const timp15_rec& r) { return {r.yeogq1, r.yeogq2, r.yeogq3}; }
vec3 zeogq(const timp15_rec& r) { return {r.zeogq1, r.zeogq2, r.zeogq3}; }

}  // namespace

// --- GEI <-> GEO ---

void t_gei_to_geo(float xgei, float ygei, float zgei, float& xgeo, float& ygeo, float& zgeo) {
  const timp00_rec& st = timp00;
  const float c = st.cgst;
  const float s = st.sgst;
  xgeo = c * xgei + s * ygei;
  ygeo = c * ygei - s * xgei;
  zgeo = zgei;
}

void t_geo_to_gei(float xgeo, float ygeo, float zgeo, float& xgei, float& ygei, float& zgei) {
  const timp00_rec& st = timp00;
  const float c = st.cgst;
  const float s = st.sgst;
  xgei = c * xgeo - s * ygeo;
  ygei = s * xgeo + c * ygeo;
  zgei = zgeo;
}

// --- GSE: X sun, Y ecliptic pole x sun, Z ecliptic pole ---

void t_gei_to_gse(float xgei, float ygei, float zgei, float& xgse, float& ygse, float& zgse) {
  const timp01_rec& t01 = timp01;
  const timp03_rec& t03 = timp03;
  onto_axes({xgei, ygei, zgei}, gs(t01), gegs(t03), ge(t01), xgse, ygse, zgse);
}
void t_gse_to_gei(float xgse, float ygse, float zgse, float& xgei, float& ygei, float& zgei) {
  const timp01_rec& t01 = timp01;
  const timp03_rec& t03 = timp03;
  from_axes({xgse, ygse, zgse}, gs(t01), gegs(t03), ge(t01), xgei, ygei, zgei);
}
void t_geo_to_gse(float xgeo, float ygeo, float zgeo, float& xgse, float& ygse, float& zgse) {
  const timp02_rec& t02 = timp02;
  const timp06_rec& t06 = timp06;
  onto_axes({xgeo, ygeo, zgeo}, ps(t02), peps(t06), pe(t02), xgse, ygse, zgse);
}
void t_gse_to_geo(float xgse, float ygse, float zgse, float& xgeo, float& ygeo, float& zgeo) {
  const timp02_rec& t02 = timp02;
  const timp06_rec& t06 = timp06;
  from_axes({xgse, ygse, zgse}, ps(t02), peps(t06), pe(t02), xgeo, ygeo, zgeo);
}

// --- GSM: X sun, Y along dipole x sun ---

void t_gei_to_gsm(float xgei, float ygei, float zgei, float& xgsm, float& ygsm, float& zgsm) {
  const timp01_rec& t01 = timp01;
  const timp09_rec& t09 = timp09;
  onto_axes({xgei, ygei, zgei}, gs(t01), yeigm(t09), zeigm(t09), xgsm, ygsm, zgsm);
}
void t_gsm_to_gei(float xgsm, float ygsm, float zgsm, float& xgei, float& ygei, float& zgei) {
  const timp01_rec& t01 = timp01;
  const timp09_rec& t09 = timp09;
  from_axes({xgsm, ygsm, zgsm}, gs(t01), yeigm(t09), zeigm(t09), xgei, ygei, zgei);
}
void t_geo_to_gsm(float xgeo, float ygeo, float zgeo, float& xgsm, float& ygsm, float& zgsm) {
  const timp02_rec& t02 = timp02;
  const timp14_rec& t14 = timp14;
  onto_axes({xgeo, ygeo, zgeo}, ps(t02), yeogm(t14), zeogm(t14), xgsm, ygsm, zgsm);
}
void t_gsm_to_geo(float xgsm, float ygsm, float zgsm, float& xgeo, float& ygeo, float& zgeo) {
  const timp02_rec& t02 = timp02;
  const timp14_rec& t14 = timp14;
  from_axes({xgsm, ygsm, zgsm}, ps(t02), yeogm(t14), zeogm(t14), xgeo, ygeo, zgeo);
}

// --- SM: Z dipole axis, Y as in GSM ---

void t_gei_to_sm(float xgei, float ygei, float zgei, float& xsma, float& ysma, float& zsma) {
  const timp08_rec& t08 = timp08;
  const timp01_rec& t01 = timp01;
  onto_axes({xgei, ygei, zgei}, xeism(t08), yeism(t08), gm(t01), xsma, ysma, zsma);
}
void t_sm_to_gei(float xsma, float ysma, float zsma, float& xgei, float& ygei, float& zgei) {
  const timp08_rec& t08 = timp08;
  const timp01_rec& t01 = timp01;
  from_axes({xsma, ysma, zsma}, xeism(t08), yeism(t08), gm(t01), xgei, ygei, zgei);
}
void t_geo_to_sm(float xgeo, float ygeo, float zgeo, float& xsma, float& ysma, float& zsma) {
  const timp13_rec& t13 = timp13;
  const timp02_rec& t02 = timp02;
  onto_axes({xgeo, ygeo, zgeo}, xeosm(t13), yeosm(t13), gd(t02), xsma, ysma, zsma);
}
void t_sm_to_geo(float xsma, float ysma, float zsma, float& xgeo, float& ygeo, float& zgeo) {
  const timp13_rec& t13 = timp13;
  const timp02_rec& t02 = timp02;
  from_axes({xsma, ysma, zsma}, xeosm(t13), yeosm(t13), gd(t02), xgeo, ygeo, zgeo);
}

// --- MAG: Z dipole axis, Y along rotation axis x dipole ---

void t_gei_to_mag(float xgei, float ygei, float zgei, float& xmag, float& ymag, float& zmag) {
  const timp07_rec& t07 = timp07;
  const timp01_rec& t01 = timp01;
  onto_axes({xgei, ygei, zgei}, xeima(t07), yeima(t07), gm(t01), xmag, ymag, zmag);
}
void t_mag_to_gei(float xmag, float ymag, float zmag, float& xgei, float& ygei, float& zgei) {
  const timp07_rec& t07 = timp07;
  const timp01_rec& t01 = timp01;
  from_axes({xmag, ymag, zmag}, xeima(t07), yeima(t07), gm(t01), xgei, ygei, zgei);
}
void t_geo_to_mag(float xgeo, float ygeo, float zgeo, float& xmag, float& ymag, float& zmag) {
  const timp12_rec& t12 = timp12;
  const timp02_rec& t02 = timp02;
  onto_axes({xgeo, ygeo, zgeo}, xeoma(t12), yeoma(t12), gd(t02), xmag, ymag, zmag);
}
void t_mag_to_geo(float xmag, float ymag, float zmag, float& xgeo, float& ygeo, float& zgeo) {
  const timp12_rec& t12 = timp12;
  const timp02_rec& t02 = timp02;
  from_axes({xmag, ymag, zmag}, xeoma(t12), yeoma(t12), gd(t02), xgeo, ygeo, zgeo);
}

// --- GSEQ: X sun, Y along sun rotation axis x sun ---

void t_gei_to_gseq(float xgei, float ygei, float zgei, float& xgsq, float& ygsq, float& zgsq) {
  const timp01_rec& t01 = timp01;
  const timp10_rec& t10 = timp10;
  onto_axes({xgei, ygei, zgei}, gs(t01), yeigq(t10), zeigq(t10), xgsq, ygsq, zgsq);
}
void t_gseq_to_gei(float xgsq, float ygsq, float zgsq, float& xgei, float& ygei, float& zgei) {
  const timp01_rec& t01 = timp01;
  const timp10_rec& t10 = timp10;
  from_axes({xgsq, ygsq, zgsq}, gs(t01), yeigq(t10), zeigq(t10), xgei, ygei, zgei);
}
void t_geo_to_gseq(float xgeo, float ygeo, float zgeo, float& xgsq, float& ygsq, float& zgsq) {
  const timp02_rec& t02 = timp02;
  const timp15_rec& t15 = timp15;
  onto_axes({xgeo, ygeo, zgeo}, ps(t02), yeogq(t15), zeogq(t15), xgsq, ygsq, zgsq);
}
void t_gseq_to_geo(float xgsq, float ygsq, float zgsq, float& xgeo, float& ygeo, float& zgeo) {
  const timp02_rec& t02 = timp02;
  const timp15_rec& t15 = timp15;
  from_axes({xgsq, ygsq, zgsq}, ps(t02), yeogq(t15), zeogq(t15), xgeo, ygeo, zgeo);
}

// --- Plane rotations ---

void t_gse_to_gsm(float xgse, float ygse, float zgse, float& xgsm, float& ygsm, float& zgsm) {
  const timp11_rec& st = timp11;
  const float c = st.cdze;
  const float s = st.sdze;
  xgsm = xgse;
  ygsm = ygse * c + zgse * s;
  zgsm = zgse * c - ygse * s;
}

void t_gsm_to_gse(float xgsm, float ygsm, float zgsm, float& xgse, float& ygse, float& zgse) {
  const timp11_rec& st = timp11;
  const float c = st.cdze;
  const float s = st.sdze;
  xgse = xgsm;
  ygse = c * ygsm - s * zgsm;
  zgse = s * ygsm + c * zgsm;
}

void t_gse_to_gseq(float xgse, float ygse, float zgse, float& xgsq, float& ygsq, float& zgsq) {
  const timp11_rec& st = timp11;
  const float c = st.ctetq;
  const float s = st.stetq;
  xgsq = xgse;
  ygsq = c * ygse - s * zgse;
  zgsq = s * ygse + c * zgse;
}

void t_gseq_to_gse(float xgsq, float ygsq, float zgsq, float& xgse, float& ygse, float& zgse) {
  const timp11_rec& st = timp11;
  const float c = st.ctetq;
  const float s = st.stetq;
  xgse = xgsq;
  ygse = c * ygsq + s * zgsq;
  zgse = c * zgsq - s * ygsq;
}

void t_gsm_to_sm(float xgsm, float ygsm, float zgsm, float& xsma, float& ysma, float& zsma) {
  const timp11_rec& st = timp11;
  const float c = st.cmu;
  const float s = st.smu;
  xsma = c * xgsm - s * zgsm;
  ysma = ygsm;
  zsma = s * xgsm + c * zgsm;
}

void t_sm_to_gsm(float xsma, float ysma, float zsma, float& xgsm, float& ygsm, float& zgsm) {
  const timp11_rec& st = timp11;
  const float c = st.cmu;
  const float s = st.smu;
  xgsm = c * xsma + s * zsma;
  ygsm = ysma;
  zgsm = c * zsma - s * xsma;
}

void t_mag_to_sm(float xmag, float ymag, float zmag, float& xsma, float& ysma, float& zsma) {
  const timp11_rec& st = timp11;
  const float c = st.cphi;
  const float s = st.sphi;
  xsma = c * xmag - s * ymag;
  ysma = s * xmag + c * ymag;
  zsma = zmag;
}

void t_sm_to_mag(float xsma, float ysma, float zsma, float& xmag, float& ymag, float& zmag) {
  const timp11_rec& st = timp11;
  const float c = st.cphi;
  const float s = st.sphi;
  xmag = c * xsma + s * ysma;
  ymag = c * ysma - s * xsma;
  zmag = zsma;
}

// --- Composites ---

void t_mag_to_gsm(float xmag, float ymag, float zmag, float& xgsm, float& ygsm, float& zgsm) {
  float xsma, ysma, zsma;
  t_mag_to_sm(xmag, ymag, zmag, xsma, ysma, zsma);
  t_sm_to_gsm(xsma, ysma, zsma, xgsm, ygsm, zgsm);
}

void t_gsm_to_mag(float xgsm, float ygsm, float zgsm, float& xmag, float& ymag, float& zmag) {
  float xsma, ysma, zsma;
  t_gsm_to_sm(xgsm, ygsm, zgsm, xsma, ysma, zsma);
  t_sm_to_mag(xsma, ysma, zsma, xmag, ymag, zmag);
}

void t_gsm_to_gseq(float xgsm, float ygsm, float zgsm, float& xgsq, float& ygsq, float& zgsq) {
  float xgse, ygse, zgse;
  t_gsm_to_gse(xgsm, ygsm, zgsm, xgse, ygse, zgse);
  t_gse_to_gseq(xgse, ygse, zgse, xgsq, ygsq, zgsq);
}

void t_gseq_to_gsm(float xgsq, float ygsq, float zgsq, float& xgsm, float& ygsm, float& zgsm) {
  float xgse, ygse, zgse;
  t_gseq_to_gse(xgsq, ygsq, zgsq, xgse, ygse, zgse);
  t_gse_to_gsm(xgse, ygse, zgse, xgsm, ygsm, zgsm);
}

// --- Short entry points ---

void tgeigeo(float a, float b, float c, float& x, float& y, float& z) { t_gei_to_geo(a, b, c, x, y, z); }
void tgeogei(float a, float b, float c, float& x, float& y, float& z) { t_geo_to_gei(a, b, c, x, y, z); }
void tgeigse(float a, float b, float c, float& x, float& y, float& z) { t_gei_to_gse(a, b, c, x, y, z); }
void tgsegei(float a, float b, float c, float& x, float& y, float& z) { t_gse_to_gei(a, b, c, x, y, z); }
void tgeogse(float a, float b, float c, float& x, float& y, float& z) { t_geo_to_gse(a, b, c, x, y, z); }
void tgsegeo(float a, float b, float c, float& x, float& y, float& z) { t_gse_to_geo(a, b, c, x, y, z); }
void tgeigsm(float a, float b, float c, float& x, float& y, float& z) { t_gei_to_gsm(a, b, c, x, y, z); }
void tgsmgei(float a, float b, float c, float& x, float& y, float& z) { t_gsm_to_gei(a, b, c, x, y, z); }
void tgeogsm(float a, float b, float c, float& x, float& y, float& z) { t_geo_to_gsm(a, b, c, x, y, z); }
void tgsmgeo(float a, float b, float c, float& x, float& y, float& z) { t_gsm_to_geo(a, b, c, x, y, z); }
void tgeisma(float a, float b, float c, float& x, float& y, float& z) { t_gei_to_sm(a, b, c, x, y, z); }
void tsmagei(float a, float b, float c, float& x, float& y, float& z) { t_sm_to_gei(a, b, c, x, y, z); }
void tgeosma(float a, float b, float c, float& x, float& y, float& z) { t_geo_to_sm(a, b, c, x, y, z); }
void tsmageo(float a, float b, float c, float& x, float& y, float& z) { t_sm_to_geo(a, b, c, x, y, z); }
void tgeimag(float a, float b, float c, float& x, float& y, float& z) { t_gei_to_mag(a, b, c, x, y, z); }
void tmaggei(float a, float b, float c, float& x, float& y, float& z) { t_mag_to_gei(a, b, c, x, y, z); }
void tgeomag(float a, float b, float c, float& x, float& y, float& z) { t_geo_to_mag(a, b, c, x, y, z); }
void tmaggeo(float a, float b, float c, float& x, float& y, float& z) { t_mag_to_geo(a, b, c, x, y, z); }
void tgeigsq(float a, float b, float c, float& x, float& y, float& z) { t_gei_to_gseq(a, b, c, x, y, z); }
void tgsqgei(float a, float b, float c, float& x, float& y, float& z) { t_gseq_to_gei(a, b, c, x, y, z); }
void tgeogsq(float a, float b, float c, float& x, float& y, float& z) { t_geo_to_gseq(a, b, c, x, y, z); }
void tgsqgeo(float a, float b, float c, float& x, float& y, float& z) { t_gseq_to_geo(a, b, c, x, y, z); }
void tgsegsm(float a, float b, float c, float& x, float& y, float& z) { t_gse_to_gsm(a, b, c, x, y, z); }
void tgsmgse(float a, float b, float c, float& x, float& y, float& z) { t_gsm_to_gse(a, b, c, x, y, z); }
void tgsegsq(float a, float b, float c, float& x, float& y, float& z) { t_gse_to_gseq(a, b, c, x, y, z); }
void tgsqgse(float a, float b, float c, float& x, float& y, float& z) { t_gseq_to_gse(a, b, c, x, y, z); }
void tgsmsma(float a, float b, float c, float& x, float& y, float& z) { t_gsm_to_sm(a, b, c, x, y, z); }
void tsmagsm(float a, float b, float c, float& x, float& y, float& z) { t_sm_to_gsm(a, b, c, x, y, z); }
void tmagsma(float a, float b, float c, float& x, float& y, float& z) { t_mag_to_sm(a, b, c, x, y, z); }
void tsmamag(float a, float b, float c, float& x, float& y, float& z) { t_sm_to_mag(a, b, c, x, y, z); }
void tmaggsm(float a, float b, float c, float& x, float& y, float& z) { t_mag_to_gsm(a, b, c, x, y, z); }
void tgsmmag(float a, float b, float c, float& x, float& y, float& z) { t_gsm_to_mag(a, b, c, x, y, z); }
void tgsmgsq(float a, float b, float c, float& x, float& y, float& z) { t_gsm_to_gseq(a, b, c, x, y, z); }
void tgsqgsm(float a, float b, float c, float& x, float& y, float& z) { t_gseq_to_gsm(a, b, c, x, y, z); }

}  // namespace vuraruro
