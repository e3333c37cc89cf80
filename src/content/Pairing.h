// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Which name belongs to which formula: the single source of truth for grading.
// Toolkit-free so that the board model can use it without Qt.

#include <array>
#include <cstdint>

namespace content {

inline constexpr int NameCount = 20;
inline constexpr int FormulaCount = 20;

// For formula slot i, the index of the name card that belongs under it.
inline constexpr std::array<int16_t, FormulaCount> CorrectNameForFormula = {
    19, 17, 4, 5, 3, 0, 2, 7, 12, 16, 11, 13, 10, 9, 18, 8, 6, 15, 14, 1};

// For name k, the formula slot it belongs under (the inverse permutation).
inline constexpr std::array<int16_t, NameCount> CorrectFormulaForName = {
    5, 19, 6, 4, 2, 3, 16, 7, 15, 13, 12, 10, 8, 11, 18, 17, 9, 1, 14, 0};

} // namespace content
