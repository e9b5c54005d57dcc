// Reads a PNG file back into a picture, for tests that compare what was drawn.
#pragma once

#include <optional>
#include <string>

#include "standin/images/image.h"

namespace velbrik_test {

// The picture in the PNG file at `path`, or nothing if it cannot be read.
std::optional<standin::Image> ReadPng(const std::string &path);

}  // namespace velbrik_test
