// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a PDF reader's search and a printer see of a PDF the program wrote,
// through poppler's command-line tools (package poppler-utils).

#include <QProcess>
#include <QString>
#include <QStringList>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#endif

// Under Wine, poppler's tools are Linux programs: a Windows process starts
// them but cannot wait for them (QProcess gives up at once). A test that reads
// a PDF back skips that under Wine, where the Wine check reads the installed
// program's worksheet from Linux instead.
#define SKIP_PDF_READING_UNDER_WINE()                                                              \
    do {                                                                                           \
        if (testing_support::underWine())                                                          \
            QSKIP(                                                                                 \
                "poppler's tools cannot be waited for under Wine; the Wine check reads the PDF");  \
    } while (false)

namespace testing_support {

// Wine's ntdll says what it is; Windows' own has no such entry.
inline bool underWine() {
#ifdef _WIN32
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
#else
    return false;
#endif
}

// Runs one of poppler's tools on `pdf`; an empty result when it cannot run.
inline QString popplerOutput(const char* tool, const QStringList& arguments) {
    QProcess process;
    process.start(QString::fromLocal8Bit(tool), arguments);
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The text lines in the order they are drawn, trimmed, empty ones left out:
// of every page, or of `page` alone (counted from 1).
inline QStringList pdfTextLines(const QString& pdf, int page = 0) {
    QStringList arguments = {QStringLiteral("-raw"), QStringLiteral("-enc"),
                             QStringLiteral("UTF-8")};
    if (page > 0)
        arguments << QStringLiteral("-f") << QString::number(page) << QStringLiteral("-l")
                  << QString::number(page);
    const QString text = popplerOutput(PDFTOTEXT, arguments << pdf << QStringLiteral("-"));
    QStringList lines;
    for (const QString& line : text.split(QLatin1Char('\n')))
        if (!line.trimmed().isEmpty())
            lines << line.trimmed();
    return lines;
}

// pdfinfo's "Key: value" lines, e.g. "Pages" and "Page size".
inline QString pdfInfo(const QString& pdf, const QString& key) {
    const QString info = popplerOutput(PDFINFO, {pdf});
    for (const QString& line : info.split(QLatin1Char('\n')))
        if (line.startsWith(key + QLatin1Char(':')))
            return line.mid(key.size() + 1).trimmed();
    return {};
}

} // namespace testing_support
