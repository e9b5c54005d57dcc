#include "standin/win32/math_calls.h"

#include <cmath>
#include <cstring>

#include "standin/win32/traced_calls.h"

namespace standin::win32 {
namespace {

double Sin(double x) { return static_cast<double>(sinl(x)); }
double Cos(double x) { return static_cast<double>(cosl(x)); }
double Acos(double x) { return static_cast<double>(acosl(x)); }

}  // namespace

void *MathCall(const std::string &dll, const char *name) {
  if (!SameFileName(dll, "msvcrt.dll")) return nullptr;
  const struct {
    const char *name;
    double (*call)(double);
  } calls[] = {{"sin", Sin}, {"cos", Cos}, {"acos", Acos}};
  for (const auto &c : calls)
    if (std::strcmp(name, c.name) == 0) return reinterpret_cast<void *>(c.call);
  return nullptr;
}

}  // namespace standin::win32
