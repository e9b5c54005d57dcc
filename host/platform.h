// The drawing platform's types and the few calls the module makes: the graphics
// device interface on a surface, the cursor, and export lookup. Declared with C
// linkage, as the platform has them; whatever takes the platform's place defines them.
#pragma once

#include <cstdint>

// DLLENTRY marks the module's entry point: on the platform the linker is told
// its name and it is no export; a stand-in host looks it up among the exports.
#if defined(_WIN32)
#define WINAPI __stdcall
#define DLLEXPORT __declspec(dllexport)
#define DLLENTRY
#else
#define WINAPI
#define DLLEXPORT __attribute__((visibility("default")))
#define DLLENTRY DLLEXPORT
#endif

typedef int BOOL;
typedef std::uint32_t DWORD;
typedef std::uint32_t UINT;
typedef std::int32_t LONG;
typedef void *LPVOID;
typedef std::uint32_t COLORREF;  // 0x00BBGGRR

typedef struct HDC__ *HDC;              // a drawing surface
typedef struct HPEN__ *HPEN;            // a pen
typedef struct HINSTANCE__ *HINSTANCE;  // a loaded module
typedef std::intptr_t(WINAPI *FARPROC)();

struct POINT {
  LONG x;
  LONG y;
};

// Module entry notification reasons.
#define DLL_PROCESS_DETACH 0
#define DLL_PROCESS_ATTACH 1
#define DLL_THREAD_ATTACH 2
#define DLL_THREAD_DETACH 3

extern "C" {
BOOL WINAPI TextOutA(HDC hdc, int x, int y, const char *text, int count);
COLORREF WINAPI SetTextColor(HDC hdc, COLORREF colour);
BOOL WINAPI MoveToEx(HDC hdc, int x, int y, POINT *previous);
BOOL WINAPI LineTo(HDC hdc, int x, int y);
BOOL WINAPI Ellipse(HDC hdc, int left, int top, int right, int bottom);
COLORREF WINAPI SetPixel(HDC hdc, int x, int y, COLORREF colour);
BOOL WINAPI GetCursorPos(POINT *point);
FARPROC WINAPI GetProcAddress(HINSTANCE module, const char *name);
}
