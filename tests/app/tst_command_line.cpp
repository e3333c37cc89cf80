// SPDX-License-Identifier: GPL-3.0-or-later
// The program's command line, run as a teacher would run it from a terminal
// with no display at all: --worksheet writes a page with a freshly shuffled
// column, a bad path costs one line on stderr and leaves nothing behind, and
// --help and --version answer without a window.

#include "content/CardPictures.h"
#include "content/FileErrors.h"
#include "content/Fonts.h"
#include "support/PdfText.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>
#include <cerrno>

using testing_support::pdfTextLines;

namespace {

struct Run {
    int exitCode = -1;
    QString out;
    QString err;
};

// The program with no display, no platform chosen, no Wayland socket and no
// runtime folder, as from a terminal logged in remotely.
// `language` is its LANG.
Run runProgram(const QStringList& arguments, const QString& language = u"C.UTF-8"_qs) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_RUNTIME_DIR",
                             "LC_ALL", "LC_MESSAGES", "LANGUAGE"})
        env.remove(QString::fromLatin1(name));
    env.insert(QStringLiteral("LANG"), language);
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(ONOMATOLOGIA_BINARY), arguments);
    Run run;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.exitCode = process.exitCode();
    run.out = QString::fromLocal8Bit(process.readAllStandardOutput());
    run.err = QString::fromLocal8Bit(process.readAllStandardError());
    return run;
}

QStringList namesOnPage(const QString& pdf) {
    QStringList names;
    for (int k = 0; k < 20; ++k)
        names << content::nameText(k);
    QStringList found;
    for (const QString& line : pdfTextLines(pdf))
        if (names.contains(line))
            found << line;
    return found;
}

} // namespace

class TestCommandLine : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { content::registerBundledFonts(); }
    void eachWorksheetRunDealsItsOwnColumn();
    void aBadWorksheetPathCostsOneLineAndLeavesNothing_data();
    void aBadWorksheetPathCostsOneLineAndLeavesNothing();
    void helpAndVersionAnswerWithoutADisplay_data();
    void helpAndVersionAnswerWithoutADisplay();
    void aTemplateIsWrittenCheckedAndNeverWrittenOver();
    void aBadSetIsToldLineByLine();
    void aFormulaIsNamedWithoutADisplay_data();
    void aFormulaIsNamedWithoutADisplay();
    void whatGoesWrongIsToldInGreekInOneLine_data();
    void whatGoesWrongIsToldInGreekInOneLine();
    void aWriteErrorIsToldByItsNumber_data();
    void aWriteErrorIsToldByItsNumber();
    void warningsAloneLetTheSetBeUsed();
    void aMebibyteOfBadBytesIsToldInAHundredLines();
};

namespace {

const QByteArray Header = "Τύπος;Όνομα;Άτομα άνθρακα;Αιτιολογία;Είδος δεσμών μεταξύ ατόμων C;"
                          "Αιτιολογία;Είδος ένωσης;Αιτιολογία;Θέση και είδος δεσμών και "
                          "υποκαταστατών;Αιτιολογία\r\n";

// `bytes` as the file "σύνολο.csv" in `dir`: its path.
QString written(const QTemporaryDir& dir, const QByteArray& bytes) {
    QFile file(dir.filePath(u"σύνολο.csv"_qs));
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() ? file.fileName()
                                                                                : QString();
}

} // namespace

