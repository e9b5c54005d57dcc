// make_glyph_table OUT SIZE...: renders the stand-in's text font with FreeType
// at each pixel size given and writes the glyphs as C++ source for
// glyph_table.h, for builds that have no FreeType. Runs on the build machine.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "standin/raster/font.h"

namespace {

int Fail(const std::string &message) {
  std::fprintf(stderr, "make_glyph_table: %s\n", message.c_str());
  return 1;
}

void WriteSize(std::FILE *out, const standin::GlyphSet &set) {
  const int size = set.pixelSize;
  std::fprintf(out, "const std::uint8_t kCoverage%d[] = {0", size);  // never empty
  for (const standin::Glyph &glyph : set.glyphs)
    for (std::size_t i = 0; i < glyph.coverage.size(); ++i)
      std::fprintf(out, i % 32 == 0 ? ",\n%u" : ",%u", unsigned{glyph.coverage[i]});
  std::fprintf(out, "};\n\nconst GlyphRecord kGlyphs%d[256] = {\n", size);
  std::size_t offset = 1;
  for (const standin::Glyph &glyph : set.glyphs) {
    std::fprintf(out, "    {%d, %d, %d, %d, %d, %zu},\n", glyph.left, glyph.top, glyph.width, glyph.height,
                 glyph.advance, offset);
    offset += glyph.coverage.size();
  }
  std::fprintf(out, "};\n\n");
}

}  // namespace

int main(int argc, char **argv) {
  if (argc < 3) return Fail("usage: make_glyph_table OUT SIZE...");
  std::vector<int> sizes;
  for (int i = 2; i < argc; ++i) {
    char *end = nullptr;
    const long size = std::strtol(argv[i], &end, 10);
    if (*end != '\0' || size < 1 || size > standin::Font::kMaxPixelSize || (!sizes.empty() && size <= sizes.back()))
      return Fail(std::string("sizes must be increasing whole numbers from 1 to 1024, got '") + argv[i] + "'");
    sizes.push_back(static_cast<int>(size));
  }
  std::string error;
  const auto font = standin::Font::LoadDefault(error);
  if (!font) return Fail(error);

  const std::string path = argv[1];
  const std::string temporary = path + ".part";
  std::FILE *out = std::fopen(temporary.c_str(), "w");
  if (!out) return Fail("cannot write " + temporary);
  const standin::FaceMetrics face = font->Metrics();
  std::fprintf(out,
               "// Made by make_glyph_table at build time; not to be edited.\n"
               "#include \"standin/web/glyph_table.h\"\n\n"
               "namespace standin::glyph_table {\nnamespace {\n\n");
  for (const int size : sizes) WriteSize(out, font->Glyphs(size));
  std::fprintf(out,
               "}  // namespace\n\nconst FaceMetrics kFace = {%lld, %lld, %lld};\n\nconst SizeRecord kSizes[] = {\n",
               static_cast<long long>(face.unitsPerEm), static_cast<long long>(face.height),
               static_cast<long long>(face.maxAdvance));
  for (const int size : sizes) {
    const standin::GlyphSet &set = font->Glyphs(size);
    std::fprintf(out, "    {%d, %d, %d, %d, kGlyphs%d, kCoverage%d},\n", size, set.ascent, set.lineHeight, set.advance,
                 size, size);
  }
  std::fprintf(out, "};\nconst int kSizeCount = %zu;\n\n}  // namespace standin::glyph_table\n", sizes.size());
  if (std::fclose(out) != 0 || std::rename(temporary.c_str(), path.c_str()) != 0) {
    std::remove(temporary.c_str());
    return Fail("cannot write " + path);
  }
  return 0;
}
