#include "vuraruro/spherical.h"

#include <cmath>

namespace vuraruro {
namespace {

constexpr float pi_f = 3.1415927f;
// atan2 results in (-pi_snap_lo, -pi_snap_hi) are taken as +pi, so that a
// point just below the -X axis keeps the conventional longitude +pi.
constexpr float pi_snap_lo = 3.1415944f;
constexpr float pi_snap_hi = 3.141575f;
// Longitudes within 1e-4 degree of zero are taken as exactly zero.
constexpr float zero_snap = 1.7453292e-6f;
// Threshold on (squared distance from the Z axis) / r below which a point
// counts as lying on the axis.
constexpr float on_axis = 1.7e-6f;
constexpr float tiny_radius = 1e-30f;

}  // namespace

void t_sph_to_car(float r, float teta, float phi, float& x, float& y, float& z) {
  const float st = std::sin(teta);
  x = r * st * std::cos(phi);
  y = r * st * std::sin(phi);
  z = r * std::cos(teta);
}

void t_car_to_sph(float x, float y, float z, float& r, float& teta, float& phi) {
  teta = 0.0f;
  phi = 0.0f;
  const float sq = x * x + y * y;
  r = std::sqrt(z * z + sq);
  if (r < tiny_radius) return;
  if (sq / r > on_axis) {
    phi = std::atan2(y, x);
    if (phi > -pi_snap_lo && phi < -pi_snap_hi) {
      phi = pi_f;
    } else if (phi > -zero_snap && phi < zero_snap) {
      phi = 0.0f;
    }
    teta = std::acos(z / r);
  } else if (z < 0.0f) {
    teta = pi_f;
  }
}

void tsphcar(float r, float teta, float phi, float& x, float& y, float& z) {
  t_sph_to_car(r, teta, phi, x, y, z);
}
void tcarsph(float x, float y, float z, float& r, float& teta, float& phi) {
  t_car_to_sph(x, y, z, r, teta, phi);
}

}  // namespace vuraruro
