// SPDX-License-Identifier: GPL-3.0-or-later
// The printable worksheet: what a reader's search finds in it, in which order
// the names stand, that a failed write leaves nothing behind, and that the
// Worksheet command opens a new document of its own every time.

#include "content/CardPictures.h"
#include "content/Fonts.h"
#include "exercise/rules/Board.h"
#include "exercise/rules/RandomSource.h"
#include "shared/WebPage.h"
#include "support/PdfText.h"
#include "support/UrlCatcher.h"
#include "worksheet/Worksheet.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <csignal>
#include <numeric>
#include <sys/resource.h>

using testing_support::pdfInfo;
using testing_support::pdfTextLines;
using worksheet::ColumnOrder;

Q_DECLARE_METATYPE(ColumnOrder)

namespace {

ColumnOrder catalogueOrder() {
    ColumnOrder rows(20);
    std::iota(rows.begin(), rows.end(), int16_t(0));
    return rows;
}

ColumnOrder dealtWithSeed(uint32_t seed) {
    board::Board board;
    board::RandomSource random(seed);
    board.Restart(random);
    return board.HomeRow();
}

// The names as the page lists them: the lines that are exactly a name, in
// the order the page draws them.
QStringList namesOnPage(const QStringList& lines) {
    QStringList names;
    for (int k = 0; k < 20; ++k)
        names << content::nameText(k);
    QStringList found;
    for (const QString& line : lines)
        if (names.contains(line))
            found << line;
    return found;
}

QStringList namesInColumnOrder(const ColumnOrder& homeRow) {
    QStringList byRow(20);
    for (int name = 0; name < 20; ++name)
        byRow[homeRow[std::size_t(name)]] = content::nameText(name);
    return byRow;
}

QByteArray contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestWorksheet : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void pageHoldsTheTitleTheStudentLinesAndTheNamesInColumnOrder_data();
    void pageHoldsTheTitleTheStudentLinesAndTheNamesInColumnOrder();
    void aFailedWriteLeavesNothingBehind_data();
    void aFailedWriteLeavesNothingBehind();
    void commandOpensANewWorksheetEachTimeWithoutAServer();
    void everyFormulaCardIsOnThePage();
    void aWorksheetThatCannotBeWrittenLeavesNothingInTheCache();
};

void TestWorksheet::initTestCase() {
    content::registerBundledFonts();
    QStandardPaths::setTestModeEnabled(true);
}

void TestWorksheet::pageHoldsTheTitleTheStudentLinesAndTheNamesInColumnOrder_data() {
    QTest::addColumn<ColumnOrder>("homeRow");
    QTest::addRow("column_in_catalogue_order") << catalogueOrder();
    ColumnOrder reversed = catalogueOrder();
    std::reverse(reversed.begin(), reversed.end());
    QTest::addRow("column_upside_down") << reversed;
    QTest::addRow("column_as_dealt_by_seed_7") << dealtWithSeed(7u);
    QTest::addRow("column_as_dealt_by_seed_2024") << dealtWithSeed(2024u);
}

void TestWorksheet::pageHoldsTheTitleTheStudentLinesAndTheNamesInColumnOrder() {
    QFETCH(ColumnOrder, homeRow);
    const QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("φύλλο.pdf"));
    QString error;
    QVERIFY2(worksheet::writeWorksheet(path, homeRow, &error), qPrintable(error));
    QVERIFY(contents(path).startsWith("%PDF-"));

    // One A4 page, as a school's printer expects.
    QCOMPARE(pdfInfo(path, QStringLiteral("Pages")), QStringLiteral("1"));
    QVERIFY2(pdfInfo(path, QStringLiteral("Page size")).endsWith(QStringLiteral("(A4)")),
             qPrintable(pdfInfo(path, QStringLiteral("Page size"))));

    const QStringList lines = pdfTextLines(path);
    QVERIFY2(!lines.isEmpty(), "pdftotext found no text (is poppler-utils installed?)");
    QCOMPARE(lines.first(), QStringLiteral(u"Γενίκευση της ονοματολογίας των οργανικών ενώσεων"));
    const QString all = lines.join(QLatin1Char('\n'));
    for (const QString& label :
         {worksheet::studentNameLabel(), worksheet::classLabel(), worksheet::dateLabel()})
        QVERIFY2(all.contains(label), qPrintable(label));
    // Every name once, in the order the column shows them.
    QCOMPARE(namesOnPage(lines), namesInColumnOrder(homeRow));
}

void TestWorksheet::aFailedWriteLeavesNothingBehind_data() {
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("orderIsValid");
    QTest::addRow("folder_that_does_not_exist") << "missing/w.pdf" << true;
    QTest::addRow("path_is_a_folder") << "folder" << true;
    QTest::addRow("column_shows_one_row_twice_over_an_existing_file") << "kept.pdf" << false;
}

