#include <cstdio>

#include "standin/images/png_writer.h"

namespace standin {

bool WritePng(std::FILE *out, const Image &image, std::string &error) {
  const std::vector<std::uint8_t> bytes = EncodePng(image, error);
  if (bytes.empty()) return false;
  if (std::fwrite(bytes.data(), 1, bytes.size(), out) != bytes.size()) {
    error = "PNG: write failed";
    return false;
  }
  return true;
}

}  // namespace standin
