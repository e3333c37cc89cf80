// SPDX-License-Identifier: GPL-3.0-or-later
#include "shared/ShellLaunch.h"

// windows.h first: shellapi.h relies on its types.
#include <windows.h>

#include <shellapi.h>

namespace shell_launch {

void openWithShell(const char* url, int showCommand) {
    const HWND owner = GetDesktopWindow();
    [[maybe_unused]] const HINSTANCE result =
        ShellExecuteA(owner, "open", url, "", "", showCommand);
}

} // namespace shell_launch
