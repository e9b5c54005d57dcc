// Output files on Windows: a file written under a temporary name beside it
// and renamed into place when committed (replacing one that is there), and
// "-" written directly; devices, symlinks and permissions are left to the
// platform. Everything is written in binary mode, standard output included,
// so no line end becomes CR LF.
#include "apps/common/output_file.h"

#include <fcntl.h>
#include <io.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <random>
#include <vector>

namespace apps {

namespace fs = std::filesystem;

namespace {

// The temporaries not yet committed.
std::vector<std::string> &Temporaries() {
  static std::vector<std::string> temporaries;
  return temporaries;
}

void Forget(const std::string &temporary) { std::erase(Temporaries(), temporary); }

}  // namespace

void RemoveTemporaries() {
  std::error_code ignored;
  for (const std::string &temporary : Temporaries()) fs::remove(temporary, ignored);
  Temporaries().clear();
}

std::unique_ptr<OutputFile> OutputFile::Open(const std::string &path, std::string &error, Writing) {
  if (path == "-") {
    _setmode(_fileno(stdout), _O_BINARY);
    return std::unique_ptr<OutputFile>(new OutputFile(path, "", stdout));
  }
  // Its folder made if missing, as on POSIX systems.
  if (const fs::path folder = fs::path(path).parent_path(); !folder.empty()) {
    std::error_code failed;
    fs::create_directories(folder, failed);
    if (failed) {
      error = path + ": cannot make its folder: " + failed.message();
      return nullptr;
    }
  }
  static const char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  std::random_device seed;
  std::mt19937 pick(seed());
  std::uniform_int_distribution<std::size_t> letter(0, sizeof letters - 2);
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string temporary = path + ".";
    for (int i = 0; i < 6; ++i) temporary += letters[letter(pick)];
    // "x": only a file that is not there yet.
    if (std::FILE *stream = std::fopen(temporary.c_str(), "wbx")) {
      Temporaries().push_back(temporary);
      return std::unique_ptr<OutputFile>(new OutputFile(path, temporary, stream));
    }
    if (errno != EEXIST) break;
  }
  error = path + ": " + std::strerror(errno);
  return nullptr;
}

OutputFile::~OutputFile() {
  if (temporary_.empty()) return;
  if (stream_) std::fclose(stream_);
  std::error_code ignored;
  if (!committed_) fs::remove(temporary_, ignored);
  Forget(temporary_);
}

bool OutputFile::Commit(std::string &error) {
  if (temporary_.empty()) {
    if (std::fflush(stream_) != 0 || std::ferror(stream_)) {
      error = "standard output: write failed";
      return false;
    }
    return true;
  }
  const bool written = std::fflush(stream_) == 0 && !std::ferror(stream_);
  const bool closed = std::fclose(stream_) == 0;
  stream_ = nullptr;
  if (!written || !closed) {
    error = path_ + ": write failed";
    return false;
  }
  // Replaces a file already there, as a rename does on POSIX.
  std::error_code failed;
  fs::rename(temporary_, path_, failed);
  if (failed) {
    error = path_ + ": " + failed.message();
    return false;
  }
  committed_ = true;
  return true;
}

bool ReadFile(const std::string &path, std::string &text, std::string &error) {
  std::error_code ignored;
  if (path != "-" && fs::is_directory(path, ignored)) {
    error = path + ": is a directory";
    return false;
  }
  std::FILE *stream = path == "-" ? stdin : std::fopen(path.c_str(), "rb");
  if (!stream) {
    error = path + ": " + std::strerror(errno);
    return false;
  }
  if (stream == stdin) _setmode(_fileno(stdin), _O_BINARY);
  text.clear();
  char buffer[65536];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, stream)) > 0) text.append(buffer, n);
  const bool failed = std::ferror(stream);
  if (stream != stdin) std::fclose(stream);
  if (failed) {
    error = path + ": read failed";
    return false;
  }
  return true;
}

}  // namespace apps
