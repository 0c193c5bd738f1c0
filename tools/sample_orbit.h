// Synthetic magnetometer files for trying out and timing the grid builder.
//
// Four Cluster-like spacecraft fly one polar orbit of 4 x 19.6 Earth radii
// (perigee and apogee geocentric distances) with a 57-hour period, each a
// fixed lag behind the previous one. Every 4 seconds each spacecraft records
// its position and the field: the IGRF internal field of the field library,
// plus a simple external field (documented at external_field_gsm), plus
// Gaussian noise. Position and field are turned into GSE with the coordinate
// library, and each record is written with the measurement layout
// "(a24,1x,6E14.6,1x,a2)": ISO time, Bx By Bz (nT, GSE), X Y Z (km, GSE),
// spacecraft tag C1..C4. One file per spacecraft per day,
// C<n>_FGM_SPIN_YYYYMMDD.txt.
//
// The output depends only on the options: the noise comes from our own PRNG
// (splitmix64 + Box-Muller), not from <random>, whose distributions differ
// between standard libraries.
#pragma once

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <numbers>
#include <set>
#include <string>
#include <vector>

#include "fortio/fortio.h"
#include "magfield/magfield.h"
#include "vuraruro/time_param.h"
#include "vuraruro/transform.h"

namespace sample_orbit {

// ---------------------------------------------------------------------------
// Constants
// ---------------------------------------------------------------------------

constexpr double earth_radius_km = 6371.2;      // IGRF reference radius, km
constexpr double perigee_re = 4.0;              // geocentric, Earth radii
constexpr double apogee_re = 19.6;              // geocentric, Earth radii
constexpr double period_s = 57.0 * 3600.0;      // orbital period
constexpr double lag_s = 2.0 * 3600.0;          // each spacecraft trails the previous by this
constexpr double apogee_ra_deg = 340.0;         // apogee direction, right ascension in GEI
                                                // (antisunward in early September: tail season)
constexpr int record_step_s = 4;                // spin resolution of the files
constexpr int records_per_day = 86400 / record_step_s;
constexpr int n_spacecraft = 4;
constexpr int line_length = 112;                // one record without its line feed
constexpr int line_stride = line_length + 1;

// External field (GSM, nT): see external_field_gsm.
constexpr float tail_lobe_nt = 20.0f;           // lobe field of the tail current sheet
constexpr float sheet_half_thickness_re = 2.0f;
constexpr float tail_inner_edge_re = -8.0f;     // the sheet fades in tailward of this X
constexpr float tail_edge_width_re = 3.0f;
constexpr float uniform_bz_nt = 10.0f;          // field of the magnetopause currents

// Column (from 1) of the character that a malformed line turns into a letter:
// the second mantissa digit of Bx ("0.1x3457E+02"), which no reader accepts.
constexpr int malformed_column = 31;

// Orbit epoch: spacecraft C1 is at perigee at 2000-01-01T00:00:00 UT, so the
// orbit is the same whatever start date a run picks.
inline constexpr std::chrono::sys_days orbit_epoch{std::chrono::year{2000} / 1 / 1};

// ---------------------------------------------------------------------------
// Random numbers
// ---------------------------------------------------------------------------

// splitmix64 (Vigna): a 64-bit counter through a mixing function.
class splitmix64 {
 public:
  explicit splitmix64(std::uint64_t seed) : state_(seed) {}

  std::uint64_t next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }

  // Uniform in (0, 1]: 53 random bits, never 0 (Box-Muller takes its log).
  double uniform() { return (static_cast<double>(next() >> 11) + 1.0) * 0x1.0p-53; }

  // Standard normal deviate, Box-Muller; the second value of a pair is kept
  // for the next call.
  double gauss() {
    if (has_spare_) {
      has_spare_ = false;
      return spare_;
    }
    const double radius = std::sqrt(-2.0 * std::log(uniform()));
    const double angle = 2.0 * std::numbers::pi * uniform();
    spare_ = radius * std::sin(angle);
    has_spare_ = true;
    return radius * std::cos(angle);
  }

 private:
  std::uint64_t state_;
  double spare_ = 0.0;
  bool has_spare_ = false;
};

// ---------------------------------------------------------------------------
// Orbit and field
// ---------------------------------------------------------------------------

// Position of spacecraft sc (0..3) in GEI, km, t seconds after orbit_epoch.
// Kepler ellipse in the plane of the GEI Z axis and the apogee direction
// (polar orbit, line of apsides in the equator), run northward from perigee.
inline void orbit_gei(double t, int sc, double pos[3]) {
  constexpr double a = 0.5 * (perigee_re + apogee_re) * earth_radius_km;
  constexpr double e = (apogee_re - perigee_re) / (apogee_re + perigee_re);
  const double b = a * std::sqrt(1.0 - e * e);
  const double phase = std::fmod((t - sc * lag_s) / period_s, 1.0);
  const double mean_anomaly = 2.0 * std::numbers::pi * (phase < 0.0 ? phase + 1.0 : phase);
  // Newton on Kepler's equation E - e sin E = M; from E = pi it converges for any e < 1.
  double ecc_anomaly = std::numbers::pi;
  for (int i = 0; i < 50; ++i) {
    const double step = (ecc_anomaly - e * std::sin(ecc_anomaly) - mean_anomaly) /
                        (1.0 - e * std::cos(ecc_anomaly));
    ecc_anomaly -= step;
    if (std::fabs(step) < 1e-13) break;
  }
  const double along_apsides = a * (std::cos(ecc_anomaly) - e);  // toward perigee
  const double along_z = b * std::sin(ecc_anomaly);
  const double ra = apogee_ra_deg * std::numbers::pi / 180.0;
  pos[0] = -along_apsides * std::cos(ra);  // perigee lies opposite the apogee
  pos[1] = -along_apsides * std::sin(ra);
  pos[2] = along_z;
}

