// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The exercise's title: the exercise window's caption and the worksheet's heading.

#include <QString>

inline QString exerciseTitle() {
    return QStringLiteral(u"Γενίκευση της ονοματολογίας των οργανικών ενώσεων");
}
