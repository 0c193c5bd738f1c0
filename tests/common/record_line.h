// A measurement line in the grid builder's record layout
// (a24,1x,6E14.6,1x,a2), written with the project's own E14.6.
#pragma once

#include <string>

#include "fortio/fortio.h"

namespace testutil {

// Field in nT, then position in km, both GSE; spacecraft tag C1.
inline std::string record_line(const char* time, float bx, float by, float bz, float px, float py, float pz) {
  std::string line(time);
  line.resize(24, ' ');
  line += ' ';
  for (const float v : {bx, by, bz, px, py, pz}) fortio::put_e(line, v, 14, 6);
  return line + " C1";
}

}  // namespace testutil
