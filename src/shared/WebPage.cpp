// SPDX-License-Identifier: GPL-3.0-or-later
#include "shared/WebPage.h"

#include <QDesktopServices>
#include <QUrl>

#ifdef Q_OS_WIN
#include "shared/ShellLaunch.h"
#endif

namespace web {

namespace {
// Where the school's links point when no school server was given: a host
// reserved for examples, so that nothing real is ever reached by mistake.
constexpr char16_t PlaceholderSchoolServer[] = u"http://school.example.org";
} // namespace

bool hasSchoolServer() {
    return !QStringLiteral(ONOMATOLOGIA_SCHOOL_SERVER).isEmpty();
}

QString schoolServer() {
    return hasSchoolServer() ? QStringLiteral(ONOMATOLOGIA_SCHOOL_SERVER)
                             : QString::fromUtf16(PlaceholderSchoolServer);
}
QString makerServer() {
    return QStringLiteral(ONOMATOLOGIA_MAKER_SERVER);
}

QString worksheetUrl() {
    return schoolServer() +
           QStringLiteral("/Vadidiv/04DIVURADODE/Vidozador/VuzurazEzuDadaVedozu/QM/WS_KT_31.pdf");
}
QString schoolHomeUrl() {
    return schoolServer() + QStringLiteral("/");
}
QString exercisesIndexUrl() {
    return schoolServer() + QStringLiteral("/Vadidiv/04DIVURADODE/Vidozador/"
                                           "VuzurazEzuDadaVedozu/QM/QMOrganicChemistryFrames.htm");
}
QString freeProgramsUrl() {
    return makerServer() + QStringLiteral("/Free/GR/FreeFramesGR.htm");
}

} // namespace web

void OpenWebPage(const QString& url, web::ShowCommand showCommand) {
#ifdef Q_OS_WIN
    const QByteArray ansi = url.toLocal8Bit();
    shell_launch::openWithShell(ansi.constData(), static_cast<int>(showCommand));
#else
    (void)showCommand;
    const QUrl target(url, QUrl::StrictMode);
    if (!target.isValid() || target.scheme().isEmpty())
        return;
    // openUrl reports failure by its result only; it never throws.
    [[maybe_unused]] const bool opened = QDesktopServices::openUrl(target);
#endif
}
