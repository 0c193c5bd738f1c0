// Tests of the synthetic-data generator behind tools/make_sample.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

#include "../../tools/sample_orbit.h"
#include "common/testutil.h"
#include "fortio/fortio.h"

namespace {

using namespace sample_orbit;

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// Concatenated content of the files, in the order written.
std::string content_of(const std::vector<std::string>& files) {
  std::string all;
  for (const auto& f : files) all += testutil::read_file(f);
  return all;
}

double norm(const double v[3]) { return std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]); }

TEST(SampleRandom, Splitmix64MatchesReferenceSequence) {
  // First outputs of the reference splitmix64 seeded with 0 (Vigna's generator).
  splitmix64 rng(0);
  EXPECT_EQ(rng.next(), 0xE220A8397B1DCDAFULL);
  EXPECT_EQ(rng.next(), 0x6E789E6AA1B965F4ULL);
  EXPECT_EQ(rng.next(), 0x06C45D188009454FULL);
}

TEST(SampleRandom, GaussHasZeroMeanAndUnitVariance) {
  splitmix64 rng(12345);
  constexpr int n = 200000;
  double sum = 0.0, sum2 = 0.0, beyond2 = 0.0;
  for (int i = 0; i < n; ++i) {
    const double g = rng.gauss();
    sum += g;
    sum2 += g * g;
    if (std::fabs(g) > 2.0) ++beyond2;
  }
  const double mean = sum / n;
  EXPECT_NEAR(mean, 0.0, 0.01);
  EXPECT_NEAR(sum2 / n - mean * mean, 1.0, 0.01);
  // A normal law puts 4.55 % of its mass beyond two standard deviations.
  EXPECT_NEAR(beyond2 / n, 0.0455, 0.002);
}

TEST(SampleOrbit, PerigeeApogeeAndPeriod) {
  double rmin = 1e30, rmax = 0.0;
  for (double t = 0.0; t < period_s; t += 30.0) {
    double p[3];
    orbit_gei(t, 0, p);
    rmin = std::min(rmin, norm(p));
    rmax = std::max(rmax, norm(p));
  }
  EXPECT_NEAR(rmin / earth_radius_km, 4.0, 1e-3);
  EXPECT_NEAR(rmax / earth_radius_km, 19.6, 1e-3);

  const double times[] = {0.0, 1234.0, 0.37 * period_s, 3.0 * 86400.0 + 17.0};
  for (double t : times) {
    double p[3], q[3];
    orbit_gei(t, 0, p);
    orbit_gei(t + period_s, 0, q);
    for (int i = 0; i < 3; ++i) EXPECT_NEAR(p[i], q[i], 1e-4) << "t=" << t;
  }
}

TEST(SampleOrbit, PolarPlaneAndConstantArealVelocity) {
  // Angular momentum r x v is the same all along a Kepler orbit (second law),
  // and for a polar orbit it lies in the equatorial plane.
  const double ra = apogee_ra_deg * std::numbers::pi / 180.0;
  const double normal[3] = {-std::sin(ra), std::cos(ra), 0.0};
  double ref = 0.0;
  for (double t = 0.0; t < period_s; t += period_s / 37.0) {
    double a[3], b[3], p[3];
    orbit_gei(t - 0.5, 0, a);
    orbit_gei(t + 0.5, 0, b);
    orbit_gei(t, 0, p);
    const double v[3] = {b[0] - a[0], b[1] - a[1], b[2] - a[2]};
    const double h[3] = {p[1] * v[2] - p[2] * v[1], p[2] * v[0] - p[0] * v[2],
                         p[0] * v[1] - p[1] * v[0]};
    EXPECT_NEAR((p[0] * normal[0] + p[1] * normal[1]) / norm(p), 0.0, 1e-12);
    EXPECT_NEAR(h[2], 0.0, 1e-6 * norm(h));
    if (ref == 0.0) ref = norm(h);
    EXPECT_NEAR(norm(h), ref, 1e-5 * ref) << "t=" << t;
  }
}

TEST(SampleOrbit, SpacecraftTrailEachOtherByTheLag) {
  const double t = 5000.0;
  for (int sc = 1; sc < n_spacecraft; ++sc) {
    double p[3], q[3];
    orbit_gei(t, sc, p);
    orbit_gei(t - sc * lag_s, 0, q);
    for (int i = 0; i < 3; ++i) EXPECT_NEAR(p[i], q[i], 1e-6);
  }
}

