// The table generator: it keys coefficients by degree and order, and it
// refuses a table that is incomplete, malformed or that gives a degree above
// 10 to a model before 2000.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "testutil.h"

namespace {

const std::string generator = std::string(VOXFILL_BINARY_DIR) + "/tools/igrf_gen";
const std::string table = std::string(VOXFILL_DATA_DIR) + "/igrf14coeffs.txt";

int run(const std::string& in, const std::string& out) {
  const int status = std::system((generator + " " + in + " " + out + " 2>>" + out + ".err").c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream s(text);
  for (std::string l; std::getline(s, l);) lines.push_back(l);
  return lines;
}

std::string join(const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& l : lines) text += l + "\n";
  return text;
}

// The line with value number col (0 = the 1900 column) replaced.
std::string with_value(const std::string& line, int col, const std::string& value) {
  std::istringstream s(line);
  std::vector<std::string> w;
  for (std::string t; s >> t;) w.push_back(t);
  w[3 + col] = value;
  std::string out;
  for (const auto& t : w) out += t + " ";
  return out;
}

TEST(igrf_gen, order_of_the_lines_does_not_matter) {
  const auto dir = testutil::temp_dir("igrf_gen");
  ASSERT_EQ(run(table, (dir / "a.cpp").string()), 0);
  auto lines = lines_of(testutil::read_file(table));
  std::reverse(lines.begin() + 4, lines.end());  // after the four header lines
  testutil::write_file(dir / "reversed.txt", join(lines));
  ASSERT_EQ(run((dir / "reversed.txt").string(), (dir / "b.cpp").string()), 0);
  EXPECT_EQ(testutil::read_file(dir / "a.cpp"), testutil::read_file(dir / "b.cpp"));
  EXPECT_NE(testutil::read_file(dir / "a.cpp").find("-29619.4f"), std::string::npos);  // g(1,0) of 2000
  std::filesystem::remove_all(dir);
}

TEST(igrf_gen, refuses_a_bad_table) {
  const auto dir = testutil::temp_dir("igrf_gen");
  const auto lines = lines_of(testutil::read_file(table));
  struct edit {
    const char* what;
    std::vector<std::string> (*apply)(std::vector<std::string>);
  };
  const edit edits[] = {
      {"missing line", [](std::vector<std::string> l) { l.erase(l.begin() + 20); return l; }},
      {"duplicate line", [](std::vector<std::string> l) { l.push_back(l[10]); return l; }},
      {"short line", [](std::vector<std::string> l) { l[12] = l[12].substr(0, 40); return l; }},
      {"not a number", [](std::vector<std::string> l) { l[7] = with_value(l[7], 20, "1.2.3"); return l; }},
      {"degree 11 before 2000",
       [](std::vector<std::string> l) {
         for (auto& s : l)
           if (s.rfind("g 11  0", 0) == 0) s = with_value(s, 13, "3");  // the 1965 column
         return l;
       }},
      {"no header", [](std::vector<std::string> l) { l.erase(l.begin() + 3); return l; }},
  };
  for (const edit& e : edits) {
    testutil::write_file(dir / "bad.txt", join(e.apply(lines)));
    EXPECT_NE(run((dir / "bad.txt").string(), (dir / "bad.cpp").string()), 0) << e.what;
  }
  EXPECT_NE(run((dir / "absent.txt").string(), (dir / "x.cpp").string()), 0);
  std::filesystem::remove_all(dir);
}

}  // namespace
