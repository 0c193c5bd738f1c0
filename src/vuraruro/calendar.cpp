#include "vuraruro/calendar.h"

#include <array>

#include "fortio/fortio.h"

namespace vuraruro {
namespace {

// Days of each month of a common year, January first.
constexpr std::array<int, 12> common_month_days = {31, 28, 31, 30, 31, 30,
                                                   31, 31, 30, 31, 30, 31};

// Days of a common year before the first of each month.
constexpr std::array<int, 12> common_days_before = [] {
  std::array<int, 12> before{};
  for (int m = 1; m < 12; ++m) before[m] = before[m - 1] + common_month_days[m - 1];
  return before;
}();

constexpr int month_days(int imonth, int ileap) {
  return imonth == 2 ? 28 + ileap : common_month_days[imonth - 1];
}

constexpr bool is_month(int imonth) { return imonth >= 1 && imonth <= 12; }

}  // namespace

void cp_leap_year(int iyear, int& ileap) {
  if (iyear < 1900) {
    fortio::print("*** Vuraruro/cp_leap_year: iyear= ", iyear);
    fortio::print("*** Vuraruro/cp_leap_year: iyear must be > 1900");
    fortio::stop("*** Vuraruro/cp_leap_year: iyear must be > 1900");
  }
  if (iyear % 100 == 0) {
    ileap = iyear % 400 == 0 ? 1 : 0;
  } else {
    ileap = iyear % 4 == 0 ? 1 : 0;
  }
}

void cp_nbday_in_month(int iyear, int imonth, int& nbday) {
  // The month is checked before the year, so a bad month wins over a bad year.
  if (!is_month(imonth)) {
    fortio::print("*** Vuraruro/cp_nbday_in_month: month= ", imonth);
    fortio::print("*** Vuraruro/cp_nbday_in_month: month must be >0 and <13");
    fortio::stop("*** Vuraruro/cp_nbday_in_month: month must be >0 and <13");
  }
  int ileap = 0;
  cp_leap_year(iyear, ileap);
  nbday = month_days(imonth, ileap);
}

void cv_date_to_doty(int iyear, int imonth, int iday, int& idoy) {
  // The year is checked first: a bad year wins over a bad month or day.
  int ileap = 0;
  cp_leap_year(iyear, ileap);
  if (!is_month(imonth)) {
    fortio::print("*** Vuraruro/cv_date_to_doty: imonth = ", imonth);
    fortio::print("*** Vuraruro/cv_date_to_doty: imonth must be >0 and <13");
    fortio::stop("*** Vuraruro/cv_date_to_doty: imonth must be >0 and <13");
  }
  const int length = month_days(imonth, ileap);
  if (iday > length) {
    fortio::print("*** Vuraruro/cv_date_to_doty: iday= ", iday);
    fortio::print("*** Vuraruro/cv_date_to_doty: this month has only", length, "days");
    fortio::stop("*** Vuraruro: error iday in cv_date_to_doty");
  }
  idoy = iday + common_days_before[imonth - 1] + (imonth > 2 ? ileap : 0);
}

void cv_doty_to_date(int idoy, int iyear, int& imonth, int& iday) {
  int ileap = 0;
  cp_leap_year(iyear, ileap);
  if (idoy > 365 && ileap == 0) {
    fortio::print("*** Vuraruro/cv_doty_to_date: idoy= ", idoy);
    fortio::print("*** Vuraruro/cv_doty_to_date: iyear not a leap year");
    fortio::print("                      no more than 365 day");
    fortio::stop("*** Vuraruro/cv_doty_to_date: iyear not a leap year");
  }
  if (idoy < 1) {
    fortio::print("*** Vuraruro/cv_doty_to_date: idoy= ", idoy);
    fortio::print("*** Vuraruro/cv_doty_to_date: idoy must be > 0");
    fortio::stop("*** Vuraruro/cv_doty_to_date: idoy must be > 0");
  }
  if (idoy <= 31) {
    imonth = 1;
    iday = idoy;
    return;
  }
  int before = 31;  // days up to the end of the previous month
  for (int m = 2; m <= 12; ++m) {
    const int end = before + month_days(m, ileap);
    if (end >= idoy) {
      imonth = m;
      iday = idoy - before;
      return;
    }
    if (m < 12) before = end;
  }
  // A day number beyond 366 in a leap year is outside the contract: it is
  // counted on from the start of December rather than left undefined.
  imonth = 12;
  iday = idoy - before;
}

void coleapy(int iyear, int& ileap) { cp_leap_year(iyear, ileap); }
void cnbdmon(int iyear, int imonth, int& nbday) { cp_nbday_in_month(iyear, imonth, nbday); }
void cdoyear(int iyear, int imonth, int iday, int& idoy) {
  cv_date_to_doty(iyear, imonth, iday, idoy);
}
void cdatdoy(int idoy, int iyear, int& imonth, int& iday) {
  cv_doty_to_date(idoy, iyear, imonth, iday);
}

}  // namespace vuraruro
