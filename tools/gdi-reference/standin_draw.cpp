// The stand-in's pixel surface fed the same commands as gdi_reference.cpp and
// printing the same lines, so the two outputs compare with diff.
#include <cstdio>
#include <cstring>
#include <memory>
#include <sstream>
#include <string>

#include "standin/raster/raster.h"

namespace {

// The rows that changed, as " y:x,x,x" from the top left.
std::string Changed(const standin::Image &image) {
  std::string out;
  for (int y = 0; y < image.height; ++y) {
    bool any = false;
    for (int x = 0; x < image.width; ++x) {
      if (image.At(x, y) == 0) continue;
      out += (any ? "," : " " + std::to_string(y) + ":") + std::to_string(x);
      any = true;
    }
  }
  return out;
}

}  // namespace

int main(int argc, char **argv) {
  FILE *in = stdin;
  if (argc > 1 && !(in = std::fopen(argv[1], "r"))) {
    std::fprintf(stderr, "cannot read %s\n", argv[1]);
    return 2;
  }
  std::string error;
  const std::shared_ptr<standin::Font> font = standin::Font::LoadDefault(error);
  std::unique_ptr<standin::Raster> raster = font ? standin::Raster::Create(64, 64, font, error) : nullptr;
  char text[256];
  int number = 0;
  while (raster && std::fgets(text, sizeof text, in)) {
    ++number;
    text[std::strcspn(text, "\r\n")] = 0;
    const std::string line = text;
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    std::string name;
    long long a = 0, b = 0, c = 0, d = 0;
    fields >> name >> a >> b;
    const bool two = !fields.fail();
    fields >> c >> d;
    const bool four = !fields.fail();
    auto fits = [](long long v) { return v >= INT32_MIN && v <= INT32_MAX; };
    const bool ok = two && fits(a) && fits(b) && (!four || (fits(c) && fits(d)));
    const int x0 = static_cast<int>(a), y0 = static_cast<int>(b), x1 = static_cast<int>(c), y1 = static_cast<int>(d);
    if (ok && name == "surface" && !four && x0 > 0 && y0 > 0) {
      raster = standin::Raster::Create(x0, y0, font, error);
      continue;
    }
    if (ok && four && name == "ellipse") {
      raster->BeginFrame();
      raster->SelectPen(0);
      raster->Ellipse(x0, y0, x1, y1);
    } else if (ok && four && name == "line") {
      raster->BeginFrame();
      raster->MoveTo(x0, y0);
      raster->LineTo(x1, y1);
    } else if (ok && !four && name == "pixel") {
      raster->BeginFrame();
      raster->SetPixel(x0, y0, 0xFFFFFF);
    } else {
      std::fprintf(stderr, "line %d: cannot do \"%s\"\n", number, text);
      return 2;
    }
    std::printf("%s:%s\n", text, Changed(raster->Frame()).c_str());
  }
  if (!raster) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 2;
  }
  return 0;
}
