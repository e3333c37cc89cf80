// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The last step: the name written out, prefixes in alphabetical order, the
// stem, the bonds' infix, the ending, and the locants where they stand; with
// the pieces of the name the explanation shows.

#include "chemistry/naming/ChainReading.h"

#include <string>

namespace chemistry::naming {

enum class Locants { Written, LeftOut };

// Where locants stand: the school's way puts the multiple bonds' (or else the
// principal group's) before the stem; the newer way puts each before its part.
enum class Style { School, Beside };

struct Written {
    std::string name;
    std::string stem;         // "πεντ"
    std::string bondPart;     // "εν", "(α)διέν"
    std::string classPart;    // "όλη", "(ο)διόλη"
    std::string positionPart; // "4-μεθυλο-4 ... 2-όλη"
};

Written writeName(const ChainReading&, Locants, Style = Style::School);

// A name without its locants, to tell whether two names differ only there.
std::string withoutLocants(std::string_view name);

} // namespace chemistry::naming
