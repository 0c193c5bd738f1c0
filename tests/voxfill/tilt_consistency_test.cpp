// The grid builder rejects a record when the dipole tilts of its two
// geophysical libraries differ by more than one degree. Each library has its
// own sun, sidereal time and dipole axis; over the whole span of the IGRF
// tables they must agree well inside that limit, or good records are lost.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "magfield/magfield.h"
#include "vuraruro/calendar.h"
#include "vuraruro/time_param.h"

namespace {

constexpr double deg = 3.14159265358979323846 / 180;

struct instant {
  int year, month, day, hour, min, sec;
};

TEST(tilt_consistency, both_libraries_agree_within_one_degree) {
  std::vector<instant> instants = {
      {1965, 1, 1, 0, 0, 0},     {1976, 6, 21, 17, 0, 0},  {1988, 12, 21, 5, 0, 0}, {2000, 2, 29, 12, 0, 0},
      {2004, 3, 20, 6, 49, 0},   {2020, 6, 20, 16, 50, 0}, {2021, 12, 21, 4, 50, 0}, {2024, 2, 29, 23, 59, 59},
      {2024, 12, 31, 23, 59, 59}, {2025, 1, 1, 0, 0, 0},  {2030, 12, 31, 12, 0, 0},
  };
  // And one instant of every year, spread over the calendar and the clock.
  for (int year = 1965; year <= 2030; ++year)
    instants.push_back({year, 1 + (year * 7) % 12, 1 + (year * 13) % 28, (year * 5) % 24, (year * 11) % 60, year % 60});

  double worst = 0;
  for (const instant& t : instants) {
    const std::string when = std::to_string(t.year) + "-" + std::to_string(t.month) + "-" + std::to_string(t.day) +
                             " " + std::to_string(t.hour) + ":" + std::to_string(t.min);
    int idoy = 0;
    float diptan = 0;
    testing::internal::CaptureStdout();  // either library may warn near the ends of its tables
    vuraruro::cp_time_param(t.year, t.month, t.day, t.hour, t.min, t.sec);
    vuraruro::g_gsm_dipole_tilt_angle(diptan);
    vuraruro::cdoyear(t.year, t.month, t.day, idoy);
    magfield::recalc_08(t.year, idoy, t.hour, t.min, t.sec, -400.f, 0.f, 0.f);
    testing::internal::GetCapturedStdout();
    const double diff = std::fabs(double(magfield::magfld1.psi) - double(diptan));
    worst = std::max(worst, diff);
    EXPECT_LT(diff, 1.0 * deg) << when << ": magfield " << magfield::magfld1.psi / deg << " deg, vuraruro "
                               << diptan / deg << " deg";
    EXPECT_GT(std::fabs(diptan), 0.f) << when;  // the coordinate library was really set up
  }
  RecordProperty("worst_difference_deg", std::to_string(worst / deg));
}

}  // namespace
