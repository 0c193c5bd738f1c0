// Earth's internal magnetic field for the epoch of the last recalc_08: the
// IGRF spherical-harmonic series (to a degree that falls with distance) and
// the tilted centred dipole. Positions in Earth radii, fields in nT. No field
// is defined at the centre: there the routines return zero.
#pragma once

namespace magfield {

// IGRF field at a point in GSW, as GSW components.
void igrf_gsw_08(float xgsw, float ygsw, float zgsw,       // position, GSW, Earth radii
                 float& hxgsw, float& hygsw, float& hzgsw);  // field, GSW, nT

// IGRF field at a point in geographic spherical coordinates, as spherical
// components (radial, colatitudinal, azimuthal).
void igrf_geo_08(float r,      // geocentric distance, Earth radii
                 float theta,  // colatitude, radians
                 float phi,    // east longitude, radians
                 float& br, float& btheta, float& bphi);  // field, nT

// Field of the centred dipole (degree-1 moment, axis tilted by psi in the
// GSW X-Z plane) at a point in GSW.
void dip_08(float xgsw, float ygsw, float zgsw,       // position, GSW, Earth radii
            float& bxgsw, float& bygsw, float& bzgsw);  // field, GSW, nT

}  // namespace magfield
