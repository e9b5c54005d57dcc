// What end-to-end tests need to run a program: a scratch folder of their own,
// a shell command run in it, and files read back whole.
#pragma once

#include <filesystem>
#include <string>

namespace velbrik_test {

// A fresh folder named after the running test, removed with everything in it
// when the object goes.
class ScratchDir {
 public:
  explicit ScratchDir(const std::string &prefix);
  ~ScratchDir();
  ScratchDir(const ScratchDir &) = delete;
  ScratchDir &operator=(const ScratchDir &) = delete;

  const std::filesystem::path &Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// Runs `command` through the shell in folder `at`, its standard output and
// error going to stdout.txt and stderr.txt there; returns its exit status, or
// -1 if it did not exit (a signal).
int RunIn(const std::filesystem::path &at, const std::string &command);

// The whole content of a file, or empty if it cannot be read.
std::string Slurp(const std::filesystem::path &path);

}  // namespace velbrik_test
