// An 8-bit RGB PNG encoder of its own, over zlib alone, for builds without
// libpng. It makes the choices libpng makes in png_writer.cpp (compression
// level 9, the filtered strategy, a window fitted to small pictures, the
// filter of each row chosen by libpng's heuristic among all five, IDAT chunks
// of 8 KiB), so both give the same bytes for the same pixels.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "standin/images/image.h"

namespace standin {

// The PNG bytes of `image`, or none with `error` set for an empty or malformed
// picture.
std::vector<std::uint8_t> EncodePngWithZlib(const Image &image, std::string &error);

}  // namespace standin