// What a file is, or what stands in the way, in one Greek line whatever the
// system's language; %1 is the file "σύνολο.csv" holding `bytes` (none for
// "-", a folder for "/").
void TestCommandLine::whatGoesWrongIsToldInGreekInOneLine_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("told");
    const QStringList check = {"--check-set", "%1"};
    const QString workbook = u"βιβλίο εργασίας (xlsx, ods ή xls), όχι CSV"_qs;
    const QString utf16 = u"το αρχείο είναι σε UTF-16"_qs;
    const QString header = QString::fromUtf8(Header);
    QTest::addRow("xlsx") << QByteArray("PK\x03\x04\x14\x00", 6) + QByteArray(900, '\xC3') << check
                          << workbook;
    QTest::addRow("old Excel") << QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1\x81\x81") << check
                               << workbook;
    QTest::addRow("UTF-16 LE") << QByteArray(QStringEncoder(QStringEncoder::Utf16LE)(header))
                               << check << utf16;
    QTest::addRow("UTF-16 BE") << QByteArray(QStringEncoder(QStringEncoder::Utf16BE)(header))
                               << check << utf16;
    QTest::addRow("empty") << QByteArray() << check << u"το αρχείο είναι κενό"_qs;
    QTest::addRow("a folder") << QByteArray("/") << check << u"είναι φάκελος, όχι αρχείο"_qs;
    QTest::addRow("missing") << QByteArray("-") << check << u"το αρχείο δεν υπάρχει"_qs;
    QTest::addRow("a template in no folder")
        << QByteArray("-") << QStringList{"--export-set", "%1/x.csv"}
        << u"δεν γράφτηκε στο «%1/x.csv»: ο φάκελος δεν υπάρχει"_qs;
    QTest::addRow("a worksheet as a folder")
        << QByteArray("/") << QStringList{"--worksheet", "%1"} << u"είναι φάκελος, όχι αρχείο"_qs;
    QTest::addRow("unknown option") << QByteArray("-") << QStringList{"--check-sets", "%1"}
                                    << u"Άγνωστη επιλογή 'check-sets'."_qs;
    QTest::addRow("no file to check") << QByteArray("-") << QStringList{"--check-set"}
                                      << u"Λείπει η τιμή μετά το '--check-set'."_qs;
    QTest::addRow("a second file to check")
        << QByteArray("-") << QStringList{"--check-set", "%1", "b.csv"}
        << u"περισσεύει το «b.csv»"_qs;
    // A later form writes a teacher's set: the set is not refused today.
    QTest::addRow("a set to export")
        << QByteArray("-") << QStringList{"--export-set", "%1", "y.csv"} << QString();
}

void TestCommandLine::whatGoesWrongIsToldInGreekInOneLine() {
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, arguments);
    QFETCH(QString, told);
    QTemporaryDir dir;
    QString path = dir.filePath(u"σύνολο.csv"_qs);
    if (bytes == "/")
        QVERIFY(QDir(dir.path()).mkdir(u"σύνολο.csv"_qs));
    else if (bytes != "-")
        path = written(dir, bytes);
    for (QString& a : arguments)
        a = a.arg(path);
    const Run run = runProgram(arguments);
    QCOMPARE(run.exitCode == 0, told.isEmpty());
    const QString all = run.out + run.err;
    QCOMPARE(all.count(u'\n'), told.isEmpty() ? 0 : 1);
    QVERIFY2(all.contains(told.arg(path)), qPrintable(all));
}

void TestCommandLine::aWriteErrorIsToldByItsNumber_data() {
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("words");
    QTest::addRow("no permission") << EACCES << u"δεν έχετε άδεια να γράψετε εκεί"_qs;
    QTest::addRow("disk full") << ENOSPC << u"ο δίσκος είναι γεμάτος"_qs;
    QTest::addRow("read-only") << EROFS << u"ο δίσκος είναι μόνο για ανάγνωση"_qs;
    QTest::addRow("any other") << EIO << u"η εγγραφή απέτυχε (σφάλμα %1)"_qs.arg(EIO);
}

void TestCommandLine::aWriteErrorIsToldByItsNumber() {
    QFETCH(int, number);
    QFETCH(QString, words);
    QCOMPARE(content::writeErrorText(number), words);
}

// A set whose only problem is a warning can be used: exit 0, the warning told.
void TestCommandLine::warningsAloneLetTheSetBeUsed() {
    QTemporaryDir dir;
    const QString path = written(dir, Header + "CH4;μεθάνιο;;;;;;;;\r\nCH2=CHCH=CH2;"
                                               "1,3-βουταδιένιο;;;;;;;13;γιατί\r\n");
    const Run run = runProgram({QStringLiteral("--check-set"), path});
    QCOMPARE(run.exitCode, 0);
    const QStringList lines = run.out.trimmed().split(u'\n');
    QCOMPARE(lines.size(), 2);
    QVERIFY2(lines[0].startsWith(u"προσοχή: γραμμή 3, «Θέση και είδος δεσμών και υποκαταστατών» "
                                 u"(I): «13» δεν υπάρχει στο όνομα"_qs),
             qPrintable(lines[0]));
    QCOMPARE(lines[1], path + u": «σύνολο», 2 ενώσεις"_qs);
}

// A mebibyte of bytes no code page defines: a hundred lines, then the count.
void TestCommandLine::aMebibyteOfBadBytesIsToldInAHundredLines() {
    QTemporaryDir dir;
    const QByteArray bytes = QByteArray("\xAA\xD2\xFF\xAA\xD2\xFF\xAA\n").repeated(128 * 1024);
    const Run run = runProgram({QStringLiteral("--check-set"), written(dir, bytes)});
    QCOMPARE(run.exitCode, 1);
    const QStringList lines = run.out.trimmed().split(u'\n');
    QCOMPARE(lines.size(), 101);
    QCOMPARE(lines[99], u"γραμμή 100: ο χαρακτήρας 1 της γραμμής δεν είναι ούτε UTF-8 ούτε "
                        u"Windows-1253 (και 6 ακόμη στη γραμμή) — αποθηκεύστε το αρχείο ως CSV "
                        u"UTF-8"_qs);
    QCOMPARE(lines[100], u"… και %1 ακόμη"_qs.arg(128 * 1024 - 100));
}

