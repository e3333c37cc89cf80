// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/NameCommand.h"
#include "app/PracticeCommand.h"
#include "content/BuiltInSet.h"
#include "content/Fonts.h"
#include "content/SetCheck.h"
#include "content/SetFiles.h"
#include "exercise/Form1.h"
#include "exercise/rules/Board.h"
#include "exercise/rules/RandomSource.h"
#include "shared/console/Utf8Writer.h"
#include "worksheet/Worksheet.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QLocale>
#include <QStringList>
#include <QTranslator>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string_view>

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

// Whether the command line asks for something other than the window: every
// long option does (each answers in the terminal, and an unknown one is told
// there), but for the practice's, which choose what the window shows; so do
// the short -h, -? and -v; Qt's own single-dash options (-platform, -style)
// leave the window. Read before any application object
// exists, because that decides which one to make; the parser proper runs
// afterwards and has the last word.
bool runsWithoutWindow(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view a = argv[i];
        if ((a.starts_with("--") && !keepsWindow(a)) || a == "-h" || a == "-?" || a == "-v")
            return true;
    }
    return false;
}

// A column order as a fresh Restart of the exercise would deal it.
worksheet::ColumnOrder freshColumnOrder(const content::ExerciseSet& compounds) {
    board::Board board(compounds.boardShape());
    board::RandomSource random;
    board.Restart(random);
    return board.HomeRow();
}

// A line of text for the terminal, through the program's one writer.
void say(std::FILE* stream, const QString& line) {
    console::write(stream, (line + u'\n').toStdString());
}

// Without a window, the program's own words are all the terminal should see:
// Qt's notes about the platform it was given (a missing runtime folder and
// the like) are of no use to someone writing a worksheet.
void onlyErrors(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        say(stderr, qFormatLogMessage(type, context, message));
}

// One line on stderr, in the program's name, and the exit code given.
int fail(int code, const QString& message) {
    say(stderr, QStringLiteral("onomatologia: ") + message);
    return code;
}

int checkSet(const QString& path);

// A set written as a spreadsheet's file, never over a file.
int writeSet(const QString& path, const content::CompoundSet& set) {
    QString error;
    if (!content::writeSetFile(set, path, &error))
        return fail(1, QStringLiteral(u"το σύνολο δεν γράφτηκε στο «%1»: %2").arg(path, error));
    return 0;
}

// The built-in set as a template, or a teacher's set with what the program
// fills in; a set that cannot be used is told as --check-set tells it.
int exportSet(const QString& path, const QString& setFile) {
    const content::SetCheck check =
        setFile.isEmpty() ? content::SetCheck{} : content::checkSetFile(setFile);
    if (!setFile.isEmpty() && !check.usable())
        return checkSet(setFile);
    return writeSet(path,
                    setFile.isEmpty() ? content::builtInSet() : *check.compounds->teacherSet());
}

// Every problem a line; a count of the compounds when the set can be used.
// Warnings alone do not stop a set, here as in the window.
int checkSet(const QString& path) {
    const content::SetCheck check = content::checkSetFile(path);
    for (const QString& line : check.lines())
        say(stdout, line);
    if (check.untold > 0)
        say(stdout, content::moreProblemsLine(check.untold));
    if (!check.usable())
        return 1;
    say(stdout, QStringLiteral(u"%1: «%2», %3 ενώσεις")
                    .arg(path, check.compounds->title())
                    .arg(check.compounds->size()));
    return 0;
}

QString tr(const char* text) {
    return QCoreApplication::translate("onomatologia", text);
}

// The program's own translations for `locale`: its texts and those of Qt's
// command-line parser, which Qt itself does not translate into Greek.
bool loadTranslation(QTranslator& translator, const QLocale& locale) {
    return translator.load(locale, QStringLiteral("onomatologia"), QStringLiteral("_"),
                           QStringLiteral(":/i18n"));
}

// --help, --help-all and --version, answered through the one writer rather
// than by the parser, which on Windows would open a message box. The exit
// code when one was asked for.
std::optional<int> answerHelpOrVersion(QCommandLineParser& parser) {
    if (parser.isSet(QStringLiteral("version"))) {
        console::write(stdout, (QCoreApplication::applicationName() + u' ' +
                                QCoreApplication::applicationVersion() + u'\n')
                                   .toStdString());
        return 0;
    }
#ifndef Q_OS_WIN
    // Only the parser knows Qt's own options; a terminal shows its answer.
    if (parser.isSet(QStringLiteral("help-all")))
        parser.process(QCoreApplication::arguments());
#endif
    if (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all"))) {
        console::write(stdout, parser.helpText().toStdString());
        return 0;
    }
    return std::nullopt;
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
        return fail(1, QStringLiteral(u"δεν βρέθηκε οθόνη· για να το δοκιμάσετε χωρίς οθόνη: "
                                      u"xvfb-run -a onomatologia"));
    }
#ifdef Q_OS_WIN
    // Windows' own font engines measure the bundled faces slightly otherwise
    // than FreeType does; with FreeType the board is laid out as on Linux.
    else if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "windows:fontengine=freetype");
