// Independent double-precision reference for the magfield tests: a reader of
// the published IGRF-14 table and a plain evaluation of the Schmidt
// semi-normalised potential, with the field taken as minus its numerical
// gradient. Nothing here shares code or method with the library.
#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace igrf_ref {

constexpr int max_degree = 13;

// Schmidt semi-normalised coefficients g(n,m), h(n,m) of one column, nT (or nT/yr).
struct model {
  double g[max_degree + 1][max_degree + 1] = {};
  double h[max_degree + 1][max_degree + 1] = {};
};

struct table {
  std::vector<std::string> labels;  // column headers: "1900.0" ... "2025.0", "2025-30"
  std::vector<model> columns;

  const model& epoch(int year) const {
    const std::string label = std::to_string(year) + ".0";
    for (std::size_t i = 0; i < labels.size(); ++i)
      if (labels[i] == label) return columns[i];
    throw std::runtime_error("no IGRF column " + label);
  }
  const model& secular_variation() const { return columns.back(); }
};

inline table load(const std::string& path = std::string(VOXFILL_DATA_DIR) + "/igrf14coeffs.txt") {
  std::ifstream in(path);
  if (!in) throw std::runtime_error("cannot open " + path);
  table t;
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream s(line);
    std::string kind;
    s >> kind;
    if (kind == "g/h") {
      std::string n, m, label;
      s >> n >> m;
      while (s >> label) t.labels.push_back(label);
      t.columns.resize(t.labels.size());
    } else if (kind == "g" || kind == "h") {
      int n = 0, m = 0;
      s >> n >> m;
      for (auto& col : t.columns) {
        double v = 0;
        s >> v;
        (kind == "g" ? col.g : col.h)[n][m] = v;
      }
      if (!s) throw std::runtime_error("short line: " + line);
    }
  }
  return t;
}

// (1 - f) a + f b, coefficient by coefficient.
inline model blend(const model& a, const model& b, double f) {
  model r;
  for (int n = 0; n <= max_degree; ++n)
    for (int m = 0; m <= n; ++m) {
      r.g[n][m] = (1 - f) * a.g[n][m] + f * b.g[n][m];
      r.h[n][m] = (1 - f) * a.h[n][m] + f * b.h[n][m];
    }
  return r;
}

// a + dt * sv, up to degree sv_degree.
inline model extrapolate(const model& a, const model& sv, double dt, int sv_degree) {
  model r = a;
  for (int n = 0; n <= sv_degree; ++n)
    for (int m = 0; m <= n; ++m) {
      r.g[n][m] += dt * sv.g[n][m];
      r.h[n][m] += dt * sv.h[n][m];
    }
  return r;
}

inline double factorial(int k) {
  double f = 1;
  for (int i = 2; i <= k; ++i) f *= i;
  return f;
}

inline double double_factorial(int k) {  // k!! for odd k, 1 for k <= 0
  double f = 1;
  for (int i = k; i > 1; i -= 2) f *= i;
  return f;
}

// Factor from a Schmidt semi-normalised to a Gauss-normalised coefficient:
// the Schmidt factor sqrt((2 - d_m0)(n-m)!/(n+m)!) times the Gauss leading
// factor (2n-1)!!/(n-m)! of P(n,m) relative to the plain associated function.
inline double gauss_factor(int n, int m) {
  if (n == 0) return 1;
  const double schmidt = std::sqrt((m == 0 ? 1.0 : 2.0) * factorial(n - m) / factorial(n + m));
  return schmidt * double_factorial(2 * n - 1) / factorial(n - m);
}

// Plain associated Legendre function P(n,m)(x) without the Condon-Shortley
// phase, by the textbook recurrence in n.
inline double legendre(int n, int m, double x) {
  const double s = std::sqrt(std::max(0.0, 1 - x * x));
  double pmm = 1;
  for (int i = 1; i <= m; ++i) pmm *= (2 * i - 1) * s;
  if (n == m) return pmm;
  double p1 = x * (2 * m + 1) * pmm;  // P(m+1, m)
  if (n == m + 1) return p1;
  double p0 = pmm;
  for (int k = m + 2; k <= n; ++k) {
    const double pk = (x * (2 * k - 1) * p1 - (k + m - 1) * p0) / (k - m);
    p0 = p1;
    p1 = pk;
  }
  return p1;
}

// Scalar potential in nT times Earth radii at (x, y, z) in GEO, Earth radii,
// summed to degree nmax.
inline double potential(const model& c, int nmax, double x, double y, double z) {
  const double r = std::sqrt(x * x + y * y + z * z);
  const double ct = z / r;
  const double phi = std::atan2(y, x);
  double v = 0;
  for (int n = 1; n <= nmax; ++n) {
    double vn = 0;
    for (int m = 0; m <= n; ++m) {
      const double schmidt = std::sqrt((m == 0 ? 1.0 : 2.0) * factorial(n - m) / factorial(n + m));
      vn += (c.g[n][m] * std::cos(m * phi) + c.h[n][m] * std::sin(m * phi)) * schmidt * legendre(n, m, ct);
    }
    v += vn * std::pow(1 / r, n + 1);
  }
  return v;
}

// Field in GEO Cartesian components, nT: minus the gradient of the
// potential by fourth-order central differences.
inline std::array<double, 3> field_geo(const model& c, int nmax, double x, double y, double z) {
  const double step = 1e-4;
  std::array<double, 3> b{};
  for (int i = 0; i < 3; ++i) {
    auto at = [&](double d) {
      double p[3] = {x, y, z};
      p[i] += d;
      return potential(c, nmax, p[0], p[1], p[2]);
    };
    b[i] = -(8 * (at(step) - at(-step)) - (at(2 * step) - at(-2 * step))) / (12 * step);
  }
  return b;
}

// Cartesian GEO components at colatitude theta, longitude phi to (br, btheta, bphi).
inline std::array<double, 3> to_spherical(const std::array<double, 3>& b, double theta, double phi) {
  const double st = std::sin(theta), ct = std::cos(theta), sp = std::sin(phi), cp = std::cos(phi);
  return {b[0] * st * cp + b[1] * st * sp + b[2] * ct, b[0] * ct * cp + b[1] * ct * sp - b[2] * st,
          -b[0] * sp + b[1] * cp};
}

// (br, btheta, bphi) at colatitude theta, longitude phi to Cartesian GEO components.
inline std::array<double, 3> to_cartesian(const std::array<double, 3>& s, double theta, double phi) {
  const double st = std::sin(theta), ct = std::cos(theta), sp = std::sin(phi), cp = std::cos(phi);
  const double be = s[0] * st + s[1] * ct;
  return {be * cp - s[2] * sp, be * sp + s[2] * cp, s[0] * ct - s[1] * st};
}

inline double norm(const std::array<double, 3>& v) { return std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]); }

}  // namespace igrf_ref
