// The host's default pens, as the stand-in host draws them: one pixel wide, in
// colours that read well on a dark display.
#pragma once

#include <array>
#include <cstdint>

namespace standin {

// Pixels 0x00RRGGBB, by pen index.
inline constexpr std::array<std::uint32_t, 6> kDefaultPens = {
    0xFFFFFF,  // 0: white, the ball
    0xA0A0A0,  // 1: light grey
    0x3C8CFF,  // 2: blue, normal bricks
    0xFF5A28,  // 3: red-orange, strong bricks
    0xC060FF,  // 4: violet
    0xFFC828,  // 5: amber, the paddle
};

// The pen a surface starts with, and the one any index beyond the table selects.
inline constexpr unsigned long kFallbackPen = 0;

inline std::uint32_t PenColour(unsigned long index) {
  return kDefaultPens[index < kDefaultPens.size() ? index : kFallbackPen];
}

}  // namespace standin
