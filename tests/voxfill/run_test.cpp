// Run driver: answers, geometry, coherence check and grid reservation.
#include "voxfill/run.h"

#include <gtest/gtest.h>

#include <string>

#include "common/testutil.h"
#include "fortio/fortio.h"

namespace {

TEST(Answers, OnlyYesInItsFirstThreeCharactersTurnsAnOptionOn) {
  struct Case {
    const char* line;
    const char* text;
    bool on;
  } const cases[] = {
      {"Yes", "Yes", true},       {"Yes please", "Yes", true}, {"Yesterday", "Yes", true},
      {"yes", "yes", false},      {"YES", "YES", false},       {"Y", "Y  ", false},
      {" Yes", " Ye", false},     {"", "   ", false},          {"No", "No ", false},
      {"Ye", "Ye ", false},
  };
  for (const Case& c : cases) {
    const std::array<char, 3> text = voxfill::answer_text(c.line);
    EXPECT_EQ(std::string(text.data(), 3), c.text) << '"' << c.line << '"';
    EXPECT_EQ(voxfill::answer_is_yes(text), c.on) << '"' << c.line << '"';
  }
}

TEST(Geometry, TwoFixedCubes) {
  const voxfill::geometry kp = voxfill::make_geometry(true);
  EXPECT_EQ(kp.idimkp, 5);
  EXPECT_EQ(kp.nx, 120);
  EXPECT_EQ(kp.ny, 120);
  EXPECT_EQ(kp.nz, 120);
  EXPECT_EQ(kp.x1, -18.0f);
  EXPECT_EQ(kp.z2, 18.0f);
  EXPECT_EQ(kp.dy, 0.3f);
  EXPECT_EQ(kp.total_cells(), 77760000u);

  const voxfill::geometry all = voxfill::make_geometry(false);
  EXPECT_EQ(all.idimkp, 1);
  EXPECT_EQ(all.nx, 160);
  EXPECT_EQ(all.y1, -20.0f);
  EXPECT_EQ(all.dz, 0.25f);
  EXPECT_EQ(all.total_cells(), 36864000u);

  // Both tile their cube exactly: the check passes (a stop would end this
  // test program).
  voxfill::check_coherence(kp);
  voxfill::check_coherence(all);
}

TEST(Geometry, CellOrderXFastestThenYZTiltKp) {
  voxfill::geometry g;
  g.idimkp = 5;
  g.nx = 3;
  g.ny = 4;
  g.nz = 5;
  EXPECT_EQ(g.cell(1, 1, 1, 1, 1), 0u);
  EXPECT_EQ(g.cell(2, 1, 1, 1, 1), 1u);
  EXPECT_EQ(g.cell(1, 2, 1, 1, 1), 3u);
  EXPECT_EQ(g.cell(1, 1, 2, 1, 1), 12u);
  EXPECT_EQ(g.cell(1, 1, 1, 2, 1), 60u);
  EXPECT_EQ(g.cell(1, 1, 1, 1, 2), 540u);
  EXPECT_EQ(g.cell(3, 4, 5, 9, 5), g.total_cells() - 1);
}

TEST(GeometryDeathTest, CellsThatDoNotTileTheCubeStopTheRun) {
  voxfill::geometry g = voxfill::make_geometry(false);
  g.dy = 0.3f;  // 40 / 0.3 rounds to 133 cells, which span 39.9
  g.ny = 133;
  const float delta = 133.0f * 0.3f;
  const std::string expected = fortio::free_line("y2-y1 =", 40.0f) + "\n" + fortio::free_line("deltay=", delta) +
                               "\n" + fortio::free_line("diff  =", 40.0f - delta) + "\n" +
                               " ***incoherence! aborted!!\n";
  EXPECT_STOP(voxfill::check_coherence(g), "***incoherence! aborted!!", expected);
}

TEST(Grids, ReservedWholeAndZero) {
  voxfill::run_state st;
  st.geo.idimkp = 5;
  st.geo.nx = 7;
  st.geo.ny = 6;
  st.geo.nz = 5;
  voxfill::allocate_grids(st);
  const std::size_t n = st.geo.total_cells();
  for (std::size_t c = 0; c < n; ++c) {
    ASSERT_EQ(st.nvalb[c], 0);
    for (int k = 0; k < 4; ++k) ASSERT_EQ(st.gridb[4 * c + k], 0.0f);
  }
  st.nvalb[n - 1] = 1;  // the last cell is inside the reservation
  st.gridb[4 * n - 1] = 1.0f;
}

#if !defined(__SANITIZE_ADDRESS__)
TEST(GridsDeathTest, ReservationFailureNamesTheBytes) {
  voxfill::run_state st;
  st.geo.idimkp = 5;
  st.geo.nx = 200000;
  st.geo.ny = 200000;
  st.geo.nz = 1000;
  // 4e13 cells x 45 classes x 16 bytes of sums: far beyond any memory.
  const unsigned long bytes = 200000ul * 200000ul * 1000ul * 45ul * 16ul;
  EXPECT_EXIT(voxfill::allocate_grids(st), testing::ExitedWithCode(2),
              "Error allocating " + std::to_string(bytes) + " bytes");
}
#endif

}  // namespace
