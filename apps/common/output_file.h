// An output file that appears whole or not at all: written under a temporary
// name beside its final path and renamed into place only when committed. "-" is
// standard output, which is written as it goes.
#pragma once

#include <cstdio>
#include <memory>
#include <string>

namespace apps {

class OutputFile {
 public:
  static std::unique_ptr<OutputFile> Open(const std::string &path, std::string &error);
  ~OutputFile();  // an uncommitted file is removed
  OutputFile(const OutputFile &) = delete;
  OutputFile &operator=(const OutputFile &) = delete;

  std::FILE *Stream() { return stream_; }
  bool Commit(std::string &error);

 private:
  OutputFile(std::string path, std::string temporary, std::FILE *stream)
      : path_(std::move(path)), temporary_(std::move(temporary)), stream_(stream) {}
  std::string path_;
  std::string temporary_;  // empty for standard output
  std::FILE *stream_;
  bool committed_ = false;
};

// Reads a whole file, or standard input for "-"; false with `error` on failure.
bool ReadFile(const std::string &path, std::string &text, std::string &error);

}  // namespace apps
