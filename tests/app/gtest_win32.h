#pragma once
// Included first by every test of the Windows half: GoogleTest, then the Win32 API.

#include <gtest/gtest.h>
#include <windows.h>
