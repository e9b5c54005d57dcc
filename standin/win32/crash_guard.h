// The Win32 call guard: a fatal fault inside a guarded call (a bad memory
// access, an illegal instruction, an integer division by zero, a stack
// overflow) returns to the call's start with the fault's name as the platform
// spells it ("EXCEPTION_ACCESS_VIOLATION"). A vectored handler sees the fault
// first and resumes the thread in a function that jumps back; nothing of the
// module's frames is unwound. Outside a guarded call a fault ends the program
// as it would have, after `cleanup` (if set) has run.
#pragma once

#include "standin/core/call_guard.h"

namespace standin::win32 {

class CrashGuard : public CallGuard {
 public:
  // Installs the handlers; one guard at a time, calls on the thread that made it.
  explicit CrashGuard(void (*cleanup)() = nullptr);
  ~CrashGuard() override;  // removes them, puts the previous filter back
  CrashGuard(const CrashGuard &) = delete;
  CrashGuard &operator=(const CrashGuard &) = delete;

  bool Run(const std::function<void()> &call, std::string &fault) override;

 private:
  void *handler_;
};

}  // namespace standin::win32
