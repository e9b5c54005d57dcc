// What the module exports to the host, under undecorated names, and the mode's
// message handler, which the host reaches through the registration only.
#pragma once

#include "host/MFD.h"

extern "C" {
DLLENTRY BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID reserved);
DLLEXPORT void opcDLLInit(HINSTANCE module);
DLLEXPORT void opcDLLExit(HINSTANCE module);
DLLEXPORT int GetModuleVersion();
}

std::intptr_t MsgProc(UINT message, UINT display, UINT sizeWord, std::intptr_t vessel);

extern int modeId;  // the id under which the mode is registered
