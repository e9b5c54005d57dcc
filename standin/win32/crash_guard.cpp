#include "standin/win32/crash_guard.h"

#include <windows.h>

namespace standin::win32 {
namespace {

// The guarded call under way: where its start was saved (__builtin_setjmp's
// five words), on which thread, and the fault that ended it. Volatile: they
// change behind the compiler's back, and are read again after the jump.
void *(*volatile active)[5] = nullptr;
DWORD activeThread = 0;
volatile DWORD faultCode = 0;
void (*cleanupHook)() = nullptr;
LPTOP_LEVEL_EXCEPTION_FILTER previousFilter = nullptr;

const char *Name(DWORD code) {
  switch (code) {
    case EXCEPTION_ACCESS_VIOLATION: return "EXCEPTION_ACCESS_VIOLATION";
    case EXCEPTION_IN_PAGE_ERROR: return "EXCEPTION_IN_PAGE_ERROR";
    case EXCEPTION_DATATYPE_MISALIGNMENT: return "EXCEPTION_DATATYPE_MISALIGNMENT";
    case EXCEPTION_ARRAY_BOUNDS_EXCEEDED: return "EXCEPTION_ARRAY_BOUNDS_EXCEEDED";
    case EXCEPTION_ILLEGAL_INSTRUCTION: return "EXCEPTION_ILLEGAL_INSTRUCTION";
    case EXCEPTION_PRIV_INSTRUCTION: return "EXCEPTION_PRIV_INSTRUCTION";
    case EXCEPTION_INT_DIVIDE_BY_ZERO: return "EXCEPTION_INT_DIVIDE_BY_ZERO";
    case EXCEPTION_INT_OVERFLOW: return "EXCEPTION_INT_OVERFLOW";
    case EXCEPTION_STACK_OVERFLOW: return "EXCEPTION_STACK_OVERFLOW";
    default: return nullptr;  // not a fault that ends a program
  }
}

// Where a faulting thread resumes: back to the guarded call's start. Runs on
// the module's stack, so it needs next to none.
[[noreturn]] __attribute__((noinline)) void Escape() {
  void *(*to)[5] = active;
  active = nullptr;
  __builtin_longjmp(*to, 1);
}

LONG CALLBACK OnException(EXCEPTION_POINTERS *exception) {
  const DWORD code = exception->ExceptionRecord->ExceptionCode;
  if (!active || GetCurrentThreadId() != activeThread || !Name(code)) return EXCEPTION_CONTINUE_SEARCH;
  faultCode = code;
  // As if the faulting code had called Escape: the stack aligned as after a call.
  CONTEXT *context = exception->ContextRecord;
  context->Rsp = (context->Rsp & ~DWORD64{15}) - 8;
  context->Rip = reinterpret_cast<DWORD64>(&Escape);
  return EXCEPTION_CONTINUE_EXECUTION;
}

LONG WINAPI OnUnhandled(EXCEPTION_POINTERS *exception) {
  if (cleanupHook) cleanupHook();
  return previousFilter ? previousFilter(exception) : EXCEPTION_CONTINUE_SEARCH;
}

}  // namespace

CrashGuard::CrashGuard(void (*cleanup)()) : handler_(AddVectoredExceptionHandler(1, OnException)) {
  cleanupHook = cleanup;
  activeThread = GetCurrentThreadId();
  previousFilter = SetUnhandledExceptionFilter(OnUnhandled);
}

CrashGuard::~CrashGuard() {
  SetUnhandledExceptionFilter(previousFilter);
  previousFilter = nullptr;
  if (handler_) RemoveVectoredExceptionHandler(handler_);
  cleanupHook = nullptr;
}

bool CrashGuard::Run(const std::function<void()> &call, std::string &fault) {
  void *here[5];
  void *(*outer)[5] = active;
  if (__builtin_setjmp(here)) {
    active = outer;
    fault = Name(faultCode);
    return false;
  }
  active = &here;
  call();
  active = outer;
  return true;
}

}  // namespace standin::win32
