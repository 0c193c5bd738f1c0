#include "voxfill/run.h"

#include <cmath>
#include <cstdlib>
#include <string>

#include "fortio/fortio.h"
#include "voxfill/file_stage.h"
#include "voxfill/grid_output.h"

namespace voxfill {

namespace {

// Cube half-widths and cell edges, Earth radii.
constexpr float half_width_kp = 18.0f, cell_edge_kp = 0.3f;
constexpr float half_width_all = 20.0f, cell_edge_all = 0.25f;
// Number of Kp classes with the Kp option.
constexpr int nb_kp_classes = 5;
// Largest tolerated gap between the cube and the span of its cells.
constexpr float coherence_tolerance = 1.0e-10f;

int cells_on_axis(float lo, float hi, float d) { return static_cast<int>((hi - lo) / d + 0.5f); }

void check_axis(float lo, float hi, float d, int n, const char* span_label, const char* delta_label) {
  const float delta = static_cast<float>(n) * d;
  const float dif = (hi - lo) - delta;
  if (std::fabs(dif) > coherence_tolerance) {
    fortio::print(span_label, hi - lo);
    fortio::print(delta_label, delta);
    fortio::print("diff  =", dif);
    fortio::print("***incoherence! aborted!!");
    fortio::stop("***incoherence! aborted!!");
  }
}

// Asks one question and reads its answer; the dialogue cannot go on without it.
std::array<char, 3> ask(input_lines& in, const char* question) {
  fortio::print(question);
  std::string line;
  if (!in.next(line)) fortio::io_error("end of input: no answer to the question \"" + std::string(question) + "\"");
  const std::array<char, 3> text = answer_text(line);
  fortio::print(std::string_view(text.data(), text.size()));
  return text;
}

}  // namespace

void* allocate_zeroed(std::size_t count, std::size_t size) {
  void* p = std::calloc(count, size);
  if (!p) fortio::io_error("Error allocating " + std::to_string(static_cast<unsigned long>(count * size)) + " bytes");
  return p;
}

std::array<char, 3> answer_text(std::string_view line) {
  std::array<char, 3> text{' ', ' ', ' '};
  for (std::size_t i = 0; i < text.size() && i < line.size(); ++i) text[i] = line[i];
  return text;
}

bool answer_is_yes(const std::array<char, 3>& text) { return text[0] == 'Y' && text[1] == 'e' && text[2] == 's'; }

geometry make_geometry(bool kp_on) {
  geometry g;
  g.idimkp = kp_on ? nb_kp_classes : 1;
  const float a = kp_on ? half_width_kp : half_width_all;
  const float dd = kp_on ? cell_edge_kp : cell_edge_all;
  g.x1 = g.y1 = g.z1 = -a;
  g.x2 = g.y2 = g.z2 = a;
  g.dx = g.dy = g.dz = dd;
  g.nx = cells_on_axis(g.x1, g.x2, g.dx);
  g.ny = cells_on_axis(g.y1, g.y2, g.dy);
  g.nz = cells_on_axis(g.z1, g.z2, g.dz);
  return g;
}

void check_coherence(const geometry& g) {
  check_axis(g.x1, g.x2, g.dx, g.nx, "x2-x1 =", "deltax=");
  check_axis(g.y1, g.y2, g.dy, g.ny, "y2-y1 =", "deltay=");
  check_axis(g.z1, g.z2, g.dz, g.nz, "z2-z1 =", "deltaz=");
}

void allocate_grids(run_state& st) {
  const std::size_t cells = st.geo.total_cells();
  st.gridb.reset(static_cast<float*>(allocate_zeroed(cells * nb_components, sizeof(float))));
  st.nvalb.reset(static_cast<std::int32_t*>(allocate_zeroed(cells, sizeof(std::int32_t))));
  st.binned_chunks.assign((cells >> run_state::chunk_shift) + 1, 0);
}

void run(std::FILE* in) {
  run_state st;
  input_lines input(in);

  st.kp_on_text = ask(input, "Kp_on ?(Yes or No) if yes, one grid by Kp, need memory");
  st.sigrf_text = ask(input, "IGRF substraction ? (Yes or No)");
  st.kp_on = answer_is_yes(st.kp_on_text);
  st.sigrf = answer_is_yes(st.sigrf_text);

  st.geo = make_geometry(st.kp_on);
  fortio::print(std::string(65, '-'));
  fortio::print("nx,ny,nz=", st.geo.nx, st.geo.ny, st.geo.nz);
  check_coherence(st.geo);

  allocate_grids(st);

  if (st.kp_on) {
    kp::read_kp_data(st.datim, st.ikp, st.nrec);
    st.kp_idx.build(st.datim, st.ikp, st.nrec);
  }

  run_file_stage(st, input);

  fortio::print("nb read files = ", st.nf);
  fortio::print("nb all records=", st.ntot);
  fortio::print("nb errors Read=", st.nerrr);
  fortio::print("nb errors Dip =", st.nerrd);

  write_grids(st);

  fortio::print(std::string(72, '-'));
  fortio::print(normal_termination);
  fortio::stop(normal_termination);
}

}  // namespace voxfill
