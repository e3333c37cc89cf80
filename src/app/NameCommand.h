// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// `onomatologia --name FORMULA`: the compound's name on the first line, then
// each section of its explanation as «part — reason». Needs no display.

#include <optional>

// The program's exit code when the command line asks for a name; nothing
// when it does not.
std::optional<int> runNameCommand(int argc, char* argv[]);
