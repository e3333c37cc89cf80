// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's one way to hand a web address to the system.

#include <QString>

namespace web {

// How the window of the program that opens an address is to be shown, in the
// Windows shell's numbering (elsewhere the system decides and this is unused).
enum class ShowCommand : int {
    ShowNormal = 1,
    Show = 5,
};

// Whether the program was built with a school server of its own. Without one
// the worksheet is made on this computer, and the school's links lead to the
// reserved example host, which answers nowhere.
bool hasSchoolServer();

// The servers, fixed when the program is built.
QString schoolServer();
QString makerServer();

QString worksheetUrl();
QString schoolHomeUrl();
QString exercisesIndexUrl();
QString freeProgramsUrl();

} // namespace web

// Opens `url` in the system's handler without an owner window and without
// waiting. Every failure (no browser, no handler, no network) is swallowed.
void OpenWebPage(const QString& url, web::ShowCommand showCommand);
