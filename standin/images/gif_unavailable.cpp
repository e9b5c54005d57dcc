// The animated GIF writer where giflib is absent: every frame is refused with
// the reason, so a program that asks for a GIF fails cleanly.
#include "standin/images/gif_writer.h"

namespace standin {

namespace {
const char kUnavailable[] = "animated GIFs are not written by this build (it has no giflib)";
}

bool GifWriter::Available(std::string &why) {
  why = kUnavailable;
  return false;
}

GifWriter::~GifWriter() = default;

bool GifWriter::AddFrame(const Image &, int, std::string &error) {
  error = kUnavailable;
  return false;
}

bool GifWriter::Finish(std::string &error) {
  error = kUnavailable;
  return false;
}

}  // namespace standin
