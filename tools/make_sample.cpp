// make_sample: writes synthetic measurement files for the grid builder (see
// sample_orbit.h for the orbit and field model) and prints their paths, one a
// line, so that the list can follow the two answers on voxfill's input:
//
//   make_sample --start 2004-09-01 --days 3 --out data > files.txt
//   cat answers.txt files.txt | voxfill
//
// A summary goes to standard error.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "fortio/fortio.h"
#include "sample_orbit.h"

namespace {

constexpr std::string_view usage =
    "usage: make_sample [--start YYYY-MM-DD] [--days N] [--out DIR] [--seed N]\n"
    "                   [--records N] [--malformed N] [--noise NT]\n"
    "  --start      first day, UT (default 2004-09-01; 1901-2024 keeps both\n"
    "               libraries inside their tables)\n"
    "  --days       number of days, one file per spacecraft per day (default 1)\n"
    "  --out        output directory, created when missing (default .)\n"
    "  --seed       seed of the noise (default 1)\n"
    "  --records    stop after N records in all (default: every record of the days)\n"
    "  --malformed  number of lines with a letter in a number (default 0)\n"
    "  --noise      standard deviation of the noise on each component, nT (default 1)";

[[noreturn]] void bad_usage(const std::string& why) {
  fortio::io_error("make_sample: " + why + "\n" + std::string(usage));
}

long long to_integer(const std::string& opt, const char* text) {
  char* end = nullptr;
  const long long v = std::strtoll(text, &end, 10);
  if (end == text || *end != '\0' || v < 0) bad_usage(opt + " needs a non-negative integer");
  return v;
}

sample_orbit::options parse(int argc, char** argv) {
  sample_orbit::options opt;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      std::fwrite(usage.data(), 1, usage.size(), stdout);
      std::fputc('\n', stdout);
      std::exit(0);
    }
    if (i + 1 >= argc) bad_usage(arg + " needs a value");
    const char* value = argv[++i];
    if (arg == "--start") {
      int y = 0, m = 0, d = 0;
      char tail = 0;
      if (std::sscanf(value, "%4d-%2d-%2d%c", &y, &m, &d, &tail) != 3)
        bad_usage("--start needs YYYY-MM-DD");
      const std::chrono::year_month_day ymd{std::chrono::year{y} / m / d};
      if (!ymd.ok() || y < 1901 || y > 2099) bad_usage("--start: no such date in 1901-2099");
      opt.year = y;
      opt.month = m;
      opt.day = d;
    } else if (arg == "--days") {
      opt.days = static_cast<int>(to_integer(arg, value));
    } else if (arg == "--out") {
      opt.out_dir = value;
    } else if (arg == "--seed") {
      char* end = nullptr;
      opt.seed = std::strtoull(value, &end, 0);
      if (end == value || *end != '\0') bad_usage("--seed needs an integer");
    } else if (arg == "--records") {
      opt.max_records = to_integer(arg, value);
    } else if (arg == "--malformed") {
      opt.malformed = to_integer(arg, value);
    } else if (arg == "--noise") {
      char* end = nullptr;
      opt.noise_nt = std::strtof(value, &end);
      if (end == value || *end != '\0' || !(opt.noise_nt >= 0.0f))
        bad_usage("--noise needs a non-negative number");
    } else {
      bad_usage("unknown option " + arg);
    }
  }
  return opt;
}

}  // namespace

int main(int argc, char** argv) {
  const sample_orbit::options opt = parse(argc, argv);
  const auto t0 = std::chrono::steady_clock::now();
  const auto files = sample_orbit::write_files(opt);
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  for (const auto& f : files) fortio::put_line(f);
  std::fflush(stdout);
  const long long records = sample_orbit::total_records(opt);
  const std::string summary =
      fortio::free_line("make_sample:", records, "records in", static_cast<long long>(files.size()),
                        "files,", seconds, "s") + '\n';
  std::fwrite(summary.data(), 1, summary.size(), stderr);
  return 0;
}
