#include "apps/common/progress.h"

#include <cstdio>

#include "apps/common/platform.h"

namespace apps {

Progress::Progress(std::string label, std::int64_t total)
    : label_(std::move(label)), total_(total), shown_(total >= 200 && StandardErrorIsTerminal()) {}

Progress::~Progress() {
  if (shown_) std::fprintf(stderr, "\r\033[K");
}

void Progress::Update(std::int64_t done) {
  if (!shown_) return;
  // Redrawn a few times a second at most: the terminal is slower than the work.
  const auto now = std::chrono::steady_clock::now();
  if (done < total_ && now - lastDraw_ < std::chrono::milliseconds(100)) return;
  lastDraw_ = now;
  Draw(done);
}

void Progress::Draw(std::int64_t done) {
  const int width = 30;
  const int filled = total_ > 0 ? static_cast<int>(done * width / total_) : width;
  std::string bar(static_cast<std::size_t>(filled), '#');
  bar.resize(width, '.');
  std::fprintf(stderr, "\r%s [%s] %lld/%lld", label_.c_str(), bar.c_str(), static_cast<long long>(done),
               static_cast<long long>(total_));
  std::fflush(stderr);
}

}  // namespace apps
