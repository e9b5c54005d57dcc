// Writes a picture as an 8-bit RGB PNG. The bytes depend only on the pixels (and
// the zlib in use): no time, gamma or text chunks, a fixed compression level.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "standin/images/image.h"

namespace standin {

// The PNG bytes of `image`, or none with `error` set for an empty or malformed
// picture (a PNG is at least 1x1).
std::vector<std::uint8_t> EncodePng(const Image &image, std::string &error);

// Writes the PNG of `image` to `out`, which stays open; false with `error` on
// failure, when part of the file may have been written.
bool WritePng(std::FILE *out, const Image &image, std::string &error);

}  // namespace standin
