// Includes GDI+ the way mingw-w64 needs it: its headers want min/max and the
// COM declarations that the lean <windows.h> leaves out.
#pragma once

#include <windows.h>

#include <objidl.h>

#include <algorithm>
namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus
#include <gdiplus.h>
