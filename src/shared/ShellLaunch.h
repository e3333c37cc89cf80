// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Windows shell's way of opening an address, kept free of Qt so that it
// builds with nothing but a Windows compiler and its system headers.

namespace shell_launch {

// Asks the shell to open `url` (in the system's ANSI code page) with the
// desktop, not one of the program's windows, as the owner, and returns at
// once. `showCommand` is the shell's window show command. The shell's answer
// is deliberately not examined: a link that cannot be opened stays silent.
void openWithShell(const char* url, int showCommand);

} // namespace shell_launch
