// PNGs read back into pictures, and pictures compared, for tests that check
// what was drawn.
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "standin/images/image.h"

namespace velbrik_test {

// The picture in the PNG file at `path`, or nothing if it cannot be read.
std::optional<standin::Image> ReadPng(const std::string &path);
// Success, or the sizes or the first pixel that differ.
::testing::AssertionResult SamePixels(const standin::Image &expected, const standin::Image &actual);

}  // namespace velbrik_test
