// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The built-in catalogue: for each of the twenty names, in name-card order, the
// full name taken apart into four fragments, each with its reason.

#include "shared/Module1.h"

#include <array>

namespace content {

// A fresh copy of the whole table, row i describing name card i.
std::array<NameInfo, 20> compoundCatalogue();

} // namespace content
