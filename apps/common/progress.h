// A progress bar on standard error, shown only when it is a terminal and the
// work is long enough to wait for; elsewhere it prints nothing.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>

namespace apps {

class Progress {
 public:
  Progress(std::string label, std::int64_t total);
  ~Progress();  // clears the bar
  Progress(const Progress &) = delete;
  Progress &operator=(const Progress &) = delete;

  void Update(std::int64_t done);

 private:
  void Draw(std::int64_t done);
  std::string label_;
  std::int64_t total_;
  bool shown_;
  std::chrono::steady_clock::time_point lastDraw_{};
};

}  // namespace apps
