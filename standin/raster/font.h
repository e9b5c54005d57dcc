// The stand-in host's text font: one monospace face, rendered with FreeType,
// each pixel size rendered once and kept.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace standin {

// One rendered character: coverage from 0 (none) to 255 (full), rows top to bottom.
struct Glyph {
  int left = 0;  // from the pen position right to the bitmap's first column
  int top = 0;   // from the baseline up to the bitmap's first row
  int width = 0;
  int height = 0;
  int advance = 0;  // from this character's pen position to the next one's
  std::vector<std::uint8_t> coverage;
};

// The glyphs of one pixel size, one for each byte of text, read as Latin-1.
struct GlyphSet {
  int pixelSize = 0;
  int ascent = 0;      // from the top of a text cell down to the baseline
  int lineHeight = 0;  // from one line's top to the next one's
  int advance = 0;     // the width of a character cell
  std::array<Glyph, 256> glyphs;

  const Glyph &operator[](unsigned char c) const { return glyphs[c]; }
};

// A face's design metrics, in font units: all that picks a pixel size.
struct FaceMetrics {
  std::int64_t unitsPerEm = 0;
  std::int64_t height = 0;      // from one line's baseline to the next one's
  std::int64_t maxAdvance = 0;  // the widest character's advance
};

class Font {
 public:
  // The monospace face where the distribution's font packages install it; null
  // with `error` naming the places looked in and the package to install.
  static std::shared_ptr<Font> LoadDefault(std::string &error);
  // The face in the font file at `path`; null with `error` when it cannot be used.
  static std::shared_ptr<Font> Load(const std::string &path, std::string &error);

  ~Font();
  Font(const Font &) = delete;
  Font &operator=(const Font &) = delete;

  static constexpr int kMaxPixelSize = 1024;

  FaceMetrics Metrics() const;
  // The host's text size for a width x height display (standin/core/text_size.h),
  // by the face's design metrics; 1 to kMaxPixelSize.
  int SizeFor(int width, int height) const { return SizeFor(Metrics(), width, height); }
  static int SizeFor(const FaceMetrics &metrics, int width, int height);
  // The glyphs at `pixelSize`, brought into 1 to kMaxPixelSize, rendered on
  // first use. The reference stays valid as long as the font lives.
  const GlyphSet &Glyphs(int pixelSize);

 private:
  struct Face;
  explicit Font(std::unique_ptr<Face> face);

  std::unique_ptr<Face> face_;
  std::map<int, std::unique_ptr<GlyphSet>> sizes_;
};

}  // namespace standin
