// An output file that appears whole or not at all. A regular file, or a path
// that does not exist yet, is written under a temporary name beside it and
// renamed into place only when committed, keeping the old file's permissions;
// its folder is made if missing. A symlink is written through to its target.
// A device, FIFO or socket, and "-" (standard output), are written directly,
// as they go. Temporaries are removed on every failure, and also when the
// program is ended by SIGINT, SIGTERM, SIGHUP or a fatal signal. A file asked
// for as it goes (a log a developer follows with tail -f) is written directly.
#pragma once

#include <cstdio>
#include <memory>
#include <string>

namespace apps {

class OutputFile {
 public:
  enum class Writing { Whole, AsItGoes };
  static std::unique_ptr<OutputFile> Open(const std::string &path, std::string &error, Writing how = Writing::Whole);
  ~OutputFile();  // an uncommitted temporary is removed
  OutputFile(const OutputFile &) = delete;
  OutputFile &operator=(const OutputFile &) = delete;

  std::FILE *Stream() { return stream_; }
  // Where the output goes in the end.
  const std::string &Path() const { return path_; }
  bool Commit(std::string &error);

 private:
  // `target` opened with open(2)'s `flags` and written as it goes; errors name `path`.
  static std::unique_ptr<OutputFile> Direct(const std::string &target, int flags, const std::string &path,
                                            std::string &error);
  OutputFile(std::string path, std::string temporary, std::FILE *stream)
      : path_(std::move(path)), temporary_(std::move(temporary)), stream_(stream) {}
  std::string path_;
  std::string temporary_;  // empty when written directly
  std::FILE *stream_;
  bool committed_ = false;
};

// Removes every uncommitted temporary now: for a program about to end abruptly.
// Safe in a signal handler.
void RemoveTemporaries();

// Reads a whole file, or standard input for "-"; false with `error` on failure.
bool ReadFile(const std::string &path, std::string &text, std::string &error);

}  // namespace apps
