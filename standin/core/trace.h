// Where call-trace lines go: one JSON array per line, in the order things happen.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace standin {

class TraceSink {
 public:
  virtual ~TraceSink() = default;
  virtual void Write(std::string_view line) = 0;
};

// Keeps the lines, for tests and for callers that look at them afterwards.
class MemoryTrace : public TraceSink {
 public:
  void Write(std::string_view line) override { lines.emplace_back(line); }
  std::vector<std::string> lines;
};

// Appends each line and a newline to a stream the caller owns.
class StreamTrace : public TraceSink {
 public:
  explicit StreamTrace(std::FILE *stream) : stream_(stream) {}
  void Write(std::string_view line) override {
    std::fwrite(line.data(), 1, line.size(), stream_);
    std::fputc('\n', stream_);
  }

 private:
  std::FILE *stream_;
};

}  // namespace standin
