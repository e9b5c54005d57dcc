#include "standin/core/text_size.h"

#include <algorithm>

namespace standin {
namespace {

constexpr std::int64_t kLines = 20;    // text lines that fill a display's height
constexpr std::int64_t kColumns = 40;  // characters that fill its width
// A label of 7 characters fits the 80 pixels its module gives it.
constexpr std::int64_t kLabelCharacters = 7, kLabelPixels = 80;

}  // namespace

int TextPixelSize(std::int64_t unitsPerEm, std::int64_t lineHeight, std::int64_t maxAdvance, int width, int height) {
  if (unitsPerEm <= 0 || lineHeight <= 0 || maxAdvance <= 0) return 1;
  const std::int64_t byHeight = std::int64_t{std::max(height, 0)} * unitsPerEm / (kLines * lineHeight);
  const std::int64_t byWidth = std::int64_t{std::max(width, 0)} * unitsPerEm / (kColumns * maxAdvance);
  const std::int64_t byLabel = kLabelPixels * unitsPerEm / (kLabelCharacters * maxAdvance);
  return static_cast<int>(std::max<std::int64_t>(1, std::min({byHeight, byWidth, byLabel})));
}

}  // namespace standin
