#include "shared/WebPage.h"

#include <QDesktopServices>
#include <QUrl>

#ifdef Q_OS_WIN
// windows.h first: shellapi.h relies on its types.
#include <windows.h>

#include <shellapi.h>
#endif

namespace web {

QString schoolServer() {
    return QStringLiteral(ONOMATOLOGIA_SCHOOL_SERVER);
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

void OpenWebPage(const QString& url, int showCommand) {
#ifdef Q_OS_WIN
    // The desktop, not one of our windows, owns the launch; the result is
    // deliberately not examined.
    const HWND owner = GetDesktopWindow();
    const QByteArray ansi = url.toLocal8Bit();
    [[maybe_unused]] const HINSTANCE result =
        ShellExecuteA(owner, "open", ansi.constData(), "", "", showCommand);
#else
    (void)showCommand;
    const QUrl target(url, QUrl::StrictMode);
    if (!target.isValid() || target.scheme().isEmpty())
        return;
    // openUrl reports failure by its result only; it never throws.
    [[maybe_unused]] const bool opened = QDesktopServices::openUrl(target);
#endif
}
