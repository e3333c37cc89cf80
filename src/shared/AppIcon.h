// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QIcon>

// The program's icon, a vector picture shared by all three windows.
QIcon appIcon();
