// The C library's sin, cos and acos as the module linked into the page sees
// them (the link wraps them: -Wl,--wrap=sin and so on). The ball's course
// follows every bit of them, and the browser build's C library parts from the
// Linux one in the last bit now and then; evaluated in extended precision and
// rounded once, they agree with it in all but about one call in a thousand,
// and give the digest set's traces exactly, as in the Win32 host.
#include <cmath>

extern "C" {

double __wrap_sin(double x) { return static_cast<double>(sinl(x)); }
double __wrap_cos(double x) { return static_cast<double>(cosl(x)); }
double __wrap_acos(double x) { return static_cast<double>(acosl(x)); }

}  // extern "C"
