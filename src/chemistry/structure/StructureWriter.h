// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A compound written back in the notation as a teacher writes it: the longest
// chain as the row, read from the end that holds the least, the groups at its
// ends written out (CH2Cl, COOH, CONH2, and at the left end back to front:
// HO, H2N, HOOC, OHC, NC), a C=O inside the chain as CO, and everything else
// hung in parentheses from the atom that holds it. What it writes reads back
// as the same compound.

#include "chemistry/structure/Structure.h"

#include <string>

namespace chemistry {

std::string writeStructure(const Structure&);

} // namespace chemistry
