// Module entry, exports, mode registration and the message handler that creates
// a game display for every display switched to the mode.
#include "module/entry.h"

#include <new>

#include "game/BrickMFD.h"

int modeId = 0;

namespace {

char modeName[] = "Velbrik";
char versionDate[] = "Apr 25 2006";
int cachedVersion = 0;

typedef void (*ExitHook)(HINSTANCE);
ExitHook exitHook = nullptr;

}  // namespace

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
  switch (reason) {
    case DLL_PROCESS_ATTACH: {
      InitLib(module);
      FARPROC hook = GetProcAddress(module, "ExitModule");
      if (!hook) hook = GetProcAddress(module, "opcDLLExit");
      // Through the generic function type, which any function pointer may take.
      exitHook = reinterpret_cast<ExitHook>(reinterpret_cast<void (*)()>(hook));
      break;
    }
    case DLL_PROCESS_DETACH:
      if (exitHook) exitHook(module);
      break;
    default: break;
  }
  return 1;
}

void opcDLLInit(HINSTANCE) {
  MFDMODESPEC mode;
  mode.name = modeName;
  mode.key = OAPI_KEY_N;
  mode.msgproc = MsgProc;
  modeId = oapiRegisterMFDMode(mode);
}

void opcDLLExit(HINSTANCE) { oapiUnregisterMFDMode(modeId); }

int GetModuleVersion() {
  if (cachedVersion == 0) cachedVersion = Date2Int(versionDate);
  return cachedVersion;
}

std::intptr_t MsgProc(UINT message, UINT, UINT sizeWord, std::intptr_t vessel) {
  if (message != 1) return 0;
  BrickMFD *display =
      new (std::nothrow) BrickMFD(sizeWord & 0xFFFF, sizeWord >> 16, reinterpret_cast<VESSEL *>(vessel));
  return reinterpret_cast<std::intptr_t>(display);
}
