// Calls into a display module that survive its crash: the platform catches
// the fatal fault (a bad memory access, an illegal instruction, an arithmetic
// fault) inside the call and returns to the host with its name, so the host
// can keep what it has (the trace up to the crash) and say what happened.
// After a crash nothing more is called in the module.
#pragma once

#include <functional>
#include <string>

namespace standin {

class CallGuard {
 public:
  virtual ~CallGuard() = default;
  // Runs `call`; false with the fault's name (e.g. "SIGSEGV") in `fault` when
  // the module crashed in it.
  virtual bool Run(const std::function<void()> &call, std::string &fault) = 0;
};

}  // namespace standin
