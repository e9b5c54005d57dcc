#include "apps/common/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace apps {

std::unique_ptr<OutputFile> OutputFile::Open(const std::string &path, std::string &error) {
  if (path == "-") return std::unique_ptr<OutputFile>(new OutputFile(path, "", stdout));
  std::string temporary = path + ".XXXXXX";
  const int fd = mkstemp(temporary.data());
  if (fd < 0) {
    error = path + ": " + std::strerror(errno);
    return nullptr;
  }
  fchmod(fd, 0644);
  std::FILE *stream = fdopen(fd, "wb");
  if (!stream) {
    error = path + ": " + std::strerror(errno);
    close(fd);
    unlink(temporary.c_str());
    return nullptr;
  }
  return std::unique_ptr<OutputFile>(new OutputFile(path, temporary, stream));
}

OutputFile::~OutputFile() {
  if (temporary_.empty()) return;
  if (stream_) std::fclose(stream_);
  if (!committed_) unlink(temporary_.c_str());
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
  if (std::rename(temporary_.c_str(), path_.c_str()) != 0) {
    error = path_ + ": " + std::strerror(errno);
    return false;
  }
  committed_ = true;
  return true;
}

bool ReadFile(const std::string &path, std::string &text, std::string &error) {
  std::FILE *stream = path == "-" ? stdin : std::fopen(path.c_str(), "rb");
  if (!stream) {
    error = path + ": " + std::strerror(errno);
    return false;
  }
  struct stat info {};
  if (fstat(fileno(stream), &info) == 0 && S_ISDIR(info.st_mode)) {
    error = path + ": is a directory";
    if (stream != stdin) std::fclose(stream);
    return false;
  }
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
