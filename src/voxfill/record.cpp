#include "voxfill/record.h"

#include <cmath>

#include "fortio/fortio.h"
#include "magfield/magfield.h"
#include "vuraruro/calendar.h"
#include "vuraruro/time_param.h"
#include "vuraruro/transform.h"

namespace voxfill {

namespace {

// Pi as the tilt conversions have always used it, for both libraries' tilts.
constexpr float pi_for_degrees = 3.14159f;
// Solar-wind velocity handed to the field library, GSE, km/s: along -X, so
// that its GSW frame is the GSM frame.
constexpr float vgsex = -400.0f, vgsey = 0.0f, vgsez = 0.0f;

// Years whose set-ups write no warning line, so that a repeated instant may
// reuse the state: the dipole table of the coordinate library ends in 2025,
// the field library's tables cover 1965-2030.
bool frame_setup_silent(int iyear) { return iyear > 1900 && iyear < 2025; }
bool field_setup_silent(int iyear) { return iyear >= 1965 && iyear <= 2030; }

void set_frame_state(setup_memo& memo, const record_time& t) {
  if (memo.frame_valid && memo.frame_time == t) return;
  vuraruro::ctimpar(t.iyear, t.imon, t.iday, t.ih, t.im, t.is);
  memo.frame_valid = frame_setup_silent(t.iyear);
  memo.frame_time = t;
}

void set_field_state(setup_memo& memo, const record_time& t) {
  if (memo.field_valid && memo.field_time == t) return;
  if (!memo.doy_valid || memo.doy_time.iyear != t.iyear || memo.doy_time.imon != t.imon ||
      memo.doy_time.iday != t.iday) {
    vuraruro::cdoyear(t.iyear, t.imon, t.iday, memo.idoty);
    memo.doy_valid = true;
    memo.doy_time = t;
  }
  magfield::recalc_08(t.iyear, memo.idoty, t.ih, t.im, t.is, vgsex, vgsey, vgsez);
  memo.field_valid = field_setup_silent(t.iyear);
  memo.field_time = t;
}

}  // namespace

int decode_time(std::string_view datiso, record_time& t) {
  int* const fields[] = {&t.iyear, &t.imon, &t.iday, &t.ih, &t.im, &t.is};
  constexpr int cols[] = {1, 6, 9, 12, 15, 18};
  constexpr int widths[] = {4, 2, 2, 2, 2, 2};
  for (int i = 0; i < 6; ++i) {
    const int st = fortio::read_i(datiso, cols[i], widths[i], *fields[i]);
    if (st != fortio::read_ok) return st;
  }
  return 0;
}

int check_date(const record_time& t) {
  // The set-up stops below 1900 (calendar) and outside 1901-2099 (sun
  // position); month and day are checked by the calendar, which has no lower
  // bound on the day.
  if (t.iyear < 1901 || t.iyear > 2099) return status_year;
  if (t.imon < 1 || t.imon > 12) return status_month;
  // Year and month are valid here, so the calendar cannot stop.
  int length = 0;
  vuraruro::cp_nbday_in_month(t.iyear, t.imon, length);
  if (t.iday > length) return status_day;
  return 0;
}

int tilt_class(float diptan) {
  int kdta;
  if (diptan > 0.0f) {
    kdta = static_cast<int>((diptan + 5.0f) / 10.0f);
  } else {
    kdta = -static_cast<int>((5.0f - diptan) / 10.0f);
  }
  return kdta + 5;
}

int kp_class(int kp) {
  const int kp4 = kp / 4 + 1;
  return kp4 > 5 ? 5 : kp4;
}

int cell_index(float p, float lo, float d) { return static_cast<int>(std::floor((p - lo) / d)) + 1; }

bool tilts_agree(float diptan, float tdiptan) { return !(std::fabs(diptan - tdiptan) > tilt_tolerance_deg); }

void gdiptil(float& ps) { ps = magfield::magfld1.psi; }

void process_record(run_state& st, const record_time& t, float bx, float by, float bz, float px, float py,
                    float pz) {
  // Frame state for the record's instant, then GSE to GSM.
  set_frame_state(st.memo, t);
  float pxg, pyg, pzg, bxg, byg, bzg;
  vuraruro::t_gse_to_gsm(px, py, pz, pxg, pyg, pzg);
  vuraruro::t_gse_to_gsm(bx, by, bz, bxg, byg, bzg);
  float diptan;
  vuraruro::g_gsm_dipole_tilt_angle(diptan);
  diptan = diptan * 180.0f / pi_for_degrees;

  pxg = pxg / earth_radius_km;
  pyg = pyg / earth_radius_km;
  pzg = pzg / earth_radius_km;
  const float r = std::sqrt(pxg * pxg + pyg * pyg + pzg * pzg);
  if (r > r_max || r < r_min) return;

  ++st.nt;
  ++st.ntot;

  if (st.sigrf) {
    set_field_state(st.memo, t);
    float tdiptan;
    gdiptil(tdiptan);
    tdiptan = 180.0f * tdiptan / pi_for_degrees;
    if (!tilts_agree(diptan, tdiptan)) {
      ++st.nblorej;
      fortio::print("*** dipta, Tdiptan,diff=", diptan, tdiptan, diptan - tdiptan);
      fortio::print("*** block rejected :", st.nblorej, " /", st.nbvec);
      return;
    }
    float hxgsw, hygsw, hzgsw;
    magfield::igrf_gsw_08(pxg, pyg, pzg, hxgsw, hygsw, hzgsw);
    bxg -= hxgsw;
    byg -= hygsw;
    bzg -= hzgsw;
  }

  int kp4 = 1;
  if (st.kp_on) {
    int code;
    if (st.kp_idx.find(t.iyear, t.imon, t.iday, t.ih, code)) st.kp = code;
    kp4 = kp_class(st.kp);
  }

  const int idta = tilt_class(diptan);
  st.nbdta = nb_tilt_classes;
  if (idta < 1 || idta > nb_tilt_classes) {
    fortio::print("**** idta=", idta, "  anormal!!!");
    ++st.nerrd;
    return;
  }

  const geometry& g = st.geo;
  const int igx = cell_index(pxg, g.x1, g.dx);
  const int igy = cell_index(pyg, g.y1, g.dy);
  const int igz = cell_index(pzg, g.z1, g.dz);

  if (st.nt <= 5 && st.nf <= 4) {
    fortio::print("record #", st.nt, " igx,igy,igz=", igx, igy, igz, "  idta,Kp,kp4=", idta, st.kp, kp4);
  }

  if (igx < 1 || igx > g.nx || igy < 1 || igy > g.ny || igz < 1 || igz > g.nz) return;

  const std::size_t c = g.cell(igx, igy, igz, idta, kp4);
  ++st.nvalb[c];
  st.mark_binned(c);
  if (st.nt == 7) fortio::print("Reading file...");
  float* sums = &st.gridb[c * nb_components];
  sums[0] += bxg;
  sums[1] += byg;
  sums[2] += bzg;
  const float b0 = std::sqrt(bxg * bxg + byg * byg + bzg * bzg);
  sums[3] += b0;
}

}  // namespace voxfill
