#pragma once
// Include this first in every test of the Win32 half. The native libgtest.a was built for glibc;
// GoogleTest's headers take _WIN32 to mean Microsoft's C library and would then not match it, so
// the Windows macros are hidden while they are read, and windows.h comes after.

#pragma push_macro("_WIN32")
#pragma push_macro("WIN32")
#pragma push_macro("__WIN32__")
#pragma push_macro("_WIN64")
#pragma push_macro("WIN64")
#undef _WIN32
#undef WIN32
#undef __WIN32__
#undef _WIN64
#undef WIN64

#include <gtest/gtest.h>

#pragma pop_macro("WIN64")
#pragma pop_macro("_WIN64")
#pragma pop_macro("__WIN32__")
#pragma pop_macro("WIN32")
#pragma pop_macro("_WIN32")

#include <windows.h>
