// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's own faces, bundled as resources: Liberation Sans Bold (Arial's
// metrics) for formulas and labels, Liberation Serif Bold (Times New Roman's
// metrics) for names. Registering them once at start-up makes every machine
// measure and draw text alike.

#include <QFont>

namespace content {

void registerBundledFonts();

// Bold sans-serif with Greek: formulas, the grade, the explanation window.
QFont sansBold();
// Bold serif with Greek: the names on the green cards.
QFont serifBold();

} // namespace content
