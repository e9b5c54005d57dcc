// Display objects made by a module built for the Microsoft C++ ABI on x64:
// called through their virtual tables in that ABI's slot order, where the
// virtual destructor takes one slot (the scalar deleting destructor).
#pragma once

#include "standin/core/object_calls.h"

namespace standin::win32 {

const ObjectCalls &MsvcCalls();

}  // namespace standin::win32
