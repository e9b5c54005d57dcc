// The size of the host's text on a display, by a font's design metrics: the
// largest pixel size at which 20 lines fit the display's height and 40
// characters its width, and at which 7 characters fit 80 pixels. A display
// module lays its texts out at fixed pixel columns as well as in proportion (a
// label at 0 with its number at 90, another label 100 pixels from the right
// edge with its number 20 from it), so text that grew with the display alone
// would run into the next column on a large one. 1 at the least.
#pragma once

#include <cstdint>

namespace standin {

int TextPixelSize(std::int64_t unitsPerEm, std::int64_t lineHeight, std::int64_t maxAdvance, int width, int height);

}  // namespace standin
