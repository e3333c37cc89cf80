// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Whether the test runs as a Windows program under Wine, where the Windows
// build is tried on Linux. Wine's ntdll says so; Windows' own has no such entry.

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#endif

namespace testing_support {

inline bool underWine() {
#ifdef _WIN32
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
#else
    return false;
#endif
}

} // namespace testing_support
