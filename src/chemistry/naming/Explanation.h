// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The four sections of the explanation, made from the same reading the name
// was written from: each piece of the name with its reason in the words the
// built-in catalogue uses.

#include "chemistry/naming/ChainReading.h"
#include "chemistry/naming/Naming.h"
#include "chemistry/naming/Writing.h"

#include <array>
#include <string>
#include <vector>

namespace chemistry::naming {

std::array<NameSection, 4> explain(const ChainReading&, const Written&, Locants);

// "a", "a και b", "a, b και c".
std::string listed(const std::vector<std::string>&);

} // namespace chemistry::naming
