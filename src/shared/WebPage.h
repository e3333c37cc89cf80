#pragma once
// The program's one way to hand a web address to the system.

#include <QString>

namespace web {

// Window show commands, as the Windows shell knows them.
inline constexpr int SW_SHOWNORMAL = 1;
inline constexpr int SW_SHOW = 5;

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
void OpenWebPage(const QString& url, int showCommand);
