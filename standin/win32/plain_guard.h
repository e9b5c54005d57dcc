// Calls into a module in the Win32 host go straight through: a crash inside
// one ends the program, as the platform ends it.
#pragma once

#include "standin/core/call_guard.h"

namespace standin::win32 {

class PlainGuard : public CallGuard {
 public:
  // `cleanup` is for a guard that survives crashes; this one does not.
  explicit PlainGuard(void (*)() = nullptr) {}

  bool Run(const std::function<void()> &call, std::string &) override {
    call();
    return true;
  }
};

}  // namespace standin::win32
