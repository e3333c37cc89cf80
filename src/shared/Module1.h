// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// State that two windows share: the compound catalogue, filled by the exercise
// window at start-up, and the row the explanation window is to show.

#include <QString>
#include <array>
#include <cstdint>

struct NameInfo {
    QString FullName;
    QString CarbonPart;
    QString CarbonReason;
    QString BondPart;
    QString BondReason;
    QString ClassPart;
    QString ClassReason;
    QString PositionPart;
    QString PositionReason;
};

namespace Module1 {
inline std::array<NameInfo, 20> CompoundNames;
inline int16_t ExplainIndex = 0;
} // namespace Module1
