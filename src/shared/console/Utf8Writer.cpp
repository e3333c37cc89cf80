// SPDX-License-Identifier: GPL-3.0-or-later
#include "shared/console/Utf8Writer.h"

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#endif

namespace console {
namespace {

constexpr char16_t replacement = 0xFFFD;

// The length of the sequence `lead` starts and the bounds its second byte
// must keep, which rule out overlong forms, surrogates and code points past
// U+10FFFF at the first byte that betrays them.
struct Lead {
    int length;
    unsigned char low, high;
};

Lead leadOf(unsigned char b) {
    if (b >= 0xC2 && b <= 0xDF)
        return {2, 0x80, 0xBF};
    if (b == 0xE0)
        return {3, 0xA0, 0xBF};
    if (b == 0xED)
        return {3, 0x80, 0x9F};
    if (b >= 0xE1 && b <= 0xEF)
        return {3, 0x80, 0xBF};
    if (b == 0xF0)
        return {4, 0x90, 0xBF};
    if (b >= 0xF1 && b <= 0xF3)
        return {4, 0x80, 0xBF};
    if (b == 0xF4)
        return {4, 0x80, 0x8F};
    return {0, 0, 0};
}

void append(std::u16string& out, char32_t c) {
    if (c < 0x10000) {
        out += static_cast<char16_t>(c);
        return;
    }
    c -= 0x10000;
    out += static_cast<char16_t>(0xD800 + (c >> 10));
    out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
}

#ifdef _WIN32
// A windowed program has no console of its own: the first write looks for
// the one of the program that started it (cmd, PowerShell) and keeps it.
HANDLE parentConsole() {
    static const HANDLE console = [] {
        if (!AttachConsole(ATTACH_PARENT_PROCESS) && GetLastError() != ERROR_ACCESS_DENIED)
            return INVALID_HANDLE_VALUE;
        return CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    }();
    return console;
}

HANDLE handleOf(std::FILE* stream) {
    const int fd = _fileno(stream);
    if (fd >= 0) {
        const auto h = reinterpret_cast<HANDLE>(_get_osfhandle(fd));
        if (h != INVALID_HANDLE_VALUE && h != nullptr)
            return h;
    }
    return parentConsole();
}
#endif

} // namespace

std::u16string utf16(std::string_view utf8) {
    std::u16string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        if (b < 0x80) {
            out += static_cast<char16_t>(b);
            ++i;
            continue;
        }
        const Lead lead = leadOf(b);
        if (lead.length == 0 || i + lead.length > utf8.size()) {
            out += replacement;
            ++i;
            continue;
        }
        char32_t c = b & (0x7F >> lead.length);
        bool ok = true;
        for (int k = 1; k < lead.length && ok; ++k) {
            const auto next = static_cast<unsigned char>(utf8[i + k]);
            const bool inRange =
                k == 1 ? next >= lead.low && next <= lead.high : next >= 0x80 && next <= 0xBF;
            ok = inRange;
            c = (c << 6) | (next & 0x3F);
        }
        if (!ok) {
            out += replacement;
            ++i;
            continue;
        }
        append(out, c);
        i += lead.length;
    }
    return out;
}

void write(std::FILE* stream, std::string_view utf8) {
#ifdef _WIN32
    // Whatever went through the C library before (nothing should) goes first.
    std::fflush(stream);
    const HANDLE h = handleOf(stream);
    if (h == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    if (DWORD mode = 0; GetConsoleMode(h, &mode)) {
        const std::u16string wide = utf16(utf8);
        WriteConsoleW(h, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
        return;
    }
    WriteFile(h, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
#else
    std::fwrite(utf8.data(), 1, utf8.size(), stream);
#endif
}

} // namespace console
