// Gregorian calendar core: leap years, month lengths, and day of year in
// both directions. Every routine stops the program with a fixed message on a
// bad year (before 1900), month, day or day number; none returns an error.
#pragma once

namespace vuraruro {

// Leap flag of a year (1900 or later): 1 for a leap year, 0 otherwise.
void cp_leap_year(int iyear, int& ileap);

// Number of days of a month (1-12) of a year (1900 or later).
void cp_nbday_in_month(int iyear, int imonth, int& nbday);

// Day of year (1 = 1 January) of a date. The day of month has no lower check:
// 0 or below is counted as it stands (e.g. 2023-03-00 gives 59).
void cv_date_to_doty(int iyear, int imonth, int iday, int& idoy);

// Month and day of month of a day of year; the day of year comes first.
void cv_doty_to_date(int idoy, int iyear, int& imonth, int& iday);

// Short entry points: same arguments, forwarded unchanged.
void coleapy(int iyear, int& ileap);
void cnbdmon(int iyear, int imonth, int& nbday);
void cdoyear(int iyear, int imonth, int iday, int& idoy);
void cdatdoy(int idoy, int iyear, int& imonth, int& iday);

}  // namespace vuraruro
