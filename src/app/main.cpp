// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/NameCommand.h"
#include "content/BuiltInSet.h"
#include "content/Fonts.h"
#include "content/SetFiles.h"
#include "exercise/Form1.h"
#include "exercise/rules/Board.h"
#include "exercise/rules/RandomSource.h"
#include "explain/Form2.h"
#include "worksheet/Worksheet.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QStringList>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// Qt aborts with a long message when it finds no display; say it in one line
// and show how to try the program without one.
bool displayAvailable() {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    const auto set = [](const char* name) {
        const char* v = std::getenv(name);
        return v && *v;
    };
    return set("QT_QPA_PLATFORM") || set("DISPLAY") || set("WAYLAND_DISPLAY");
#else
    return true;
#endif
}

// Whether the command line asks for something other than the window. Read
// before any application object exists, because that decides which one to
// make; the parser proper runs afterwards and has the last word.
bool runsWithoutWindow(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        const char* a = argv[i];
        for (const char* option : {"-h", "-?", "--help", "--help-all", "-v", "--version"})
            if (std::strcmp(a, option) == 0)
                return true;
        for (const char* option : {"--worksheet", "--export-set", "--check-set"}) {
            const std::size_t n = std::strlen(option);
            if (std::strncmp(a, option, n) == 0 && (a[n] == '\0' || a[n] == '='))
                return true;
        }
    }
    return false;
}

// A column order as a fresh Restart of the exercise would deal it.
worksheet::ColumnOrder freshColumnOrder(const content::ExerciseSet& compounds) {
    board::Board board(Form1::shapeOf(compounds));
    board::RandomSource random;
    board.Restart(random);
    return board.HomeRow();
}

// Without a window, the program's own words are all the terminal should see:
// Qt's notes about the platform it was given (a missing runtime folder and
// the like) are of no use to someone writing a worksheet.
void onlyErrors(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

int exportSet(const QString& path) {
    QString error;
    if (!content::writeSetFile(content::builtInSet(), path, &error)) {
        std::fprintf(stderr, "onomatologia: cannot write the set to '%s': %s\n", qPrintable(path),
                     qPrintable(error));
        return 1;
    }
    return 0;
}

// Every problem a line; a count of the compounds when the set can be used.
int checkSet(const QString& path) {
    content::SetReading reading = content::readSetFile(path);
    Form2::tellWhatDoesNotFit(reading);
    for (const content::SetProblem& p : reading.problems)
        std::printf("%s\n", content::describeSetProblem(p).c_str());
    if (!reading.ok())
        return 1;
    std::printf("%s: «%s», %zu ενώσεις\n", qPrintable(path), reading.set.title.c_str(),
                reading.set.compounds.size());
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    // Naming a formula needs neither a window nor Qt.
    if (const auto named = runNameCommand(argc, argv))
        return *named;
    const bool withoutWindow = runsWithoutWindow(argc, argv);
    // Nothing is shown on this path, so no display is needed: Qt's offscreen
    // platform gives the fonts and the PDF writer all they use.
    if (withoutWindow) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        qInstallMessageHandler(onlyErrors);
    } else if (!displayAvailable()) {
        std::fputs("onomatologia: no display found; to try it headless: xvfb-run -a onomatologia\n",
                   stderr);
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("onomatologia"));
    QApplication::setApplicationVersion(QStringLiteral(ONOMATOLOGIA_VERSION));
    // The installed desktop entry's name, so that Wayland compositors match
    // the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(ONOMATOLOGIA_DESKTOP_FILE_NAME));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("A drill in naming organic compounds: drag each name onto its formula."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption worksheetOption(
        QStringLiteral("worksheet"),
        QStringLiteral("Write a printable worksheet (A4 PDF) with a freshly shuffled list of "
                       "names to <file> and exit, without opening a window."),
        QStringLiteral("file"));
    parser.addOption(worksheetOption);
    const QCommandLineOption exportSetOption(
        QStringLiteral("export-set"),
        QStringLiteral("Write the built-in compounds as a set a spreadsheet opens (CSV, UTF-8) "
                       "to <file>, a template for a teacher's own set, and exit. Never writes "
                       "over an existing file."),
        QStringLiteral("file"));
    parser.addOption(exportSetOption);
    const QCommandLineOption checkSetOption(
        QStringLiteral("check-set"),
        QStringLiteral("Check a set of compounds (CSV) and print every problem, one a line; exit "
                       "1 if there is any, 0 for a set that can be used."),
        QStringLiteral("file"));
    parser.addOption(checkSetOption);
    parser.addPositionalArgument(
        QStringLiteral("set"),
        QStringLiteral("A set of compounds (CSV) to open instead of the built-in exercise; "
                       "with --worksheet, the set whose worksheet to write."),
        QStringLiteral("[set.csv]"));
    parser.process(app);
    if (parser.positionalArguments().size() > 1) {
        std::fprintf(stderr, "onomatologia: unexpected argument '%s'; see --help\n",
                     qPrintable(parser.positionalArguments().at(1)));
        return 2;
    }
    const QString setFile = parser.positionalArguments().value(0);

    content::registerBundledFonts();
    if (parser.isSet(exportSetOption))
        return exportSet(parser.value(exportSetOption));
    if (parser.isSet(checkSetOption))
        return checkSet(parser.value(checkSetOption));
    if (parser.isSet(worksheetOption)) {
        const QString path = parser.value(worksheetOption);
        auto compounds = content::ExerciseSet::builtIn();
        if (!setFile.isEmpty()) {
            QStringList problems;
            compounds = Form1::readSetFile(setFile, &problems);
            if (!compounds) {
                for (const QString& problem : problems)
                    std::printf("%s\n", qPrintable(problem));
                return 1;
            }
        }
        QString error;
        if (!worksheet::writeWorksheet(path, freshColumnOrder(*compounds), &error, *compounds)) {
            std::fprintf(stderr, "onomatologia: cannot write the worksheet to '%s': %s\n",
                         qPrintable(path), qPrintable(error));
            return 1;
        }
        return 0;
    }

    // A set given on the command line is read before the window is made, so
    // that the board is built once, with it.
    QStringList problems;
    const auto compounds = setFile.isEmpty() ? nullptr : Form1::readSetFile(setFile, &problems);
    Form1 window(nullptr, nullptr, compounds);
    window.show();
    if (!problems.isEmpty())
        window.tellSetProblems(setFile, problems);
    return QApplication::exec();
}