#endif
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("onomatologia"));
    QApplication::setApplicationVersion(QStringLiteral(ONOMATOLOGIA_VERSION));
    // The installed desktop entry's name, so that Wayland compositors match
    // the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(ONOMATOLOGIA_DESKTOP_FILE_NAME));

    // --help in the language of the system; what goes wrong on the command
    // line always in Greek, as every other word the program says.
    QTranslator local, greek;
    if (loadTranslation(local, QLocale()))
        QCoreApplication::installTranslator(&local);

    QCommandLineParser parser;
    parser.setApplicationDescription(
        tr("A drill in naming organic compounds: drag each name onto its formula."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption worksheetOption(
        QStringLiteral("worksheet"),
        tr("Write a printable worksheet (A4 PDF) with a freshly shuffled list of names to <file> "
           "and exit, without opening a window."),
        tr("file"));
    parser.addOption(worksheetOption);
    const QCommandLineOption exportSetOption(
        QStringLiteral("export-set"),
        tr("Write the built-in compounds as a set a spreadsheet opens (CSV, UTF-8) to <file>, a "
           "template for a teacher's own set, and exit; with a set, write that set with the "
           "names and explanations it leaves empty filled in. Never writes over an existing "
           "file."),
        tr("file"));
    parser.addOption(exportSetOption);
    const QCommandLineOption checkSetOption(
        QStringLiteral("check-set"),
        tr("Check a set of compounds (CSV) and print every problem, one a line; exit 1 if the "
           "set cannot be used, 0 if it can (warnings alone do not stop it)."),
        tr("file"));
    parser.addOption(checkSetOption);
    // Answered before Qt starts, by runNameCommand; listed here so that --help tells of it.
    const QCommandLineOption nameOption(
        QStringLiteral("name"),
        tr("Print the name of the compound <formula> stands for, then each part of the name "
           "and why it is there, and exit."),
        tr("formula"));
    parser.addOption(nameOption);
    const PracticeOptions practiceOptions;
    practiceOptions.addTo(parser);
    parser.addPositionalArgument(
        QStringLiteral("set"),
        tr("A set of compounds (CSV) to open instead of the built-in exercise; with "
           "--worksheet, the set whose worksheet to write."),
        QStringLiteral("[set.csv]"));
    if (loadTranslation(greek, QLocale(QLocale::Greek)))
        QCoreApplication::installTranslator(&greek);
    // The parser words some errors as it parses and others when asked.
    const bool parsed = parser.parse(QCoreApplication::arguments());
    const QString parseError = parsed ? QString() : parser.errorText();
    QCoreApplication::removeTranslator(&greek);
    if (!parsed)
        return fail(2, parseError + QStringLiteral(u" Δείτε onomatologia --help."));
    // --help, --help-all and --version answer in the system's language.
    if (const std::optional<int> answered = answerHelpOrVersion(parser))
        return *answered;
    const QStringList positional = parser.positionalArguments();
    // --check-set takes one file; a set given besides would be silently left
    // unchecked. --export-set and --worksheet each take one set besides.
    if (positional.size() > 1 || (parser.isSet(checkSetOption) && !positional.isEmpty()))
        return fail(2, QStringLiteral(u"περισσεύει το «%1» — δείτε onomatologia --help")
                           .arg(positional.constLast()));
    const QString setFile = positional.value(0);
    const PracticeAsked practice = practiceAsked(parser, practiceOptions);
    if (!practice.problem.isEmpty())
        return fail(2, practice.problem);
    if (parser.isSet(practiceOptions.answers) && !parser.isSet(worksheetOption))
        return fail(2, QStringLiteral(u"το --answers ισχύει μόνο με --worksheet"));
    if (practice.sets && !setFile.isEmpty())
        return fail(2, QStringLiteral(u"περισσεύει το «%1»: η εξάσκηση φτιάχνει δικό της σύνολο")
                           .arg(setFile));

    content::registerBundledFonts();
    if (parser.isSet(exportSetOption))
        return practice.sets
                   ? writeSet(parser.value(exportSetOption), practice.sets->nextCompoundSet())
                   : exportSet(parser.value(exportSetOption), setFile);
    if (parser.isSet(checkSetOption))
        return checkSet(parser.value(checkSetOption));
    if (parser.isSet(worksheetOption)) {
        const QString path = parser.value(worksheetOption);
        auto compounds = practice.sets ? practice.sets->next() : content::ExerciseSet::builtIn();
        if (!setFile.isEmpty()) {
            const content::SetCheck check = content::checkSetFile(setFile);
            if (!check.usable())
                return checkSet(setFile);
            compounds = check.compounds;
        }
        QString error;
        if (!worksheet::writeWorksheet(path, freshColumnOrder(*compounds), &error, *compounds,
                                       parser.isSet(practiceOptions.answers)))
            return fail(
                1, QStringLiteral(u"το φύλλο εργασίας δεν γράφτηκε στο «%1»: %2").arg(path, error));
        return 0;
    }

    // A set given on the command line (or by the desktop's Open With) is
    // checked before the window is made, so that the board is built once,
    // with it.
    const content::SetCheck check =
        setFile.isEmpty() ? content::SetCheck{} : content::checkSetFile(setFile);
    Form1 window(nullptr, nullptr, practice.sets ? practice.sets->next() : check.compounds);
    if (practice.sets)
        window.continuePractice(practice.sets);
    window.show();
    if (!setFile.isEmpty())
        window.tellSetCheck(setFile, check);
    return QApplication::exec();
}
