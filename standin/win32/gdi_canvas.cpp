#include "standin/win32/gdi_canvas.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <map>

#include "standin/core/text_size.h"

namespace standin::win32 {
namespace {

// As the pixel surface on Linux: 64 Mi pixels at most.
constexpr std::int64_t kMaxPixels = std::int64_t{64} << 20;
constexpr int kMaxPixelSize = 1024;
const wchar_t kFace[] = L"DejaVu Sans Mono";

COLORREF FromPixel(std::uint32_t pixel) { return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF); }

std::uint16_t Big16(const std::uint8_t *p) { return static_cast<std::uint16_t>(p[0] << 8 | p[1]); }

// The face's design metrics, as the TrueType tables give them: units per em,
// the line height (ascender - descender + line gap) and the widest advance.
struct FaceMetrics {
  int em = 0;
  int height = 0;
  int maxAdvance = 0;
};

bool ReadMetrics(HDC dc, FaceMetrics &metrics) {
  std::uint8_t head[54], hhea[36];
  const DWORD headTag = 'h' | 'e' << 8 | 'a' << 16 | 'd' << 24, hheaTag = 'h' | 'h' << 8 | 'e' << 16 | 'a' << 24;
  if (GetFontData(dc, headTag, 0, head, sizeof head) != sizeof head ||
      GetFontData(dc, hheaTag, 0, hhea, sizeof hhea) != sizeof hhea)
    return false;
  metrics.em = Big16(head + 18);
  const auto ascender = static_cast<std::int16_t>(Big16(hhea + 4));
  const auto descender = static_cast<std::int16_t>(Big16(hhea + 6));
  const auto gap = static_cast<std::int16_t>(Big16(hhea + 8));
  metrics.height = ascender - descender + gap;
  metrics.maxAdvance = Big16(hhea + 10);
  return metrics.em > 0 && metrics.height > 0 && metrics.maxAdvance > 0;
}

HFONT MakeFont(int pixelSize) {
  // A negative height asks for that many pixels to the em, as FreeType sizes a face.
  return CreateFontW(-pixelSize, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_TT_ONLY_PRECIS,
                     CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, FIXED_PITCH | FF_MODERN, kFace);
}

// The font file added to the platform once; its metrics, read once.
bool FontMetrics(HDC dc, const std::string &file, FaceMetrics &metrics, std::string &error) {
  static std::map<std::string, FaceMetrics> loaded;
  if (const auto found = loaded.find(file); found != loaded.end()) {
    metrics = found->second;
    return true;
  }
  if (AddFontResourceExA(file.c_str(), FR_PRIVATE, nullptr) == 0) {
    error = "cannot add the font file " + file;
    return false;
  }
  HFONT probe = MakeFont(64);
  HGDIOBJ old = SelectObject(dc, probe);
  wchar_t face[LF_FACESIZE] = {};
  GetTextFaceW(dc, LF_FACESIZE, face);
  const bool read = std::wcscmp(face, kFace) == 0 && ReadMetrics(dc, metrics);
  SelectObject(dc, old);
  DeleteObject(probe);
  if (!read) {
    error = "the font file " + file + " gives no usable DejaVu Sans Mono";
    return false;
  }
  loaded[file] = metrics;
  return true;
}

int PixelSizeFor(const FaceMetrics &face, int width, int height) {
  return std::min(TextPixelSize(face.em, face.height, face.maxAdvance, width, height), kMaxPixelSize);
}

}  // namespace

std::unique_ptr<GdiCanvas> GdiCanvas::Create(int width, int height, const std::vector<std::uint32_t> &pens,
                                             const std::string &fontFile, std::string &error) {
  if (width < 0 || height < 0) {
    error = "a display cannot be " + std::to_string(width) + " x " + std::to_string(height) + " pixels";
    return nullptr;
  }
  if (std::int64_t{width} * height > kMaxPixels) {
    error = "a display of " + std::to_string(width) + " x " + std::to_string(height) + " pixels is over the " +
            std::to_string(kMaxPixels) + "-pixel limit";
    return nullptr;
  }
  std::unique_ptr<GdiCanvas> canvas(new GdiCanvas);
  canvas->width_ = width;
  canvas->height_ = height;
  HDC dc = CreateCompatibleDC(nullptr);
  if (!dc) {
    error = "cannot make a device context";
    return nullptr;
  }
  canvas->dc_ = dc;
  if (width > 0 && height > 0) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void *bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap) {
      error = "cannot make a " + std::to_string(width) + " x " + std::to_string(height) + " picture";
      return nullptr;
    }
    canvas->bitmap_ = bitmap;
    canvas->bits_ = static_cast<std::uint32_t *>(bits);
    canvas->oldBitmap_ = SelectObject(dc, bitmap);
  }
  FaceMetrics face;
  if (!FontMetrics(dc, fontFile, face, error)) return nullptr;
  canvas->font_ = MakeFont(PixelSizeFor(face, width, height));
  canvas->oldFont_ = SelectObject(dc, canvas->font_);
  for (const std::uint32_t colour : pens) canvas->pens_.push_back(CreatePen(PS_SOLID, 1, FromPixel(colour)));
  if (!canvas->pens_.empty()) canvas->oldPen_ = SelectObject(dc, canvas->pens_.front());
  SelectObject(dc, GetStockObject(HOLLOW_BRUSH));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 0, 0));
  canvas->Clear();
  return canvas;
}

GdiCanvas::~GdiCanvas() {
  HDC dc = static_cast<HDC>(dc_);
  if (oldPen_) SelectObject(dc, oldPen_);
  for (void *pen : pens_) DeleteObject(pen);
  if (oldFont_) SelectObject(dc, oldFont_);
  if (font_) DeleteObject(font_);
  if (oldBitmap_) SelectObject(dc, oldBitmap_);
  if (bitmap_) DeleteObject(bitmap_);
  DeleteDC(dc);
}

void GdiCanvas::Clear() {
  if (!bits_) return;
  GdiFlush();
  std::memset(bits_, 0, static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_) * 4);
}

void GdiCanvas::SelectPen(unsigned long index) {
  if (pens_.empty()) return;
  SelectObject(static_cast<HDC>(dc_), pens_[index < pens_.size() ? index : 0]);
}

void GdiCanvas::ReadPixels(std::vector<std::uint32_t> &pixels) const {
  const std::size_t count = static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_);
  pixels.resize(count);
  if (!bits_) return;
  GdiFlush();
  // Blue in the low byte, then green and red: 0x00RRGGBB once the top byte is cleared.
  for (std::size_t i = 0; i < count; ++i) pixels[i] = bits_[i] & 0xFFFFFF;
}

void GdiCanvas::SetTextColour(std::uint32_t colorref) { ::SetTextColor(static_cast<HDC>(dc_), colorref); }

void GdiCanvas::PutText(int x, int y, const char *text, int count) {
  ::TextOutA(static_cast<HDC>(dc_), x, y, text, count);
}

void GdiCanvas::MoveTo(int x, int y) { ::MoveToEx(static_cast<HDC>(dc_), x, y, nullptr); }

void GdiCanvas::LineTo(int x, int y) { ::LineTo(static_cast<HDC>(dc_), x, y); }

void GdiCanvas::Ellipse(int left, int top, int right, int bottom) {
  ::Ellipse(static_cast<HDC>(dc_), left, top, right, bottom);
}

void GdiCanvas::SetPixel(int x, int y, std::uint32_t colorref) { ::SetPixel(static_cast<HDC>(dc_), x, y, colorref); }

}  // namespace standin::win32
