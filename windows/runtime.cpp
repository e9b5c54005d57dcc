// What the compiler expects of a C runtime in the module's Windows build, which
// links none: the heap behind new and delete, over the platform's malloc and
// free, and the marker that floating point is used.
#include <new>

extern "C" {
void *__cdecl malloc(size_t size);
void __cdecl free(void *block);

// Referenced by every object that uses floating point; its value is not read.
int _fltused = 0;
}

void *operator new(size_t size, const std::nothrow_t &) noexcept { return malloc(size); }

void operator delete(void *block) noexcept { free(block); }