// External field at a point, GSM (Earth radii in, nT out): a Harris-like tail
// current sheet (lobes of +-tail_lobe_nt, sunward in the north lobe), present
// tailward of about X = -8 Earth radii, plus a uniform northward field
// standing for the magnetopause currents. Crude, but it gives the grids the
// stretched nightside that a real data set shows.
inline void external_field_gsm(float x, float /*y*/, float z, float& bx, float& by, float& bz) {
  const float taper = 0.5f * (1.0f - std::tanh((x - tail_inner_edge_re) / tail_edge_width_re));
  bx = tail_lobe_nt * std::tanh(z / sheet_half_thickness_re) * taper;
  by = 0.0f;
  bz = uniform_bz_nt;
}

// One record: field (nT) and position (km), both GSE.
struct record {
  float b[3];
  float pos[3];
};

// The record of spacecraft sc at t seconds after orbit_epoch, without noise.
// The frame state (cp_time_param) must be set for that instant and the field
// library's coefficients (recalc_08) for that day.
inline record true_record(double t, int sc) {
  double gei[3];
  orbit_gei(t, sc, gei);
  const float xgei = static_cast<float>(gei[0]);
  const float ygei = static_cast<float>(gei[1]);
  const float zgei = static_cast<float>(gei[2]);
  constexpr float re = static_cast<float>(earth_radius_km);

  record rec{};
  vuraruro::t_gei_to_gse(xgei, ygei, zgei, rec.pos[0], rec.pos[1], rec.pos[2]);

  // Internal field: IGRF in geographic spherical components, then GEO -> GSE.
  float xgeo, ygeo, zgeo;
  vuraruro::t_gei_to_geo(xgei / re, ygei / re, zgei / re, xgeo, ygeo, zgeo);
  float r, theta, phi;
  magfield::sphcar_08(r, theta, phi, xgeo, ygeo, zgeo, -1);
  float br, btheta, bphi;
  magfield::igrf_geo_08(r, theta, phi, br, btheta, bphi);
  float bxgeo, bygeo, bzgeo;
  magfield::bspcar_08(theta, phi, br, btheta, bphi, bxgeo, bygeo, bzgeo);
  float bint[3];
  vuraruro::t_geo_to_gse(bxgeo, bygeo, bzgeo, bint[0], bint[1], bint[2]);

  // External field, defined in GSM.
  float xgsm, ygsm, zgsm;
  vuraruro::t_gei_to_gsm(xgei / re, ygei / re, zgei / re, xgsm, ygsm, zgsm);
  float bxgsm, bygsm, bzgsm;
  external_field_gsm(xgsm, ygsm, zgsm, bxgsm, bygsm, bzgsm);
  float bext[3];
  vuraruro::t_gsm_to_gse(bxgsm, bygsm, bzgsm, bext[0], bext[1], bext[2]);

  for (int i = 0; i < 3; ++i) rec.b[i] = bint[i] + bext[i];
  return rec;
}

// ---------------------------------------------------------------------------
// Text layout
// ---------------------------------------------------------------------------

// Writes "YYYY-MM-DDTHH:MM:SS.000Z" (24 characters).
inline char* write_iso_time(char* p, int year, int month, int day, int hour, int minute,
                            int second) {
  p = fortio::write_i(p, year, 4, 4);
  *p++ = '-';
  p = fortio::write_i(p, month, 2, 2);
  *p++ = '-';
  p = fortio::write_i(p, day, 2, 2);
  *p++ = 'T';
  p = fortio::write_i(p, hour, 2, 2);
  *p++ = ':';
  p = fortio::write_i(p, minute, 2, 2);
  *p++ = ':';
  p = fortio::write_i(p, second, 2, 2);
  for (char c : std::string_view(".000Z")) *p++ = c;
  return p;
}

// Writes one record line with the layout (a24,1x,6E14.6,1x,a2) and its line
// feed; iso is the 24-character time.
inline char* write_record(char* p, const char* iso, const record& rec, int sc) {
  p = std::copy(iso, iso + 24, p);
  *p++ = ' ';
  for (float v : rec.b) p = fortio::write_e(p, v, 14, 6);
  for (float v : rec.pos) p = fortio::write_e(p, v, 14, 6);
  *p++ = ' ';
  *p++ = 'C';
  *p++ = static_cast<char>('1' + sc);
  *p++ = '\n';
  return p;
}

