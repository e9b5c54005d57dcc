#include "standin/posix/crash_guard.h"

#include <setjmp.h>
#include <signal.h>

#include <cstdlib>
#include <vector>

namespace standin::posix {
namespace {

constexpr int kSignals[] = {SIGSEGV, SIGBUS, SIGILL, SIGFPE};

sigjmp_buf *active = nullptr;  // the guarded call under way, if any
void (*cleanupHook)() = nullptr;
struct sigaction previous[sizeof kSignals / sizeof kSignals[0]];
std::vector<char> altStack;

const char *Name(int signal) {
  switch (signal) {
    case SIGSEGV: return "SIGSEGV";
    case SIGBUS: return "SIGBUS";
    case SIGILL: return "SIGILL";
    case SIGFPE: return "SIGFPE";
    default: return "a fatal signal";
  }
}

void OnFatal(int signal) {
  if (active) {
    sigjmp_buf *to = active;
    active = nullptr;
    siglongjmp(*to, signal);
  }
  if (cleanupHook) cleanupHook();
  // Not the module's: end as the signal would have.
  struct sigaction action {};
  action.sa_handler = SIG_DFL;
  sigaction(signal, &action, nullptr);
  raise(signal);
}

}  // namespace

CrashGuard::CrashGuard(void (*cleanup)()) {
  cleanupHook = cleanup;
  altStack.resize(64 * 1024);
  stack_t stack{};
  stack.ss_sp = altStack.data();
  stack.ss_size = altStack.size();
  sigaltstack(&stack, nullptr);
  for (std::size_t i = 0; i < std::size(kSignals); ++i) {
    struct sigaction action {};
    action.sa_handler = OnFatal;
    // Not blocked in the handler, so nothing is left blocked after the jump.
    action.sa_flags = SA_ONSTACK | SA_NODEFER;
    sigemptyset(&action.sa_mask);
    sigaction(kSignals[i], &action, &previous[i]);
  }
}

CrashGuard::~CrashGuard() {
  for (std::size_t i = 0; i < std::size(kSignals); ++i) sigaction(kSignals[i], &previous[i], nullptr);
  stack_t stack{};
  stack.ss_flags = SS_DISABLE;
  sigaltstack(&stack, nullptr);
  cleanupHook = nullptr;
}

bool CrashGuard::Run(const std::function<void()> &call, std::string &fault) {
  sigjmp_buf here;
  sigjmp_buf *outer = active;
  if (const int signal = sigsetjmp(here, 0)) {
    active = outer;
    fault = Name(signal);
    return false;
  }
  active = &here;
  call();
  active = outer;
  return true;
}

}  // namespace standin::posix
