// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a teacher is told of an atom whose bonds do not add up: the atom as
// counted from the left ("ο 2ος άνθρακας (CH3)"), its bonds against the usual
// number, and what to write instead.

#include "chemistry/structure/Structure.h"

#include <string>
#include <vector>

namespace chemistry {

// `columns`: where each atom of `s` was written, which orders them from the left.
std::string bondsMessage(const Structure& s, const std::vector<int>& columns, int atom);

} // namespace chemistry