// ---------------------------------------------------------------------------
// Files
// ---------------------------------------------------------------------------

struct options {
  int year = 2004, month = 9, day = 1;  // first day (UT)
  int days = 1;                          // number of days
  std::string out_dir = ".";             // created when missing
  std::uint64_t seed = 1;
  long long max_records = -1;            // records in all, over every file; -1: no limit
  long long malformed = 0;               // lines with a letter in a number
  float noise_nt = 1.0f;                 // standard deviation of each field component, nT
};

// File name of spacecraft sc (0..3) for a day: C1_FGM_SPIN_20040904.txt.
inline std::string file_name(int sc, int year, int month, int day) {
  std::string name = "C?_FGM_SPIN_YYYYMMDD.txt";
  name[1] = static_cast<char>('1' + sc);
  char* p = fortio::write_i(name.data() + 12, year, 4, 4);
  p = fortio::write_i(p, month, 2, 2);
  fortio::write_i(p, day, 2, 2);
  return name;
}

// Number of records that the options ask for in all.
inline long long total_records(const options& opt) {
  const long long all = static_cast<long long>(opt.days) * records_per_day * n_spacecraft;
  return opt.max_records < 0 ? all : std::min(all, opt.max_records);
}

// Global indices (time-major: time step, then spacecraft) of the records that
// are written malformed: distinct, drawn uniformly from their own stream so
// that the other records do not change with their number. The grid builder
// skips the rest of a file after a bad line.
inline std::vector<long long> malformed_indices(const options& opt) {
  const long long total = total_records(opt);
  const long long n = std::min(opt.malformed, total);
  splitmix64 rng(opt.seed ^ 0x6D616C666F726D65ULL);
  std::set<long long> picked;
  while (static_cast<long long>(picked.size()) < n)
    picked.insert(static_cast<long long>(rng.next() % static_cast<std::uint64_t>(total)));
  return {picked.begin(), picked.end()};
}

// Writes the files of the options; returns their paths (out_dir/name) in the
// order written: day by day, C1 to C4. Records go in time order, the four
// spacecraft of one instant in turn, until the record limit.
inline std::vector<std::string> write_files(const options& opt) {
  using namespace std::chrono;
  std::vector<std::string> written;
  std::filesystem::create_directories(opt.out_dir);
  const long long total = total_records(opt);
  const std::vector<long long> bad = malformed_indices(opt);
  std::size_t next_bad = 0;
  splitmix64 noise(opt.seed);
  std::vector<char> buffer[n_spacecraft];
  for (auto& b : buffer) b.resize(static_cast<std::size_t>(records_per_day) * line_stride);

  const sys_days first = year{opt.year} / opt.month / opt.day;
  long long index = 0;
  for (int d = 0; d < opt.days && index < total; ++d) {
    const sys_days today = first + days{d};
    const year_month_day ymd{today};
    const int iy = static_cast<int>(ymd.year());
    const int imon = static_cast<int>(static_cast<unsigned>(ymd.month()));
    const int iday = static_cast<int>(static_cast<unsigned>(ymd.day()));
    const int idoy = (today - sys_days{ymd.year() / 1 / 1}).count() + 1;
    // The IGRF coefficients depend on the day only; the internal field is
    // synthesised in GEO, so the field library's frames are not needed.
    magfield::recalc_08(iy, idoy, 0, 0, 0, -400.0f, 0.0f, 0.0f);
    const double day_start = static_cast<double>((today - orbit_epoch).count()) * 86400.0;

    char* end[n_spacecraft];
    for (int sc = 0; sc < n_spacecraft; ++sc) end[sc] = buffer[sc].data();
    for (int k = 0; k < records_per_day && index < total; ++k) {
      const int sec = k * record_step_s;
      const int ih = sec / 3600, im = sec / 60 % 60, is = sec % 60;
      vuraruro::cp_time_param(iy, imon, iday, ih, im, is);
      char iso[24];
      write_iso_time(iso, iy, imon, iday, ih, im, is);
      for (int sc = 0; sc < n_spacecraft && index < total; ++sc, ++index) {
        record rec = true_record(day_start + sec, sc);
        for (float& b : rec.b) b += static_cast<float>(opt.noise_nt * noise.gauss());
        char* line = end[sc];
        end[sc] = write_record(line, iso, rec, sc);
        if (next_bad < bad.size() && bad[next_bad] == index) {
          line[malformed_column - 1] = 'x';
          ++next_bad;
        }
      }
    }

    for (int sc = 0; sc < n_spacecraft; ++sc) {
      const std::size_t size = static_cast<std::size_t>(end[sc] - buffer[sc].data());
      if (size == 0) continue;
      const std::string path =
          (std::filesystem::path(opt.out_dir) / file_name(sc, iy, imon, iday)).string();
      std::FILE* f = std::fopen(path.c_str(), "wb");
      if (!f) fortio::io_error("cannot create " + path);
      const bool ok = std::fwrite(buffer[sc].data(), 1, size, f) == size;
      if (std::fclose(f) != 0 || !ok) fortio::io_error("cannot write " + path);
      written.push_back(path);
    }
  }
  return written;
}

}  // namespace sample_orbit