void TestCommandLine::eachWorksheetRunDealsItsOwnColumn() {
    const QTemporaryDir dir;
    QList<QStringList> columns;
    for (const char* file : {"first.pdf", "second.pdf"}) {
        const QString path = dir.filePath(QString::fromLatin1(file));
        const Run run = runProgram({QStringLiteral("--worksheet"), path});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.err, QString());
        QCOMPARE(run.out, QString());
        const QStringList names = namesOnPage(path);
        QCOMPARE(names.size(), 20);
        QCOMPARE(QSet<QString>(names.begin(), names.end()).size(), 20);
        columns << names;
    }
    // Two fresh deals come out the same once in 20! runs.
    QVERIFY(columns[0] != columns[1]);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 2);
}

void TestCommandLine::aBadWorksheetPathCostsOneLineAndLeavesNothing_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addRow("folder_that_does_not_exist") << QStringList{"--worksheet", "missing/w.pdf"};
    QTest::addRow("path_is_a_folder") << QStringList{"--worksheet", "."};
    QTest::addRow("empty_path") << QStringList{"--worksheet", ""};
    QTest::addRow("no_path") << QStringList{"--worksheet"};
    QTest::addRow("unknown_option") << QStringList{"--worksheets", "w.pdf"};
}

void TestCommandLine::aBadWorksheetPathCostsOneLineAndLeavesNothing() {
    QFETCH(QStringList, arguments);
    const QTemporaryDir dir;
    // Relative paths are taken from the folder the program is started in.
    QVERIFY(QDir::setCurrent(dir.path()));
    const Run run = runProgram(arguments);
    QVERIFY(QDir::setCurrent(QDir::tempPath()));
    QVERIFY2(run.exitCode > 0, qPrintable(QString::number(run.exitCode)));
    QCOMPARE(run.out, QString());
    QVERIFY2(run.err.endsWith(QLatin1Char('\n')) && run.err.count(QLatin1Char('\n')) == 1,
             qPrintable(run.err));
    QVERIFY2(run.err.startsWith(QStringLiteral("onomatologia: ")), qPrintable(run.err));
    QVERIFY(QDir(dir.path()).isEmpty());
}

void TestCommandLine::helpAndVersionAnswerWithoutADisplay_data() {
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("language");
    QTest::addRow("help_names_the_worksheet_option") << "--help"
                                                     << "--worksheet <file>"
                                                     << "C.UTF-8";
    QTest::addRow("short_help") << "-h"
                                << "--worksheet <file>"
                                << "C.UTF-8";
    QTest::addRow("help_in_Greek") << "--help" << u"--worksheet <αρχείο>"_qs << "el_GR.UTF-8";
    QTest::addRow("Qt's own words in Greek") << "-h" << u"Χρήση: "_qs << "el_GR.UTF-8";
    QTest::addRow("Qt's own words otherwise") << "-h"
                                              << "Usage: "
                                              << "C.UTF-8";
    QTest::addRow("version") << "--version"
                             << "onomatologia 1."
                             << "el_GR.UTF-8";
}

void TestCommandLine::helpAndVersionAnswerWithoutADisplay() {
    QFETCH(QString, option);
    QFETCH(QString, expected);
    QFETCH(QString, language);
    const Run run = runProgram({option}, language);
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.err, QString());
    QVERIFY2(run.out.contains(expected), qPrintable(run.out));
}

// --export-set writes the built-in twenty as a template that --check-set
// passes, and never writes over a file; a path it cannot write leaves nothing.
void TestCommandLine::aTemplateIsWrittenCheckedAndNeverWrittenOver() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("πρότυπο.csv"));
    Run run = runProgram({QStringLiteral("--export-set"), path});
    QCOMPARE(run.exitCode, 0);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray written = file.readAll();
    file.close();
    QVERIFY(written.startsWith("\xEF\xBB\xBF"));
    QVERIFY(written.contains("CH3CH2CH2C#CH;1-πεντίνιο;"));

    run = runProgram({QStringLiteral("--check-set"), path});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out.trimmed(),
             path + QStringLiteral(u": «Γενίκευση της ονοματολογίας των οργανικών ενώσεων», 20 "
                                   u"ενώσεις"));

    run = runProgram({QStringLiteral("--export-set"), path});
    QCOMPARE(run.exitCode, 1);
    QVERIFY(run.err.contains(QStringLiteral(u"το αρχείο υπάρχει ήδη")));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), written);

    const QString nowhere = dir.filePath(QStringLiteral("no/such/folder/x.csv"));
    run = runProgram({QStringLiteral("--export-set"), nowhere});
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
             QStringList{QStringLiteral("πρότυπο.csv")});
}

