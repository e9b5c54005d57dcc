#include "standin/raster/ellipse_cache.h"

namespace standin {

const EllipseRows *EllipseCache::Find(std::int64_t width, std::int64_t height) {
  if (height > kMaxHeight) return nullptr;
  const std::uint64_t key = static_cast<std::uint64_t>(width) << 32 | static_cast<std::uint64_t>(height);
  if (last_ && key == lastKey_) return last_;
  auto found = boxes_.find(key);
  if (found == boxes_.end()) {
    if (boxes_.size() >= kMaxBoxes) boxes_.clear();
    auto rows = std::make_unique<EllipseRows>(width, height);
    rows->Tabulate();
    found = boxes_.emplace(key, std::move(rows)).first;
  }
  lastKey_ = key;
  last_ = found->second.get();
  return last_;
}

}  // namespace standin
