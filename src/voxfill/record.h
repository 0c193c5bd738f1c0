// Record processing: one measurement (time, GSE field and position) becomes a
// contribution to one cell of the grids, or is dropped.
#pragma once

#include <string_view>

#include "voxfill/run_state.h"

namespace voxfill {

// Earth radius used by the grid builder, km.
inline constexpr float earth_radius_km = 6372.2f;
// Radial range of the kept measurements, Earth radii.
inline constexpr float r_min = 1.1f;
inline constexpr float r_max = 25.0f;
// Largest accepted difference between the two libraries' dipole tilts, degrees.
inline constexpr float tilt_tolerance_deg = 1.0f;

// Read statuses of a record whose time or date cannot be used, after the
// fixed-column read statuses of fortio (1 to 4).
enum record_status : int {
  status_year = 5,   // year outside 1901-2099 (the sun-position formulas' range)
  status_month = 6,  // month outside 1-12
  status_day = 7,    // day beyond the length of its month
};

// Decodes the time columns of a record, layout (i4,5(1x,i2)): year in 1-4,
// month 6-7, day 9-10, hour 12-13, minute 15-16, second 18-19. Returns 0 or
// the fortio read status of the first field that does not hold an integer.
int decode_time(std::string_view datiso, record_time& t);

// Returns 0 when the coordinate library's time set-up accepts the date
// without stopping, else the status of the first refused item (year, month,
// day). Hour, minute and second are not checked: no two-column value of them
// can make the set-up stop.
int check_date(const record_time& t);

// Tilt class 1..9 of a dipole tilt in degrees; a value outside 1..9 means the
// tilt is beyond +-45 degrees.
int tilt_class(float diptan);

// Kp class 1..5 of a Kp code (0 to 28).
int kp_class(int kp);

// Cell index, counted from 1, of coordinate p on an axis starting at lo with
// cells of edge d; single precision as the binning has always done it.
int cell_index(float p, float lo, float d);

// True when the two libraries' dipole tilts (degrees) differ by at most the
// tolerance.
bool tilts_agree(float diptan, float tdiptan);

// Dipole tilt of the geomagnetic field library's current state, radians.
void gdiptil(float& ps);

// Processes one record whose time passed check_date: frame set-up, GSE to GSM,
// radial range, optional IGRF subtraction with the tilt check, Kp and tilt
// classes, cell, binning; with the run's messages and counters.
// Field in nT, position in km, both GSE.
void process_record(run_state& st, const record_time& t, float bx, float by, float bz, float px, float py,
                    float pz);

}  // namespace voxfill