// Every problem a line, "γραμμή N, «column» (letter): ...", and exit 1;
// warnings alone exit 0.
void TestCommandLine::aBadSetIsToldLineByLine() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("λάθη.csv"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("Τύπος;Όνομα;Άτομα άνθρακα;Αιτιολογία;Είδος δεσμών μεταξύ ατόμων C;Αιτιολογία;"
               "Είδος ένωσης;Αιτιολογία;Θέση και είδος δεσμών και υποκαταστατών;Αιτιολογία\n"
               "ch4;μεθάνιο;;;;;;;;\n"
               "CH3CH3;;;;;;;;;\n"
               "CH3CH2CH2CH2CH2CH2CH2CH2CH2CH2CH3;ένδεκα;;;;;;;;\n"
               "CH?CH;αιθίνιο;ίν;;;;;;;\n");
    file.close();
    const Run run = runProgram({QStringLiteral("--check-set"), path});
    QCOMPARE(run.exitCode, 1);
    const QStringList lines = run.out.trimmed().split(u'\n');
    QCOMPARE(lines.size(), 5);
    QVERIFY2(lines[0].startsWith(QStringLiteral(u"γραμμή 2, «Τύπος» (A): στον 1ο χαρακτήρα")),
             qPrintable(lines[0]));
    QVERIFY(lines[0].endsWith(QStringLiteral(u"μήπως εννοείτε CH4;")));
    QVERIFY(lines[1].startsWith(QStringLiteral(u"γραμμή 3, «Όνομα» (B): λείπει το όνομα")));
    QVERIFY(lines[2].startsWith(
        QStringLiteral(u"γραμμή 4, «Τύπος» (A): ο τύπος είναι πολύ μακρύς για μια κάρτα")));
    QVERIFY(lines[3].startsWith(QStringLiteral(u"γραμμή 5, «Τύπος» (A): το «?»")));
    QVERIFY(
        lines[4].startsWith(QStringLiteral(u"γραμμή 5, «Αιτιολογία» (D): λείπει η αιτιολογία")));
}

QTEST_MAIN(TestCommandLine)
#include "tst_command_line.moc"

// --name: the name alone on the first line, then each section that tells
// something as «part — reason»; exit 1 with why when there is no name.
void TestCommandLine::aFormulaIsNamedWithoutADisplay_data() {
    QTest::addColumn<QString>("formula");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err");
    QTest::addRow("alcohol") << "CH3CH(OH)CH3" << 0
                             << QStringLiteral(
                                    u"2-προπανόλη\nπροπ — γιατί έχει 3 άτομα C\n"
                                    u"αν — γιατί είναι κορεσμένη\nόλη — γιατί είναι αλκοόλη\n"
                                    u"2 — γιατί έχει το OH στο 2ο άτομο C\n")
                             << QString();
    QTest::addRow("nothing_to_tell_left_out")
        << "CH3CH2CH3" << 0
        << QStringLiteral(u"προπάνιο\nπροπ — γιατί έχει 3 άτομα C\nάν — γιατί είναι κορεσμένη\n"
                          u"ιο — γιατί είναι υδρογονάνθρακας\n")
        << QString();
    QTest::addRow("cannot_name") << "CH3CH2SH" << 1 << QString()
                                 << QStringLiteral(u"δεν ξέρω να ονομάσω ένωση με S");
    QTest::addRow("does_not_read") << "CH3CH(" << 1 << QString() << QStringLiteral(u"χαρακτήρα");
}

void TestCommandLine::aFormulaIsNamedWithoutADisplay() {
    QFETCH(QString, formula);
    QFETCH(int, exitCode);
    QFETCH(QString, out);
    QFETCH(QString, err);
    const Run run = runProgram({QStringLiteral("--name"), formula});
    QCOMPARE(run.exitCode, exitCode);
    QCOMPARE(run.out, out);
    QVERIFY2(err.isEmpty() ? run.err.isEmpty() : run.err.contains(err), qPrintable(run.err));
}
