// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The notation read as a compound, by the conventions a Greek textbook prints:
//   - a group is an atom followed by what it holds: CH3, CH2Cl, CHCl2, CH2OH,
//     NH2, COOH (a carbon with =O and -OH), CHO, CO, COO, CN, CONH2; a carbon
//     always begins a new group, and so does anything after a written bond;
//   - one-bond atoms and OH hang on the group's atom; the chain goes on from
//     the group's last atom that still has a free bond (after COO from its
//     second O, after CH2Cl, CH2OH, CO and CHO from the C);
//   - an O or N written right after an atom takes as many bonds to it as both
//     can spare (CO is C=O, CN is C≡N) unless hydrogens follow it (OH, NH2);
//   - written back to front at the left end: HO, HOOC, OHC, H2N, NC, Cl...,
//     H2C=, HC≡; C2H5 is ethyl;
//   - a branch in parentheses hangs from the last atom before it that has a
//     free bond, carbon or not; "(CH3)2" after an atom is two branches,
//     "(CH3)3C" at the start three on the C, "(CH2)4" four links.
// Every atom must then have its usual number of bonds. Toolkit-free.

#include "chemistry/structure/Structure.h"

#include <string_view>

namespace chemistry {

StructureRead readStructure(std::string_view utf8);

} // namespace chemistry