TEST(SampleLayout, RecordLineReadsBackThroughFixedColumns) {
  const record rec{{-12.3456f, 0.0f, 45678.9f}, {-98765.4f, 1.5f, 123456.0f}};
  char iso[24];
  write_iso_time(iso, 2004, 9, 4, 12, 0, 4);
  char buf[line_stride + 8];
  char* end = write_record(buf, iso, rec, 2);
  ASSERT_EQ(end - buf, line_stride);
  const std::string_view line(buf, line_length);
  EXPECT_EQ(buf[line_length], '\n');
  EXPECT_EQ(line.substr(0, 24), "2004-09-04T12:00:04.000Z");
  EXPECT_EQ(line[24], ' ');
  EXPECT_EQ(line[109], ' ');
  EXPECT_EQ(line.substr(110, 2), "C3");
  const float expected[6] = {rec.b[0], rec.b[1], rec.b[2], rec.pos[0], rec.pos[1], rec.pos[2]};
  for (int i = 0; i < 6; ++i) {
    float v = 0.0f;
    ASSERT_EQ(fortio::read_f(line, 26 + 14 * i, 14, 6, v), fortio::read_ok) << i;
    // E14.6 keeps six significant digits.
    EXPECT_NEAR(v, expected[i], 5e-6f * std::fabs(expected[i])) << i;
  }
  EXPECT_EQ(line.substr(25, 14), " -0.123456E+02");
}

TEST(SampleFiles, NamesCountsAndDeterminism) {
  options opt;
  opt.out_dir = (testutil::temp_dir("sample_a")).string();
  opt.max_records = 4 * 50 + 2;  // 51, 51, 50, 50 lines
  opt.seed = 7;
  const auto files = write_files(opt);
  ASSERT_EQ(files.size(), 4u);
  const int expected_lines[4] = {51, 51, 50, 50};
  const char* expected_names[4] = {"C1_FGM_SPIN_20040901.txt", "C2_FGM_SPIN_20040901.txt",
                                   "C3_FGM_SPIN_20040901.txt", "C4_FGM_SPIN_20040901.txt"};
  for (int sc = 0; sc < 4; ++sc) {
    EXPECT_EQ(std::filesystem::path(files[sc]).filename().string(), expected_names[sc]);
    const auto lines = lines_of(testutil::read_file(files[sc]));
    EXPECT_EQ(static_cast<int>(lines.size()), expected_lines[sc]);
    for (const auto& l : lines) ASSERT_EQ(l.size(), static_cast<std::size_t>(line_length));
    EXPECT_EQ(lines[1].substr(0, 24), "2004-09-01T00:00:04.000Z");
  }

  options same = opt;
  same.out_dir = (testutil::temp_dir("sample_b")).string();
  EXPECT_EQ(content_of(write_files(same)), content_of(files));

  options other = same;
  other.seed = 8;
  EXPECT_NE(content_of(write_files(other)), content_of(files));
}

