// Spherical <-> Cartesian coordinates of a point. Spherical: radius (length
// unit of the Cartesian point), colatitude teta (rad, 0 on +Z, pi on -Z),
// longitude phi (rad, from +X toward +Y).
#pragma once

namespace vuraruro {

// (r, teta, phi) -> (x, y, z).
void t_sph_to_car(float r, float teta, float phi, float& x, float& y, float& z);

// (x, y, z) -> (r, teta, phi), phi in -pi..pi. Longitudes a hair above -pi
// come out as +pi and a hair off 0 as 0; a point near the Z axis gets phi = 0
// and teta 0 or pi; the origin gives all zeros.
void t_car_to_sph(float x, float y, float z, float& r, float& teta, float& phi);

// Short entry points: same arguments, forwarded unchanged.
void tsphcar(float r, float teta, float phi, float& x, float& y, float& z);
void tcarsph(float x, float y, float z, float& r, float& teta, float& phi);

}  // namespace vuraruro
