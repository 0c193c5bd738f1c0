// Leap years, month lengths and day-of-year conversions, checked against the
// Gregorian rule as implemented by std::chrono and against hand-counted days.
#include "vuraruro/calendar.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "common/testutil.h"

namespace vuraruro {
namespace {

namespace chr = std::chrono;

// Day of year from the standard library's civil calendar.
int reference_doy(int y, int m, int d) {
  const chr::sys_days date{chr::year{y} / chr::month{unsigned(m)} / chr::day{unsigned(d)}};
  const chr::sys_days jan1{chr::year{y} / chr::January / chr::day{1}};
  return int((date - jan1).count()) + 1;
}

TEST(LeapYear, CenturyAndQuadrennialRules) {
  struct Case {
    int year, leap;
  };
  const Case cases[] = {{1900, 0}, {1904, 1}, {1999, 0}, {2000, 1}, {2023, 0},
                        {2024, 1}, {2100, 0}, {2400, 1}, {2401, 0}};
  for (const Case& c : cases) {
    int ileap = -1;
    cp_leap_year(c.year, ileap);
    EXPECT_EQ(ileap, c.leap) << c.year;
    coleapy(c.year, ileap);
    EXPECT_EQ(ileap, c.leap) << "coleapy " << c.year;
  }
}

TEST(LeapYear, AgreesWithCivilCalendarOverFourCenturies) {
  for (int y = 1900; y <= 2300; ++y) {
    int ileap = -1;
    cp_leap_year(y, ileap);
    EXPECT_EQ(ileap == 1, chr::year{y}.is_leap()) << y;
  }
}

TEST(DaysInMonth, MatchesCivilCalendar) {
  for (int y : {1900, 2000, 2023, 2024, 2100}) {
    for (int m = 1; m <= 12; ++m) {
      int nbday = -1;
      cp_nbday_in_month(y, m, nbday);
      const auto last = chr::year_month_day_last{chr::year{y} / chr::month{unsigned(m)} / chr::last};
      EXPECT_EQ(nbday, int(unsigned(last.day()))) << y << "-" << m;
      int short_nb = -1;
      cnbdmon(y, m, short_nb);
      EXPECT_EQ(short_nb, nbday);
    }
  }
}

TEST(DaysInMonth, FebruaryTable) {
  struct Case {
    int year, days;
  };
  const Case cases[] = {{2024, 29}, {2023, 28}, {1900, 28}, {2000, 29}};
  for (const Case& c : cases) {
    int nbday = -1;
    cp_nbday_in_month(c.year, 2, nbday);
    EXPECT_EQ(nbday, c.days) << c.year;
  }
}

TEST(DateToDoy, EdgeCases) {
  struct Case {
    int year, month, day, doy;
  };
  const Case cases[] = {
      {2023, 1, 1, 1},    {2023, 12, 31, 365}, {2024, 12, 31, 366}, {2024, 2, 29, 60},
      {2023, 3, 1, 60},   {2024, 3, 1, 61},    {2023, 3, 0, 59},    {2023, 1, 0, 0},
      {2023, 1, -5, -5},  {1900, 3, 1, 60},    {2000, 3, 1, 61},    {2023, 2, 1, 32},
  };
  for (const Case& c : cases) {
    int idoy = -99;
    cv_date_to_doty(c.year, c.month, c.day, idoy);
    EXPECT_EQ(idoy, c.doy) << c.year << "-" << c.month << "-" << c.day;
    int short_doy = -99;
    cdoyear(c.year, c.month, c.day, short_doy);
    EXPECT_EQ(short_doy, c.doy);
  }
}

TEST(DoyToDate, EdgeCases) {
  struct Case {
    int doy, year, month, day;
  };
  const Case cases[] = {
      {1, 2023, 1, 1},    {31, 2023, 1, 31},   {32, 2023, 2, 1},    {59, 2023, 2, 28},
      {60, 2024, 2, 29},  {60, 2023, 3, 1},    {365, 2023, 12, 31}, {366, 2024, 12, 31},
      {335, 2024, 11, 30}, {336, 2024, 12, 1}, {31, 1900, 1, 31},   {60, 1900, 3, 1},
  };
  for (const Case& c : cases) {
    int m = -1, d = -1;
    cv_doty_to_date(c.doy, c.year, m, d);
    EXPECT_EQ(m, c.month) << c.doy << "/" << c.year;
    EXPECT_EQ(d, c.day) << c.doy << "/" << c.year;
    int sm = -1, sd = -1;
    cdatdoy(c.doy, c.year, sm, sd);
    EXPECT_EQ(sm, c.month);
    EXPECT_EQ(sd, c.day);
  }
}

TEST(DayOfYear, RoundTripEveryDateAgainstCivilCalendar) {
  for (int y = 1900; y <= 2100; ++y) {
    for (int m = 1; m <= 12; ++m) {
      int nbday = 0;
      cp_nbday_in_month(y, m, nbday);
      for (int d = 1; d <= nbday; ++d) {
        int idoy = 0;
        cv_date_to_doty(y, m, d, idoy);
        ASSERT_EQ(idoy, reference_doy(y, m, d)) << y << "-" << m << "-" << d;
        int m2 = 0, d2 = 0;
        cv_doty_to_date(idoy, y, m2, d2);
        ASSERT_EQ(m2, m) << y << " doy " << idoy;
        ASSERT_EQ(d2, d) << y << " doy " << idoy;
      }
    }
  }
}

// Inputs are by value: the same variable may be passed as input and output.
TEST(DayOfYear, InPlaceCallsWork) {
  int v = 2024;
  cp_leap_year(v, v);
  EXPECT_EQ(v, 1);
  int a = 2024, b = 2;
  cp_nbday_in_month(a, b, b);
  EXPECT_EQ(b, 29);
  int day = 15;
  cv_date_to_doty(2023, 2, day, day);
  EXPECT_EQ(day, 46);
}

struct FatalCase {
  const char* name;
  void (*call)();
  const char* stop_text;
  const char* stdout_text;
};

const FatalCase fatal_cases[] = {
    {"leap_year_1899", [] { int l; cp_leap_year(1899, l); },
     "*** Vuraruro/cp_leap_year: iyear must be > 1900",
     " *** Vuraruro/cp_leap_year: iyear= 1899\n"
     " *** Vuraruro/cp_leap_year: iyear must be > 1900\n"},
    {"leap_year_negative", [] { int l; coleapy(-4, l); },
     "*** Vuraruro/cp_leap_year: iyear must be > 1900",
     " *** Vuraruro/cp_leap_year: iyear= -4\n"
     " *** Vuraruro/cp_leap_year: iyear must be > 1900\n"},
    {"nbday_month_13_checked_before_year", [] { int n; cp_nbday_in_month(1850, 13, n); },
     "*** Vuraruro/cp_nbday_in_month: month must be >0 and <13",
     " *** Vuraruro/cp_nbday_in_month: month= 13\n"
     " *** Vuraruro/cp_nbday_in_month: month must be >0 and <13\n"},
    {"nbday_month_0", [] { int n; cnbdmon(2023, 0, n); },
     "*** Vuraruro/cp_nbday_in_month: month must be >0 and <13",
     " *** Vuraruro/cp_nbday_in_month: month= 0\n"
     " *** Vuraruro/cp_nbday_in_month: month must be >0 and <13\n"},
    {"nbday_year_1899", [] { int n; cp_nbday_in_month(1899, 5, n); },
     "*** Vuraruro/cp_leap_year: iyear must be > 1900",
     " *** Vuraruro/cp_leap_year: iyear= 1899\n"
     " *** Vuraruro/cp_leap_year: iyear must be > 1900\n"},
    {"date_to_doy_year_checked_first", [] { int d; cv_date_to_doty(1850, 13, 40, d); },
     "*** Vuraruro/cp_leap_year: iyear must be > 1900",
     " *** Vuraruro/cp_leap_year: iyear= 1850\n"
     " *** Vuraruro/cp_leap_year: iyear must be > 1900\n"},
    {"date_to_doy_month_13", [] { int d; cv_date_to_doty(2023, 13, 40, d); },
     "*** Vuraruro/cv_date_to_doty: imonth must be >0 and <13",
     " *** Vuraruro/cv_date_to_doty: imonth = 13\n"
     " *** Vuraruro/cv_date_to_doty: imonth must be >0 and <13\n"},
    {"date_to_doy_month_negative", [] { int d; cdoyear(2023, -1, 1, d); },
     "*** Vuraruro/cv_date_to_doty: imonth must be >0 and <13",
     " *** Vuraruro/cv_date_to_doty: imonth = -1\n"
     " *** Vuraruro/cv_date_to_doty: imonth must be >0 and <13\n"},
    {"date_to_doy_feb_29_common_year", [] { int d; cv_date_to_doty(2023, 2, 29, d); },
     "*** Vuraruro: error iday in cv_date_to_doty",
     " *** Vuraruro/cv_date_to_doty: iday= 29\n"
     " *** Vuraruro/cv_date_to_doty: this month has only 28 days\n"},
    {"date_to_doy_feb_30_leap_year", [] { int d; cv_date_to_doty(2024, 2, 30, d); },
     "*** Vuraruro: error iday in cv_date_to_doty",
     " *** Vuraruro/cv_date_to_doty: iday= 30\n"
     " *** Vuraruro/cv_date_to_doty: this month has only 29 days\n"},
    {"date_to_doy_april_31", [] { int d; cv_date_to_doty(2023, 4, 31, d); },
     "*** Vuraruro: error iday in cv_date_to_doty",
     " *** Vuraruro/cv_date_to_doty: iday= 31\n"
     " *** Vuraruro/cv_date_to_doty: this month has only 30 days\n"},
    {"doy_to_date_366_common_year", [] { int m, d; cv_doty_to_date(366, 2023, m, d); },
     "*** Vuraruro/cv_doty_to_date: iyear not a leap year",
     " *** Vuraruro/cv_doty_to_date: idoy= 366\n"
     " *** Vuraruro/cv_doty_to_date: iyear not a leap year\n"
     "                       no more than 365 day\n"},
    {"doy_to_date_0", [] { int m, d; cdatdoy(0, 2023, m, d); },
     "*** Vuraruro/cv_doty_to_date: idoy must be > 0",
     " *** Vuraruro/cv_doty_to_date: idoy= 0\n"
     " *** Vuraruro/cv_doty_to_date: idoy must be > 0\n"},
    {"doy_to_date_negative_leap_year", [] { int m, d; cv_doty_to_date(-3, 2024, m, d); },
     "*** Vuraruro/cv_doty_to_date: idoy must be > 0",
     " *** Vuraruro/cv_doty_to_date: idoy= -3\n"
     " *** Vuraruro/cv_doty_to_date: idoy must be > 0\n"},
    {"doy_to_date_year_checked_first", [] { int m, d; cv_doty_to_date(0, 1899, m, d); },
     "*** Vuraruro/cp_leap_year: iyear must be > 1900",
     " *** Vuraruro/cp_leap_year: iyear= 1899\n"
     " *** Vuraruro/cp_leap_year: iyear must be > 1900\n"},
};

class CalendarFatal : public ::testing::TestWithParam<FatalCase> {};

TEST_P(CalendarFatal, WritesMessagesAndStops) {
  const FatalCase& c = GetParam();
  EXPECT_STOP(c.call(), std::string(c.stop_text), std::string(c.stdout_text));
}

INSTANTIATE_TEST_SUITE_P(AllMessages, CalendarFatal, ::testing::ValuesIn(fatal_cases),
                         [](const ::testing::TestParamInfo<FatalCase>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
}  // namespace vuraruro
