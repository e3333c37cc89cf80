#pragma once
#include <QIcon>

// The program's icon, a vector picture shared by all three windows.
QIcon appIcon();