TEST(SampleFiles, PositionsAndFieldArePhysical) {
  // Without noise: the GSE position keeps the orbit's distance, and at 4 to
  // 19.6 Earth radii the field is nearly the centred dipole's, whose radial
  // component is -2 B0 cos(theta) / r^3 (theta from the northern dipole axis,
  // B0 about 30,000 nT in 2004), give or take the non-dipole terms and the
  // external field of at most about 25 nT. The dipole axis comes from the
  // coordinate library's own pole table, independent of the IGRF synthesis.
  options opt;
  opt.out_dir = (testutil::temp_dir("sample_c")).string();
  opt.max_records = 4 * 2000;
  opt.noise_nt = 0.0f;
  const auto files = write_files(opt);
  const double day_start = 86400.0 * (std::chrono::sys_days{std::chrono::year{2004} / 9 / 1} -
                                      orbit_epoch).count();
  for (int sc = 0; sc < 4; ++sc) {
    const auto lines = lines_of(testutil::read_file(files[sc]));
    for (std::size_t k = 0; k < lines.size(); k += 100) {
      float v[6];
      for (int i = 0; i < 6; ++i)
        ASSERT_EQ(fortio::read_f(lines[k], 26 + 14 * i, 14, 6, v[i]), fortio::read_ok);
      const int sec = 4 * static_cast<int>(k);
      double gei[3];
      orbit_gei(day_start + sec, sc, gei);
      const double r_km = std::sqrt(double(v[3]) * v[3] + double(v[4]) * v[4] + double(v[5]) * v[5]);
      EXPECT_NEAR(r_km, norm(gei), 1e-5 * norm(gei));

      vuraruro::cp_time_param(2004, 9, 1, sec / 3600, sec / 60 % 60, sec % 60);
      float dgei[3], dgeo[3], dgse[3];
      vuraruro::g_gei_geo_dipole_dir(dgei[0], dgei[1], dgei[2], dgeo[0], dgeo[1], dgeo[2]);
      vuraruro::t_gei_to_gse(dgei[0], dgei[1], dgei[2], dgse[0], dgse[1], dgse[2]);
      const double r = r_km / earth_radius_km;
      const double cos_theta = (dgse[0] * v[3] + dgse[1] * v[4] + dgse[2] * v[5]) / r_km;
      const double b_radial = (v[0] * v[3] + v[1] * v[4] + v[2] * v[5]) / r_km;
      const double b0 = 30000.0 / (r * r * r);
      EXPECT_NEAR(b_radial, -2.0 * b0 * cos_theta, 0.1 * b0 + 25.0)
          << "sc " << sc << " line " << k << " r " << r;
      const double b = std::sqrt(double(v[0]) * v[0] + double(v[1]) * v[1] + double(v[2]) * v[2]);
      EXPECT_GT(b, 0.95 * b0 - 25.0) << "sc " << sc << " line " << k << " r " << r;
      EXPECT_LT(b, 2.05 * b0 + 25.0) << "sc " << sc << " line " << k << " r " << r;
    }
  }
}

TEST(SampleFiles, NoiseHasTheRequestedSpread) {
  options clean;
  clean.out_dir = (testutil::temp_dir("sample_d")).string();
  clean.max_records = 4 * 500;
  clean.noise_nt = 0.0f;
  options noisy = clean;
  noisy.out_dir = (testutil::temp_dir("sample_e")).string();
  noisy.noise_nt = 2.0f;
  const auto a = lines_of(content_of(write_files(clean)));
  const auto b = lines_of(content_of(write_files(noisy)));
  ASSERT_EQ(a.size(), b.size());
  double sum2 = 0.0;
  int n = 0;
  for (std::size_t k = 0; k < a.size(); ++k) {
    EXPECT_EQ(a[k].substr(67), b[k].substr(67)) << "positions and tag do not get noise";
    for (int i = 0; i < 3; ++i) {
      float x = 0.0f, y = 0.0f;
      ASSERT_EQ(fortio::read_f(a[k], 26 + 14 * i, 14, 6, x), fortio::read_ok);
      ASSERT_EQ(fortio::read_f(b[k], 26 + 14 * i, 14, 6, y), fortio::read_ok);
      sum2 += (double(y) - x) * (double(y) - x);
      ++n;
    }
  }
  EXPECT_NEAR(std::sqrt(sum2 / n), 2.0, 0.1);
}

TEST(SampleFiles, MalformedLinesFailToReadAndOthersDoNot) {
  struct Case {
    long long malformed;
    long long expected;
  };
  const Case cases[] = {{0, 0}, {5, 5}, {1000, 120}};  // at most one per record
  for (const Case& c : cases) {
    options opt;
    opt.out_dir = (testutil::temp_dir("sample_f")).string();
    opt.max_records = 120;
    opt.malformed = c.malformed;
    const auto lines = lines_of(content_of(write_files(opt)));
    ASSERT_EQ(lines.size(), 120u);
    long long bad = 0;
    for (const auto& l : lines) {
      float v = 0.0f;
      int status = fortio::read_ok;
      for (int i = 0; i < 6 && status == fortio::read_ok; ++i)
        status = fortio::read_f(l, 26 + 14 * i, 14, 6, v);
      if (status != fortio::read_ok) ++bad;
    }
    EXPECT_EQ(bad, c.expected) << "asked for " << c.malformed;
  }
}

}  // namespace
