// SPDX-License-Identifier: GPL-3.0-or-later
// Linked into every test of the Windows build. Wine hands no QT_* variable to
// a Windows program, so under Wine the tests' platform (offscreen, on the
// screen the Linux tests use) comes as WINE_QT_QPA_PLATFORM, set by
// packaging/windows/wine-run, and is put back where Qt looks for it before
// main() makes the application.

#include <QByteArray>
#include <QtGlobal>

namespace {

const bool platformTaken = [] {
    const QByteArray platform = qgetenv("WINE_QT_QPA_PLATFORM");
    if (!platform.isEmpty())
        qputenv("QT_QPA_PLATFORM", platform);
    return true;
}();

} // namespace
