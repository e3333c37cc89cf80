// SPDX-License-Identifier: GPL-3.0-or-later
// The program's command line, run as a teacher would run it from a terminal
// with no display at all: --worksheet writes a page with a freshly shuffled
// column, a bad path costs one line on stderr and leaves nothing behind, and
// --help and --version answer without a window.

#include "content/CardPictures.h"
#include "content/Fonts.h"
#include "support/PdfText.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using testing_support::pdfTextLines;

namespace {

struct Run {
    int exitCode = -1;
    QString out;
    QString err;
};

// The program with no display, no platform chosen, no Wayland socket and no
// runtime folder, as from a terminal logged in remotely.
// `language` is the LANG it runs under (Greek unless told otherwise).
Run runProgram(const QStringList& arguments, const QString& language = u"el_GR.UTF-8"_qs) {
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
    void helpFollowsTheLanguage_data();
    void helpFollowsTheLanguage();
    void aFileThatIsNoSetIsToldInOneLine_data();
    void aFileThatIsNoSetIsToldInOneLine();
    void commandLineMistakesAreToldInGreek_data();
    void commandLineMistakesAreToldInGreek();
    void warningsAloneLetTheSetBeUsed();
    void aMebibyteOfBadBytesIsToldInAHundredLines();
};

namespace {

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return {};
    return path;
}

QByteArray utf16(const QString& text, bool bigEndian) {
    QByteArray out;
    for (const QChar c : text) {
        const char high = char(c.unicode() >> 8), low = char(c.unicode() & 0xFF);
        out += bigEndian ? QByteArray{&high, 1} + low : QByteArray{&low, 1} + high;
    }
    return out;
}

const QByteArray Header = "Τύπος;Όνομα;Άτομα άνθρακα;Αιτιολογία;Είδος δεσμών μεταξύ ατόμων C;"
                          "Αιτιολογία;Είδος ένωσης;Αιτιολογία;Θέση και είδος δεσμών και "
                          "υποκαταστατών;Αιτιολογία\r\n";

} // namespace

void TestCommandLine::helpFollowsTheLanguage_data() {
    QTest::addColumn<QString>("language");
    QTest::addColumn<QStringList>("expected");
    QTest::addRow("Greek") << "el_GR.UTF-8"
                           << QStringList{u"Χρήση: "_qs, u"Επιλογές:"_qs,
                                          u"--check-set <αρχείο>"_qs, u"Δείχνει την έκδοση."_qs};
    QTest::addRow("any other") << "C.UTF-8"
                               << QStringList{u"Usage: "_qs, u"Options:"_qs,
                                              u"--check-set <file>"_qs,
                                              u"Displays version information."_qs};
}

void TestCommandLine::helpFollowsTheLanguage() {
    QFETCH(QString, language);
    QFETCH(QStringList, expected);
    const Run run = runProgram({QStringLiteral("--help")}, language);
    QCOMPARE(run.exitCode, 0);
    for (const QString& words : expected)
        QVERIFY2(run.out.contains(words), qPrintable(run.out));
}

// A file that is no CSV at all is told what it is, in one line.
void TestCommandLine::aFileThatIsNoSetIsToldInOneLine_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("line");
    const QString workbook =
        u"το αρχείο είναι βιβλίο εργασίας (xlsx, ods ή xls), όχι CSV — αποθηκεύστε το ως CSV: "
        u"στο LibreOffice Calc Αρχείο > Αποθήκευση ως > Κείμενο CSV (.csv), στο Excel Αρχείο > "
        u"Αποθήκευση ως > CSV UTF-8 (οριοθετημένο με κόμματα)"_qs;
    const QString utf16Line = u"το αρχείο είναι σε UTF-16 (\"Unicode Text\") — αποθηκεύστε το "
                              u"ως CSV UTF-8 (οριοθετημένο με κόμματα)"_qs;
    const QString header = QString::fromUtf8(Header);
    QTest::addRow("xlsx or ods") << QByteArray("PK\x03\x04\x14\x00\x06\x00", 8) +
                                        QByteArray(900, '\xC3')
                                 << workbook;
    QTest::addRow("old Excel") << QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1") +
                                      QByteArray(700, '\x81')
                               << workbook;
    QTest::addRow("UTF-16 LE, mark") << "\xFF\xFE" + utf16(header, false) << utf16Line;
    QTest::addRow("UTF-16 LE, no mark") << utf16(header, false) << utf16Line;
    QTest::addRow("UTF-16 BE, no mark") << utf16(header, true) << utf16Line;
    QTest::addRow("empty") << QByteArray()
                           << u"το αρχείο είναι κενό — ξεκινήστε από το πρότυπο (onomatologia "
                              u"--export-set)"_qs;
    QTest::addRow("a folder") << QByteArray("folder") << u"είναι φάκελος, όχι αρχείο"_qs;
    QTest::addRow("missing") << QByteArray("missing") << u"το αρχείο δεν υπάρχει"_qs;
}

