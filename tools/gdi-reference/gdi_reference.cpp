// Draws lines, ellipses and pixels with the platform's own graphics calls and
// prints which pixels each one changed, so the stand-in's rasteriser can be
// held against the real thing. A Windows console program.
//
// Input, one command a line (blank lines and lines starting with # are skipped):
//   surface W H             later commands draw on a W x H surface (64 x 64 at first)
//   ellipse L T R B         Ellipse(L, T, R, B), 1-pixel solid pen, hollow brush
//   line X0 Y0 X1 Y1        MoveToEx(X0, Y0) then LineTo(X1, Y1)
//   pixel X Y               SetPixel(X, Y)
// Every drawing command starts on a blank surface and prints one line: the
// command as read, a colon, then each row that changed as " y:x,x,x", rows
// from the top and columns from the left.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

// A memory surface: a 32-bit top-down bitmap selected into its own device
// context, with a white 1-pixel solid pen and the hollow stock brush.
class Surface {
 public:
  Surface(int width, int height) : width_(width), height_(height) {
    dc_ = CreateCompatibleDC(nullptr);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void **>(&bits_), nullptr, 0);
    oldBitmap_ = SelectObject(dc_, bitmap_);
    pen_ = CreatePen(PS_SOLID, 1, RGB(255, 255, 255));
    oldPen_ = SelectObject(dc_, pen_);
    oldBrush_ = SelectObject(dc_, GetStockObject(HOLLOW_BRUSH));
  }
  ~Surface() {
    SelectObject(dc_, oldBrush_);
    SelectObject(dc_, oldPen_);
    SelectObject(dc_, oldBitmap_);
    DeleteObject(pen_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  Surface(const Surface &) = delete;
  Surface &operator=(const Surface &) = delete;

  bool Ok() const { return dc_ && bitmap_ && bits_ && pen_; }
  HDC Dc() const { return dc_; }
  void Clear() {
    GdiFlush();
    std::memset(bits_, 0, static_cast<size_t>(width_) * height_ * 4);
  }
  // The changed pixels, in the output format.
  std::string Changed() {
    GdiFlush();
    std::string out;
    char text[32];
    for (int y = 0; y < height_; ++y) {
      bool any = false;
      for (int x = 0; x < width_; ++x) {
        if (bits_[static_cast<size_t>(y) * width_ + x] == 0) continue;
        std::snprintf(text, sizeof text, any ? ",%d" : " %d:%d", any ? x : y, x);
        out += text;
        any = true;
      }
    }
    return out;
  }

 private:
  int width_, height_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HPEN pen_ = nullptr;
  HGDIOBJ oldBitmap_ = nullptr, oldPen_ = nullptr, oldBrush_ = nullptr;
  unsigned *bits_ = nullptr;
};

}  // namespace

int main(int argc, char **argv) {
  _setmode(_fileno(stdout), _O_BINARY);  // lines end in \n alone, as on the stand-in's side
  FILE *in = stdin;
  if (argc > 1 && !(in = std::fopen(argv[1], "r"))) {
    std::fprintf(stderr, "cannot read %s\n", argv[1]);
    return 2;
  }
  int width = 64, height = 64;
  Surface *surface = new Surface(width, height);
  char line[256];
  int number = 0;
  while (std::fgets(line, sizeof line, in)) {
    ++number;
    line[std::strcspn(line, "\r\n")] = 0;
    char command[16] = "";
    int a = 0, b = 0, c = 0, d = 0, n = 0;
    if (line[0] == 0 || line[0] == '#') continue;
    const int fields = std::sscanf(line, "%15s %d %d %d %d %n", command, &a, &b, &c, &d, &n);
    const std::string name = command;
    bool ok = true;
    if (name == "surface" && fields >= 3 && a > 0 && b > 0) {
      delete surface;
      surface = new Surface(width = a, height = b);
      ok = surface->Ok();
      if (ok) continue;
    } else if (name == "ellipse" && fields == 5) {
      surface->Clear();
      Ellipse(surface->Dc(), a, b, c, d);
    } else if (name == "line" && fields == 5) {
      surface->Clear();
      MoveToEx(surface->Dc(), a, b, nullptr);
      LineTo(surface->Dc(), c, d);
    } else if (name == "pixel" && fields >= 3) {
      surface->Clear();
      SetPixel(surface->Dc(), a, b, RGB(255, 255, 255));
    } else {
      ok = false;
    }
    if (!ok) {
      std::fprintf(stderr, "line %d: cannot do \"%s\"\n", number, line);
      delete surface;
      return 2;
    }
    std::printf("%s:%s\n", line, surface->Changed().c_str());
  }
  delete surface;
  return 0;
}
