#include "tests/support/scratch.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace velbrik_test {

namespace fs = std::filesystem;

ScratchDir::ScratchDir(const std::string &prefix) {
  const auto *test = ::testing::UnitTest::GetInstance()->current_test_info();
  path_ = fs::temp_directory_path() / (prefix + "-" + std::to_string(getpid()) + "-" + (test ? test->name() : "setup"));
  fs::remove_all(path_);
  fs::create_directories(path_);
}

ScratchDir::~ScratchDir() {
  std::error_code ignored;
  fs::remove_all(path_, ignored);
}

int RunIn(const fs::path &at, const std::string &command) {
  const std::string line = "cd '" + at.string() + "' && " + command + " > stdout.txt 2> stderr.txt";
  const int raw = std::system(line.c_str());
  return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

std::string Slurp(const fs::path &path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace velbrik_test