void TestCommandLine::aFileThatIsNoSetIsToldInOneLine() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, line);
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("σύνολο.csv"));
    if (bytes == "folder")
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("σύνολο.csv")));
    else if (bytes != "missing")
        path = writeFile(dir, QStringLiteral("σύνολο.csv"), bytes);
    const Run run = runProgram({QStringLiteral("--check-set"), path});
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(run.out, line + u'\n');
}

void TestCommandLine::commandLineMistakesAreToldInGreek_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("told");
    QTest::addRow("unknown option")
        << QStringList{"--check-sets", "x.csv"}
        << u"Άγνωστη επιλογή 'check-sets'. Δείτε onomatologia --help."_qs;
    QTest::addRow("missing value")
        << QStringList{"--check-set"}
        << u"Λείπει η τιμή μετά το '--check-set'. Δείτε onomatologia --help."_qs;
    QTest::addRow("a second file to check")
        << QStringList{"--check-set", "a.csv", "b.csv"}
        << u"περισσεύει το «b.csv» — δείτε onomatologia --help"_qs;
    QTest::addRow("a missing set for the worksheet")
        << QStringList{"--worksheet", "w.pdf", "κανένα.csv"} << QString();
}

void TestCommandLine::commandLineMistakesAreToldInGreek() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, told);
    // Greek whatever the system's language: the help may be English, a
    // mistake is told as every other word of the program.
    for (const QString& language : {u"el_GR.UTF-8"_qs, u"C.UTF-8"_qs}) {
        const Run run = runProgram(arguments, language);
        QVERIFY(run.exitCode > 0);
        if (told.isEmpty()) {
            QCOMPARE(run.out, u"το αρχείο δεν υπάρχει\n"_qs);
            continue;
        }
        QCOMPARE(run.err, u"onomatologia: "_qs + told + u'\n');
    }
    // --export-set takes a set besides the file it writes.
    QTemporaryDir dir;
    const Run run = runProgram({QStringLiteral("--export-set"),
                                dir.filePath(QStringLiteral("x.csv")), QStringLiteral("y.csv")});
    QCOMPARE(run.exitCode, 0);
}

// A set whose only problem is a warning can be used: exit 0, the warning told.
void TestCommandLine::warningsAloneLetTheSetBeUsed() {
    QTemporaryDir dir;
    const QString path = writeFile(
        dir, QStringLiteral("διένια.csv"),
        Header + "CH4;μεθάνιο;;;;;;;;\r\nCH2=CHCH=CH2;1,3-βουταδιένιο;;;;;;;13;γιατί έχει "
                 "διπλούς δεσμούς στο 1ο και 3ο άτομο C\r\n");
    const Run run = runProgram({QStringLiteral("--check-set"), path});
    QCOMPARE(run.exitCode, 0);
    const QStringList lines = run.out.trimmed().split(u'\n');
    QCOMPARE(lines.size(), 2);
    QVERIFY2(
        lines[0].startsWith(u"προσοχή: γραμμή 3, «Θέση και είδος δεσμών και υποκαταστατών» (I): "
                            u"«13» δεν υπάρχει στο όνομα"_qs),
        qPrintable(lines[0]));
    QCOMPARE(lines[1], path + u": «διένια», 2 ενώσεις"_qs);
}

// A mebibyte of bytes no code page defines: a hundred lines, then the count.
void TestCommandLine::aMebibyteOfBadBytesIsToldInAHundredLines() {
    QTemporaryDir dir;
    QByteArray bytes;
    while (bytes.size() < 1024 * 1024)
        bytes += "\xAA\xD2\xFF\xAA\xD2\xFF\xAA\n";
    bytes.truncate(1024 * 1024);
    const Run run = runProgram({QStringLiteral("--check-set"), writeFile(dir, u"x.csv"_qs, bytes)});
    QCOMPARE(run.exitCode, 1);
    const QStringList lines = run.out.trimmed().split(u'\n');
    QCOMPARE(lines.size(), 101);
    QCOMPARE(lines[99],
             u"γραμμή 100: ο χαρακτήρας 1 της γραμμής δεν είναι ούτε UTF-8 ούτε "
             u"Windows-1253 (και 6 ακόμη στη γραμμή) — αποθηκεύστε το αρχείο ως CSV UTF-8"_qs);
    QCOMPARE(lines[100], u"… και %1 ακόμη"_qs.arg(1024 * 1024 / 8 - 100));
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
    QTest::addRow("help_names_the_worksheet_option") << "--help" << u"--worksheet <αρχείο>"_qs;
    QTest::addRow("short_help") << "-h" << u"--worksheet <αρχείο>"_qs;
    QTest::addRow("version") << "--version"
                             << "onomatologia 1.";
}

void TestCommandLine::helpAndVersionAnswerWithoutADisplay() {
    QFETCH(QString, option);
    QFETCH(QString, expected);
    const Run run = runProgram({option});
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
    QCOMPARE(run.err, QStringLiteral(u"onomatologia: το σύνολο δεν γράφτηκε στο «%1»: το αρχείο "
                                     u"υπάρχει ήδη — το πρόγραμμα δεν γράφει ποτέ πάνω σε αρχείο· "
                                     u"δώστε άλλο όνομα\n")
                          .arg(path));
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
