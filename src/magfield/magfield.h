// Geomagnetic field library: epoch set-up with the IGRF-14 coefficients and
// the sun position (recalc_08, sun_08, records magfld1 / magfld2), its own
// frame rotations and coordinate conversions, and the internal field.
// Call recalc_08 for the wanted UT before anything else.
#pragma once

#include "magfield/epoch.h"
#include "magfield/frames.h"
#include "magfield/internal_field.h"