void TestWorksheet::aFailedWriteLeavesNothingBehind() {
    QFETCH(QString, target);
    QFETCH(bool, orderIsValid);
    const QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder")));
    {
        QFile kept(dir.filePath(QStringLiteral("kept.pdf")));
        QVERIFY(kept.open(QIODevice::WriteOnly));
        kept.write("a teacher's own file");
    }
    const QStringList before = QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden);

    ColumnOrder homeRow = catalogueOrder();
    if (!orderIsValid)
        homeRow[3] = homeRow[4];
    QString error;
    QVERIFY(!worksheet::writeWorksheet(dir.filePath(target), homeRow, &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(!error.contains(QLatin1Char('\n')));
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden), before);
    QVERIFY(QDir(dir.filePath(QStringLiteral("folder"))).isEmpty());
    QCOMPARE(contents(dir.filePath(QStringLiteral("kept.pdf"))),
             QByteArray("a teacher's own file"));
}

void TestWorksheet::commandOpensANewWorksheetEachTimeWithoutAServer() {
    if (web::hasSchoolServer()) {
        // Built for a school: the command opens that school's worksheet.
        UrlCatcher catcher;
        const UrlHandlerScope scope(&catcher);
        worksheet::showWorksheet(catalogueOrder());
        QCOMPARE(catcher.urls.size(), 1);
        QCOMPARE(catcher.urls.first().toString(), web::worksheetUrl());
        return;
    }
    UrlCatcher catcher;
    const UrlHandlerScope scope(
        &catcher, {QStringLiteral("file"), QStringLiteral("http"), QStringLiteral("https")});
    const ColumnOrder first = dealtWithSeed(1u);
    const ColumnOrder second = dealtWithSeed(2u);
    worksheet::showWorksheet(first);
    worksheet::showWorksheet(second);
    QCOMPARE(catcher.urls.size(), 2);
    QStringList paths;
    for (const QUrl& url : catcher.urls) {
        QVERIFY2(url.isLocalFile(), qPrintable(url.toString()));
        paths << url.toLocalFile();
    }
    // Two documents of their own in the user's cache folder, neither
    // written over the other, each with the column as it was at its command.
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    QVERIFY(paths[0] != paths[1]);
    for (int i = 0; i < 2; ++i) {
        QCOMPARE(QFileInfo(paths[i]).absolutePath(), QDir(cache).absolutePath());
        // The desktop picks the viewer by the name's ending.
        QVERIFY2(paths[i].endsWith(QStringLiteral(".pdf")), qPrintable(paths[i]));
        QVERIFY(contents(paths[i]).startsWith("%PDF-"));
        QCOMPARE(namesOnPage(pdfTextLines(paths[i])), namesInColumnOrder(i == 0 ? first : second));
        QFile::remove(paths[i]);
    }
}

// The last card of each column is drawn too: the twentieth formula,
// 1-aminopropane's CH3CH2CH2NH2, the only one with NH, is on the page.
void TestWorksheet::everyFormulaCardIsOnThePage() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("w.pdf"));
    QVERIFY(worksheet::writeWorksheet(path, catalogueOrder()));
    const QString text = pdfTextLines(path).join(QString()).remove(u' ');
    QVERIFY2(text.contains(QStringLiteral("NH")), qPrintable(text));
}

// A worksheet whose writing fails (here: the file may grow to 8 KiB only)
// is neither opened nor left half-written in the cache folder.
void TestWorksheet::aWorksheetThatCannotBeWrittenLeavesNothingInTheCache() {
    if (web::hasSchoolServer())
        QSKIP("built for a school: the command opens the school's worksheet");
    UrlCatcher catcher;
    const UrlHandlerScope scope(&catcher, {QStringLiteral("file")});
    const QDir cache(QStandardPaths::writableLocation(QStandardPaths::CacheLocation));
    QVERIFY(cache.mkpath(QStringLiteral(".")));
    const QStringList before = cache.entryList(QDir::Files | QDir::Hidden);
    rlimit was{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &was), 0);
    const auto oldSignal = std::signal(SIGXFSZ, SIG_IGN);
    const rlimit small{8192, was.rlim_max};
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    worksheet::showWorksheet(catalogueOrder());
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &was), 0);
    std::signal(SIGXFSZ, oldSignal);
    QCOMPARE(catcher.urls.size(), 0);
    QCOMPARE(cache.entryList(QDir::Files | QDir::Hidden), before);
}

QTEST_MAIN(TestWorksheet)
#include "tst_worksheet.moc"
