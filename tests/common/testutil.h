// Helpers shared by the test programs: temporary files and the checks of a
// fatal stop (stdout text, "STOP ..." on stderr, exit status 0).
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace testutil {

// Directories made by temp_dir(), removed when the test program ends (not in
// death-test children, which end inside their statement).
inline std::vector<std::filesystem::path>& made_dirs() {
  static std::vector<std::filesystem::path> dirs;
  return dirs;
}

class temp_dir_cleanup : public ::testing::Environment {
 public:
  void TearDown() override {
    std::error_code ec;
    for (const auto& d : made_dirs()) std::filesystem::remove_all(d, ec);
  }
};

inline const bool temp_dir_cleanup_registered =
    (::testing::AddGlobalTestEnvironment(new temp_dir_cleanup), true);

// A fresh empty directory under the system's temporary directory.
inline std::filesystem::path temp_dir(const std::string& tag) {
  static int counter = 0;
  auto dir = std::filesystem::temp_directory_path() /
             ("voxfill_" + tag + "_" + std::to_string(::getpid()) + "_" + std::to_string(counter++));
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  made_dirs().push_back(dir);
  return dir;
}

inline std::string read_file(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

inline void write_file(const std::filesystem::path& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
}

// The text as a regular expression that matches it literally.
inline std::string literal(const std::string& text) {
  std::string r;
  for (char c : text) {
    if (std::string_view(".[]{}()\\*+?|^$").find(c) != std::string_view::npos) r += '\\';
    r += c;
  }
  return r;
}

// Sends standard output to a file (inside a death-test child).
inline void redirect_stdout(const std::string& path) {
  std::fflush(stdout);
  if (!std::freopen(path.c_str(), "w", stdout)) std::_Exit(99);
}

}  // namespace testutil

// Runs `statement` in a child process and checks that it stops with exit
// status 0, "STOP <stop_text>" on standard error, and exactly
// `expected_stdout` on standard output.
#define EXPECT_STOP(statement, stop_text, expected_stdout)                              \
  do {                                                                                \
    const auto vf_dir_ = ::testutil::temp_dir("stop");                                \
    const std::string vf_out_ = (vf_dir_ / "stdout.txt").string();                    \
    EXPECT_EXIT(                                                                      \
        {                                                                             \
          ::testutil::redirect_stdout(vf_out_);                                       \
          statement;                                                                  \
        },                                                                            \
        ::testing::ExitedWithCode(0),                                                 \
        "STOP " + ::testutil::literal(stop_text) + "\n");                           \
    EXPECT_EQ(::testutil::read_file(vf_out_), expected_stdout);                       \
    std::filesystem::remove_all(vf_dir_);                                             \
  } while (0)
