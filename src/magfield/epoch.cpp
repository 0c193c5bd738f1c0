#include "magfield/epoch.h"

#include <array>
#include <cmath>
#include <string>

#include "fortio/fortio.h"
#include "magfield/igrf_tables.h"

namespace magfield {

constinit thread_local magfld1_rec magfld1{};
constinit thread_local magfld2_rec magfld2{};

namespace {

constexpr int first_year = 1965;  // range of the coefficient tables and their extrapolation
constexpr int last_year = 2030;
constexpr int last_epoch = detail::igrf_first_epoch + (detail::igrf_epoch_count - 1) * detail::igrf_epoch_step;
constexpr float days_per_year = 365.25f;
constexpr float deg_per_rad = 57.29578f;
constexpr float two_pi = 6.2831853f;
constexpr float pi = 3.1415927f;

// (N-M)(N+M-2) / ((2N-1)(2N-3)) for N = n+1, M = m+1: depends on nothing, so
// it is built once at compile time (IEEE division gives the same float as at run time).
constexpr std::array<float, igrf_slot_count> make_rec() {
  std::array<float, igrf_slot_count> rec{};
  for (int n = 1; n <= 14; ++n)
    for (int m = 1; m <= n; ++m)
      rec[n * (n - 1) / 2 + m - 1] = float((n - m) * (n + m - 2)) / float((2 * n - 1) * (2 * n - 3));
  return rec;
}
constexpr std::array<float, igrf_slot_count> rec_table = make_rec();

// Everything that depends only on the clamped year and the day: the
// normalised coefficients and the dipole axis. Kept from the last call, as a
// measurement series stays on one day for many calls.
struct date_state {
  bool valid = false;
  int iy = 0;
  int iday = 0;
  float g[igrf_slot_count];
  float h[igrf_slot_count];
  float st0, ct0, sl0, cl0;
};
thread_local date_state date_cache;

void compute_date_state(int iy, int iday, date_state& d) {
  using detail::igrf14;
  const float year_fraction = float(iday - 1) / days_per_year;
  if (iy < last_epoch) {
    const int i = (iy - detail::igrf_first_epoch) / detail::igrf_epoch_step;
    const int base = detail::igrf_first_epoch + i * detail::igrf_epoch_step;
    const float f2 = (float(iy) + year_fraction - float(base)) / float(detail::igrf_epoch_step);
    const float f1 = 1.f - f2;
    for (int k = 0; k < igrf_slot_count; ++k) {
      d.g[k] = f1 * igrf14.g[i][k] + f2 * igrf14.g[i + 1][k];
      d.h[k] = f1 * igrf14.h[i][k] + f2 * igrf14.h[i + 1][k];
    }
  } else {
    const int i = detail::igrf_epoch_count - 1;
    const float dt = float(iy) + year_fraction - float(last_epoch);
    for (int k = 0; k < igrf_slot_count; ++k) {
      d.g[k] = igrf14.g[i][k];
      d.h[k] = igrf14.h[i][k];
    }
    for (int k = 0; k < detail::igrf_sv_slots; ++k) {
      d.g[k] += igrf14.dg[k] * dt;
      d.h[k] += igrf14.dh[k] * dt;
    }
  }

  // Schmidt semi-normalised -> Gauss-normalised, the form the Legendre
  // recursion of the synthesis works in.
  float s = 1.f;
  for (int n = 2; n <= 14; ++n) {
    const int mn = n * (n - 1) / 2;  // index of order 0
    s = s * float(2 * n - 3) / float(n - 1);
    d.g[mn] *= s;
    d.h[mn] *= s;
    float p = s;
    for (int m = 2; m <= n; ++m) {
      const float aa = (m == 2) ? 2.f : 1.f;
      p = p * std::sqrt(aa * float(n - m + 1) / float(n + m - 2));
      d.g[mn + m - 1] *= p;
      d.h[mn + m - 1] *= p;
    }
  }

  // Geocentric dipole axis from the degree-1 terms.
  const float g10 = -d.g[1];
  const float g11 = d.g[2];
  const float h11 = d.h[2];
  const float sq = g11 * g11 + h11 * h11;
  const float sqq = std::sqrt(sq);
  const float sqr = std::sqrt(g10 * g10 + sq);
  d.sl0 = -h11 / sqq;
  d.cl0 = -g11 / sqq;
  d.st0 = sqq / sqr;
  d.ct0 = g10 / sqr;
}

void warn_year(int iyear, int iy) {
  fortio::put_line("");
  fortio::put_line("");
  std::string line = " **** RECALC_08 WARNS: YEAR IS OUT OF INTERVAL 1965-2030: IYEAR=";
  fortio::put_i(line, iyear, 4);
  fortio::put_line(line);
  line = "      CALCULATIONS WILL BE DONE FOR IYEAR=";
  fortio::put_i(line, iy, 4);
  fortio::put_line(line);
  fortio::put_line("");
}

float dot(const float* a, const float* b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

}  // namespace

void sun_08(int iyear, int iday, int ihour, int min, int isec, float& gst, float& slong, float& srasn,
            float& sdec) {
  if (iyear < 1901 || iyear > 2099) return;
  const double rad = double(deg_per_rad);
  // Days since noon UT of 31 December 1899.
  const double fday = double(ihour * 3600 + min * 60 + isec) / 86400.0;
  const double dj = double(365 * (iyear - 1900) + (iyear - 1901) / 4 + iday) - 0.5 + fday;
  const float t = float(dj / 36525.0);  // Julian centuries
  const double vl = std::fmod(double(279.696678f) + double(0.9856473354f) * dj, 360.0);
  gst = float(std::fmod(double(279.690983f) + double(0.9856473354f) * dj + 360.0 * fday + 180.0, 360.0) / rad);
  const float g = float(std::fmod(double(358.475845f) + double(0.985600267f) * dj, 360.0) / rad);
  float sl = float((vl + double((1.91946f - 0.004789f * t) * std::sin(g)) + double(0.020094f * std::sin(2.f * g))) /
                   rad);
  if (sl > two_pi) {
    sl -= two_pi;
  } else if (sl < 0.f) {
    sl += two_pi;
  }
  slong = sl;
  const float obliq = (23.45229f - 0.0130125f * t) / deg_per_rad;
  const float sob = std::sin(obliq);
  const float slp = sl - 9.924E-5f;  // aberration
  const float sind = sob * std::sin(slp);
  const float cosd = std::sqrt(1.f - sind * sind);
  const float sc = sind / cosd;
  sdec = std::atan(sc);
  srasn = pi - std::atan2((std::cos(obliq) / sob) * sc, -std::cos(slp) / cosd);
}

void recalc_08(int iyear, int iday, int ihour, int min, int isec, float vgsex, float vgsey, float vgsez) {
  int iy = iyear;
  if (iyear < first_year) iy = first_year;
  if (iyear > last_year) iy = last_year;
  if (iy != iyear) warn_year(iyear, iy);

  date_state& d = date_cache;
  if (!d.valid || d.iy != iy || d.iday != iday) {
    compute_date_state(iy, iday, d);
    d.iy = iy;
    d.iday = iday;
    d.valid = true;
  }
  for (int k = 0; k < igrf_slot_count; ++k) {
    magfld2.g[k] = d.g[k];
    magfld2.h[k] = d.h[k];
    magfld2.rec[k] = rec_table[k];
  }

  magfld1_rec& f = magfld1;
  f.st0 = d.st0;
  f.ct0 = d.ct0;
  f.sl0 = d.sl0;
  f.cl0 = d.cl0;
  f.stcl = f.st0 * f.cl0;
  f.stsl = f.st0 * f.sl0;
  f.ctsl = f.ct0 * f.sl0;
  f.ctcl = f.ct0 * f.cl0;

  float gst = 0.f, slong = 0.f, srasn = 0.f, sdec = 0.f;
  sun_08(iy, iday, ihour, min, isec, gst, slong, srasn, sdec);
  // Unit vector to the sun in GEI: the GSE X axis.
  const float s[3] = {std::cos(srasn) * std::cos(sdec), std::sin(srasn) * std::cos(sdec), std::sin(sdec)};

  // Ecliptic pole (GSE Z) and GSE Y in GEI.
  const float dj =
      float(365 * (iy - 1900) + (iy - 1901) / 4 + iday) - 0.5f + float(ihour * 3600 + min * 60 + isec) / 86400.f;
  const float t = dj / 36525.f;
  const float obliq = (23.45229f - 0.0130125f * t) / deg_per_rad;
  const float dz[3] = {0.f, -std::sin(obliq), std::cos(obliq)};
  const float dy[3] = {dz[1] * s[2] - dz[2] * s[1], dz[2] * s[0] - dz[0] * s[2], dz[0] * s[1] - dz[1] * s[0]};

  // GSW X axis: against the solar-wind flow, turned from GSE into GEI.
  const float v = std::sqrt(vgsex * vgsex + vgsey * vgsey + vgsez * vgsez);
  float dx1 = 1.f, dx2 = 0.f, dx3 = 0.f;  // zero velocity: GSW = GSM
  if (v != 0.f) {
    dx1 = -vgsex / v;
    dx2 = -vgsey / v;
    dx3 = -vgsez / v;
  }
  const float x[3] = {dx1 * s[0] + dx2 * dy[0] + dx3 * dz[0], dx1 * s[1] + dx2 * dy[1] + dx3 * dz[1],
                      dx1 * s[2] + dx2 * dy[2] + dx3 * dz[2]};

  f.cgst = std::cos(gst);
  f.sgst = std::sin(gst);
  const float cgst = f.cgst, sgst = f.sgst;
  // Dipole axis in GEI.
  const float dip[3] = {f.stcl * cgst - f.stsl * sgst, f.stcl * sgst + f.stsl * cgst, f.ct0};

  float y[3] = {dip[1] * x[2] - dip[2] * x[1], dip[2] * x[0] - dip[0] * x[2], dip[0] * x[1] - dip[1] * x[0]};
  const float yy = std::sqrt(y[0] * y[0] + y[1] * y[1] + y[2] * y[2]);
  y[0] /= yy;
  y[1] /= yy;
  y[2] /= yy;
  const float z[3] = {x[1] * y[2] - x[2] * y[1], x[2] * y[0] - x[0] * y[2], x[0] * y[1] - x[1] * y[0]};

  f.e11 = dot(s, x);
  f.e12 = dot(s, y);
  f.e13 = dot(s, z);
  f.e21 = dot(dy, x);
  f.e22 = dot(dy, y);
  f.e23 = dot(dy, z);
  f.e31 = dot(dz, x);
  f.e32 = dot(dz, y);
  f.e33 = dot(dz, z);

  f.sps = dot(dip, x);
  f.cps = std::sqrt(1.f - f.sps * f.sps);
  f.psi = std::asin(f.sps);

  f.a11 = x[0] * cgst + x[1] * sgst;
  f.a12 = x[1] * cgst - x[0] * sgst;
  f.a13 = x[2];
  f.a21 = y[0] * cgst + y[1] * sgst;
  f.a22 = y[1] * cgst - y[0] * sgst;
  f.a23 = y[2];
  f.a31 = z[0] * cgst + z[1] * sgst;
  f.a32 = z[1] * cgst - z[0] * sgst;
  f.a33 = z[2];

  // MAG X and Y axes in GEI; SM shares its Y axis with GSW.
  const float exmagx = f.ct0 * (f.cl0 * cgst - f.sl0 * sgst);
  const float exmagy = f.ct0 * (f.cl0 * sgst + f.sl0 * cgst);
  const float exmagz = -f.st0;
  const float eymagx = -(f.sl0 * cgst + f.cl0 * sgst);
  const float eymagy = f.cl0 * cgst - f.sl0 * sgst;
  f.cfi = y[0] * eymagx + y[1] * eymagy;
  f.sfi = y[0] * exmagx + y[1] * exmagy + y[2] * exmagz;
}

}  // namespace magfield
