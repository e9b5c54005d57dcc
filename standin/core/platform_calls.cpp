#include "standin/core/platform_calls.h"

#include "standin/core/host.h"

namespace standin::calls {

BOOL WINAPI GetCursorPos(POINT *point) {
  Host::Instance().Log("GetCursorPos");
  const auto cursor = Host::Instance().Cursor();
  if (!point || !cursor) return 0;
  *point = *cursor;
  return 1;
}

FARPROC WINAPI GetProcAddress(HINSTANCE module, const char *name) {
  Host::Instance().Log("GetProcAddress", name);
  return reinterpret_cast<FARPROC>(Host::Instance().Export(module, name));
}

}  // namespace standin::calls
