// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The twenty built-in formulas, written in the formula notation and read by
// its parser like any formula a teacher writes. Toolkit-free, so that both the
// drawing code and the board's rules read the same descriptions.

#include "content/notation/FormulaNotation.h"

#include <array>
#include <string_view>
#include <vector>

namespace content {

// The built-in formulas in slot order, as written.
extern const std::array<std::string_view, 20> BuiltInFormulaNotation;

// The built-in formulas in slot order, as read.
const std::vector<FormulaDescription>& formulaDescriptions();

} // namespace content
