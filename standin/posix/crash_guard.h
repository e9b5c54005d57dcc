// The POSIX call guard: fatal signals raised inside a guarded call return to
// the call's start (on an alternate stack, so a stack overflow is caught too).
// Outside a guarded call a fatal signal ends the program as it would have,
// after `cleanup` (if set) has run.
#pragma once

#include "standin/core/call_guard.h"

namespace standin::posix {

class CrashGuard : public CallGuard {
 public:
  // Installs the handlers; one guard at a time.
  explicit CrashGuard(void (*cleanup)() = nullptr);
  ~CrashGuard() override;  // puts the previous handlers back
  CrashGuard(const CrashGuard &) = delete;
  CrashGuard &operator=(const CrashGuard &) = delete;

  bool Run(const std::function<void()> &call, std::string &fault) override;
};

}  // namespace standin::posix
