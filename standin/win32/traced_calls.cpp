#include "standin/win32/traced_calls.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>

#include "standin/core/host.h"
#include "standin/core/platform_calls.h"
#include "standin/win32/pe_loader.h"
#include "standin/win32/system_cursor.h"

namespace standin::win32 {
namespace {

CursorReads reads;
std::optional<POINT> placed;  // where the platform's cursor was last put

// With VELBRIK_CURSOR_REPORT set, how the cursor reads went is told at exit.
void ReportCursorReads() {
  std::fprintf(stderr, "cursor reads: %lld where the platform's cursor stood, %lld from the host's position\n",
               static_cast<long long>(reads.platform), static_cast<long long>(reads.host));
}
const bool reporting = std::getenv("VELBRIK_CURSOR_REPORT") && std::atexit(ReportCursorReads) == 0;

// The host's cursor, also put on the platform's cursor and read back from it.
BOOL WINAPI GetCursorPos(POINT *point) {
  if (!calls::GetCursorPos(point)) return 0;
  if (!placed || placed->x != point->x || placed->y != point->y) {
    PlaceCursor(point->x, point->y);
    placed = *point;
  }
  int x = 0, y = 0;
  if (ReadCursor(x, y) && x == point->x && y == point->y)
    ++reads.platform;
  else
    ++reads.host;  // *point keeps the host's position
  return 1;
}

FARPROC WINAPI GetProcAddress(HINSTANCE module, const char *name) {
  Host::Instance().Log("GetProcAddress", name);
  return reinterpret_cast<FARPROC>(ExportOf(module, name));
}

// Through the generic function type, which any function pointer may take.
template <typename Function>
void *Address(Function *function) {
  return reinterpret_cast<void *>(reinterpret_cast<void (*)()>(function));
}

struct Traced {
  const char *dll;
  const char *name;
  void *address;
};

}  // namespace

bool SameFileName(const std::string &a, const std::string &b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

void *TracedCall(const std::string &dll, const char *name) {
  static const Traced traced[] = {
      {"gdi32.dll", "TextOutA", Address(&calls::TextOutA)},
      {"gdi32.dll", "SetTextColor", Address(&calls::SetTextColor)},
      {"gdi32.dll", "MoveToEx", Address(&calls::MoveToEx)},
      {"gdi32.dll", "LineTo", Address(&calls::LineTo)},
      {"gdi32.dll", "Ellipse", Address(&calls::Ellipse)},
      {"gdi32.dll", "SetPixel", Address(&calls::SetPixel)},
      {"user32.dll", "GetCursorPos", Address(&GetCursorPos)},
      {"kernel32.dll", "GetProcAddress", Address(&GetProcAddress)},
  };
  for (const Traced &t : traced)
    if (SameFileName(dll, t.dll) && std::strcmp(name, t.name) == 0) return t.address;
  return nullptr;
}

CursorReads CursorReadsSoFar() { return reads; }

}  // namespace standin::win32
