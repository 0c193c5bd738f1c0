#include "fortio/fortio.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "testutil.h"

namespace {

using fortio::free_line;

// ---------------------------------------------------------------------------
// Free-format lines
// ---------------------------------------------------------------------------

TEST(FreeLine, TextAndNumbersAreSeparatedOnce) {
  struct Case {
    std::string got, want;
  } cases[] = {
      {free_line("Kp_on ?(Yes or No)"), " Kp_on ?(Yes or No)"},
      {free_line("   "), "    "},
      {free_line("nx,ny,nz=", 160, 160, 160), " nx,ny,nz= 160 160 160"},
      {free_line("*** Vuraruro/cp_leap_year: iyear= ", 1899), " *** Vuraruro/cp_leap_year: iyear= 1899"},
      {free_line("this month has only", 28, "days"), " this month has only 28 days"},
      {free_line("record #", 3, " cannot be read"), " record # 3 cannot be read"},
      {free_line(-7), " -7"},
      {free_line(std::int64_t{5000000000}), " 5000000000"},
      {free_line("a", "b"), " ab"},
      {free_line(std::string("name"), " nf, nt=", 1, 0, "*** empty file"), " name nf, nt= 1 0 *** empty file"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.got, c.want);
}

TEST(FreeLine, RealsUseShortestRoundTripDigits) {
  struct Case {
    std::string got, want;
  } cases[] = {
      {free_line(33.7f), " 33.7"},
      {free_line(0.0f), " 0"},
      {free_line(-280.46f), " -280.46"},
      {free_line(0.001f), " 0.001"},
      {free_line(1234567.0f), " 1234567"},
      {free_line(12345678.0f), " 1.2345678e+07"},
      {free_line(1.0e30f), " 1e+30"},
      {free_line(1.5e-7f), " 1.5e-07"},
      {free_line(0.1), " 0.1"},
      {free_line(0.1f, 0.2f), " 0.1 0.2"},
      {free_line("diff=", 1.5f, "deg"), " diff= 1.5 deg"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.got, c.want);
  // Every float written reads back to itself.
  for (float v : {3.14159265f, -1.0e-20f, 6372.2f, 1.1754944e-38f, 3.4028235e38f}) {
    const std::string s = free_line(v).substr(1);
    EXPECT_EQ(std::stof(s), v) << s;
  }
}

// ---------------------------------------------------------------------------
// Edit descriptors
// ---------------------------------------------------------------------------

TEST(EditDescriptors, E13_5) {
  struct Case {
    double v;
    const char* want;
  } cases[] = {
      {1.0e30f, "  0.10000E+31"},
      {3.0f, "  0.30000E+01"},
      {-2.5f, " -0.25000E+01"},
      {0.0f, "  0.00000E+00"},
      {-0.0f, " -0.00000E+00"},
      {5.0f, "  0.50000E+01"},
      {10.0f, "  0.10000E+02"},
      {123456.0f, "  0.12346E+06"},    // rounds up
      {123454.0f, "  0.12345E+06"},    // rounds down
      {0.999996f, "  0.10000E+01"},    // carry into the exponent
      {1.0e-5f, "  0.10000E-04"},
      {3.4028235e38f, "  0.34028E+39"},
      {-1.1754944e-38f, " -0.11755E-37"},
      {0.125, "  0.12500E+00"},
      {1.0e100, "  0.10000+101"},      // three-digit exponent drops the E
  };
  for (const auto& c : cases) {
    std::string s;
    fortio::put_e(s, c.v, 13, 5);
    EXPECT_EQ(s, c.want) << c.v;
  }
}

TEST(EditDescriptors, RoundingIsOfTheExactBinaryValue) {
  // 0.15f is 0.1500000059604644775390625: rounds up although it looks like a tie.
  // 2.5 and 3.5 are exact ties: to the even digit.
  struct Case {
    double v;
    int w, d;
    const char* want;
  } cases[] = {
      {0.15f, 8, 1, " 0.2E+00"}, {0.15, 8, 1, " 0.1E+00"}, {2.5, 8, 1, " 0.2E+01"},
      {3.5, 8, 1, " 0.4E+01"},   {0.25, 5, 1, "  0.2"},        {0.35f, 5, 1, "  0.3"},
  };
  for (const auto& c : cases) {
    std::string s;
    if (c.want[std::strlen(c.want) - 4] == 'E')
      fortio::put_e(s, c.v, c.w, c.d);
    else
      fortio::put_f(s, c.v, c.w, c.d);
    EXPECT_EQ(s, c.want) << c.v;
  }
}

TEST(EditDescriptors, OtherDescriptors) {
  struct Case {
    std::string got;
    const char* want;
  };
  auto I = [](long long v, int w) { std::string s; fortio::put_i(s, v, w); return s; };
  auto Im = [](long long v, int w, int m) { std::string s; fortio::put_i(s, v, w, m); return s; };
  auto A = [](std::string_view t, int w) { std::string s; fortio::put_a(s, t, w); return s; };
  auto F = [](double v, int w, int d) { std::string s; fortio::put_f(s, v, w, d); return s; };
  auto P = [](double v, int w, int d) { std::string s; fortio::put_1pe(s, v, w, d); return s; };
  auto E = [](double v, int w, int d) { std::string s; fortio::put_e(s, v, w, d); return s; };
  const Case cases[] = {
      {I(160, 8), "     160"},
      {I(-42, 4), " -42"},
      {I(0, 3), "  0"},
      {I(12345, 4), "****"},
      {I(-100, 3), "***"},
      {Im(7, 2, 2), "07"},
      {Im(7, 3, 2), " 07"},
      {Im(120, 3, 3), "120"},
      {Im(5, 4, 3), " 005"},
      {Im(-5, 4, 3), "-005"},
      {Im(0, 3, 0), "   "},
      {A("Kp", 4), "  Kp"},
      {A("abcdef", 3), "abc"},
      {F(3.3f, 4, 1), " 3.3"},
      {F(-0.04, 5, 1), " -0.0"},
      {F(0.5, 3, 1), "0.5"},
      {F(0.5, 2, 1), ".5"},
      {F(12345.678, 15, 4), "     12345.6780"},
      {F(123.45, 5, 2), "*****"},
      {F(std::numeric_limits<double>::infinity(), 15, 4), "       Infinity"},
      {P(6372.2f, 15, 5), "    6.37220E+03"},
      {P(-0.000123, 12, 3), "  -1.230E-04"},
      {P(0.0, 10, 2), "  0.00E+00"},
      {P(9.9999, 10, 2), "  1.00E+01"},
      {E(-0.1, 11, 5), "-.10000E+00"},  // the optional zero goes first
      {E(-0.1, 10, 5), "**********"},
      {E(std::nan(""), 13, 5), "          NaN"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.got, c.want);
}

TEST(EditDescriptors, CharFormsWriteExactlyTheWidth) {
  char buf[64];
  std::memset(buf, '#', sizeof buf);
  char* p = fortio::write_e(buf, 1.5f, 13, 5);
  p = fortio::write_i(p, 2, 8);
  EXPECT_EQ(p - buf, 21);
  EXPECT_EQ(std::string(buf, 22), "  0.15000E+01       2#");
}

// ---------------------------------------------------------------------------
// Fixed-column reads
// ---------------------------------------------------------------------------

TEST(Reads, Integers) {
  struct Case {
    const char* line;
    int col, w;
    int status, value;
  } cases[] = {
      {"2004-09-04T12", 1, 4, fortio::read_ok, 2004},
      {"2004-09-04T12", 6, 2, fortio::read_ok, 9},
      {"2004-09-04T12", 12, 2, fortio::read_ok, 12},
      {" 1 2", 1, 4, fortio::read_ok, 12},         // blanks inside are ignored
      {"    ", 1, 4, fortio::read_ok, 0},          // all blank is 0
      {"12", 1, 4, fortio::read_ok, 12},           // short line: blank-filled
      {"", 5, 2, fortio::read_ok, 0},
      {"  -7", 1, 4, fortio::read_ok, -7},
      {"+15", 1, 3, fortio::read_ok, 15},
      {"0a", 1, 2, fortio::read_bad_integer, 0},
      {"1.5", 1, 3, fortio::read_bad_integer, 0},
      {"1-2", 1, 3, fortio::read_bad_integer, 0},
      {" - ", 1, 3, fortio::read_bad_integer, 0},
      {"2147483647", 1, 10, fortio::read_ok, 2147483647},
      {"-2147483648", 1, 11, fortio::read_ok, -2147483647 - 1},
      {"2147483648", 1, 10, fortio::read_overflow, 0},
      {"99999999999999999999", 1, 20, fortio::read_overflow, 0},
  };
  for (const auto& c : cases) {
    int v = -12345;
    EXPECT_EQ(fortio::read_i(c.line, c.col, c.w, v), c.status) << c.line;
    if (c.status == fortio::read_ok) EXPECT_EQ(v, c.value) << c.line;
    else EXPECT_EQ(v, -12345) << "value left alone on error: " << c.line;
  }
}

TEST(Reads, Reals) {
  struct Case {
    const char* text;
    int d;
    int status;
    float value;
  } cases[] = {
      {"  0.123456E+02", 6, fortio::read_ok, 12.3456f},
      {" -0.500000E+04", 6, fortio::read_ok, -5000.0f},
      {"          12.5", 6, fortio::read_ok, 12.5f},
      {"        123456", 6, fortio::read_ok, 0.123456f},     // implied decimal point
      {"          1234", 6, fortio::read_ok, 0.001234f},
      {"      12345E+2", 6, fortio::read_ok, 1.2345f},       // implied point, then exponent
      {"    1 2. 5    ", 6, fortio::read_ok, 12.5f},         // blanks inside are ignored
      {"              ", 6, fortio::read_ok, 0.0f},
      {"        1.5D-3", 6, fortio::read_ok, 0.0015f},
      {"        1.5-03", 6, fortio::read_ok, 0.0015f},       // exponent with a sign alone
      {"        .25   ", 6, fortio::read_ok, 0.25f},
      {"       +3.    ", 6, fortio::read_ok, 3.0f},
      {"         1e-60", 6, fortio::read_ok, 0.0f},          // below the float range: zero
      {"   0.1000E+31 ", 6, fortio::read_ok, 1.0e30f},
      {"    12a.5     ", 6, fortio::read_bad_real, 0},
      {"   abc        ", 6, fortio::read_bad_real, 0},
      {"     1.2.3    ", 6, fortio::read_bad_real, 0},
      {"     1.5E     ", 6, fortio::read_bad_real, 0},
      {"        -     ", 6, fortio::read_bad_real, 0},
      {"     1.0E+99  ", 6, fortio::read_bad_real, 0},       // above the float range
      {"     Infinity ", 6, fortio::read_bad_real, 0},
  };
  for (const auto& c : cases) {
    float v = -99.0f;
    EXPECT_EQ(fortio::read_f(c.text, 1, 14, c.d, v), c.status) << c.text;
    if (c.status == fortio::read_ok) EXPECT_EQ(v, c.value) << c.text;
    else EXPECT_EQ(v, -99.0f) << c.text;
  }
}

TEST(Reads, RealsRoundCorrectlyFromDecimal) {
  // 0.1 and 6372.2 are not floats: the nearest float must come back.
  float v = 0;
  ASSERT_EQ(fortio::read_f("0.1", 1, 14, 6, v), fortio::read_ok);
  EXPECT_EQ(v, 0.1f);
  ASSERT_EQ(fortio::read_f("  0.637220E+04", 1, 14, 6, v), fortio::read_ok);
  EXPECT_EQ(v, 6372.2f);
  double dv = 0;
  ASSERT_EQ(fortio::read_f("0.1", 1, 14, 6, dv), fortio::read_ok);
  EXPECT_EQ(dv, 0.1);
  // Written with E14.6 then read back with the same layout.
  for (float x : {1.0f, -123.456f, 6.02e23f, -1.0e-30f, 98765.4f}) {
    std::string s;
    fortio::put_e(s, x, 14, 6);
    float back = 0;
    ASSERT_EQ(fortio::read_f(s, 1, 14, 6, back), fortio::read_ok) << s;
    EXPECT_NEAR(back, x, std::fabs(x) * 1e-6f) << s;
  }
}

TEST(Reads, FieldsPastTheEndAreBlank) {
  EXPECT_EQ(fortio::field("abcdef", 3, 2), "cd");
  EXPECT_EQ(fortio::field("abcdef", 5, 10), "ef");
  EXPECT_EQ(fortio::field("abc", 10, 2), "");
}

TEST(LineReader, SplitsLinesAcrossBufferRefills) {
  const auto dir = testutil::temp_dir("lines");
  std::string text;
  for (int i = 0; i < 1000; ++i) text += std::string(static_cast<std::size_t>(i % 37), 'x') + std::to_string(i) + "\n";
  text += "\n\r\nlast line without feed";
  testutil::write_file(dir / "f.txt", text);
  std::FILE* f = std::fopen((dir / "f.txt").c_str(), "r");
  ASSERT_NE(f, nullptr);
  fortio::line_reader reader(f, 16);  // smaller than some lines: the buffer must grow
  std::string_view line;
  for (int i = 0; i < 1000; ++i) {
    ASSERT_EQ(reader.next(line), fortio::read_ok);
    EXPECT_EQ(line, std::string(static_cast<std::size_t>(i % 37), 'x') + std::to_string(i));
  }
  ASSERT_EQ(reader.next(line), fortio::read_ok);
  EXPECT_EQ(line, "");
  ASSERT_EQ(reader.next(line), fortio::read_ok);
  EXPECT_EQ(line, "\r");
  ASSERT_EQ(reader.next(line), fortio::read_ok);
  EXPECT_EQ(line, "last line without feed");
  EXPECT_EQ(reader.next(line), fortio::read_end);
  EXPECT_EQ(reader.next(line), fortio::read_end);
  std::fclose(f);
}

TEST(LineReader, ReportsASystemReadError) {
  // Reading a directory fails in the system call, not at the end of a file.
  std::FILE* f = std::fopen(testutil::temp_dir("dirread").c_str(), "r");
  ASSERT_NE(f, nullptr);
  fortio::line_reader reader(f);
  std::string_view line;
  EXPECT_EQ(reader.next(line), fortio::read_io_error);
  std::fclose(f);
}

// ---------------------------------------------------------------------------
// Ends of a program
// ---------------------------------------------------------------------------

TEST(Ends, StopFlushesStdoutThenWritesStopLine) {
  EXPECT_STOP(
      {
        fortio::print("***incoherence! aborted!!");
        fortio::stop("***incoherence! aborted!!");
      },
      "***incoherence! aborted!!", " ***incoherence! aborted!!\n");
}

TEST(Ends, IoErrorExitsNonZeroWithItsMessage) {
  EXPECT_EXIT(fortio::io_error("cannot read file \"x.dat\""), ::testing::ExitedWithCode(2),
              "cannot read file \"x.dat\"");
}

}  // namespace
