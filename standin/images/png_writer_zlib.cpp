// The PNG writer where libpng is absent: the encoder of its own, which gives
// libpng's bytes.
#include "standin/images/png_encoder.h"
#include "standin/images/png_writer.h"

namespace standin {

std::vector<std::uint8_t> EncodePng(const Image &image, std::string &error) { return EncodePngWithZlib(image, error); }

}  // namespace standin
