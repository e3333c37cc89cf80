// SPDX-License-Identifier: GPL-3.0-or-later
// A practice from the command line, as a teacher runs it with no display:
// a set written for review checks clean and is the same for the same seed, a
// worksheet comes with its answer key, and a mistake costs one Greek line.

#include "support/PdfText.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Exit code and standard output, or the error output with `err`.
std::pair<int, QString> run(const QStringList& arguments, bool err = false) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(u"DISPLAY"_qs);
    env.remove(u"QT_QPA_PLATFORM"_qs);
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(ONOMATOLOGIA_BINARY), arguments);
    process.waitForFinished(60000);
    return {process.exitCode(), QString::fromUtf8(err ? process.readAllStandardError()
                                                      : process.readAllStandardOutput())};
}

} // namespace

class TestPracticeCommand : public QObject {
    Q_OBJECT

private slots:
    void mistakesAreToldInOneGreekLine_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("told");
        QTest::addRow("unknown class lists them")
            << QStringList{u"--practice"_qs, u"αλκάνια,αρωματικά"_qs} << u"αλκαδιένια, αλκίνια"_qs;
        QTest::addRow("count of 21")
            << QStringList{u"--practice"_qs, u"όλα"_qs, u"--count=21"_qs} << u"2 έως 20"_qs;
        QTest::addRow("answers without worksheet")
            << QStringList{u"--practice"_qs, u"όλα"_qs, u"--answers"_qs} << u"--worksheet"_qs;
    }
    void mistakesAreToldInOneGreekLine() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, told);
        QTemporaryDir dir;
        const QString out = dir.filePath(u"set.csv"_qs);
        const auto [code, err] = run(arguments + QStringList{u"--export-set"_qs, out}, true);
        QCOMPARE(code, 2);
        QCOMPARE(err.count(u'\n'), 1);
        QVERIFY2(err.contains(told), qPrintable(err));
        QVERIFY(!QFile::exists(out));
    }

    void aSetForReviewChecksCleanAndFollowsItsSeed() {
        QTemporaryDir dir;
        QList<QByteArray> written;
        for (const QString& name : {u"a.csv"_qs, u"b.csv"_qs}) {
            const QString path = dir.filePath(name);
            QCOMPARE(run({u"--practice"_qs, u"ΑΛΚΟΟΛΕΣ,κετονες"_qs, u"--count"_qs, u"8"_qs,
                          u"--seed"_qs, u"4"_qs, u"--export-set"_qs, path})
                         .first,
                     0);
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            written << file.readAll();
        }
        QCOMPARE(written[0], written[1]);
        const QString a = dir.filePath(u"a.csv"_qs);
        QCOMPARE(run({u"--check-set"_qs, a}),
                 std::pair(0, a + u": «Εξάσκηση: αλκοόλες, κετόνες», 8 ενώσεις\n"_qs));
    }

    void aWorksheetComesWithItsAnswers() {
        SKIP_PDF_READING_UNDER_WINE();
        QTemporaryDir dir;
        const QString pdf = dir.filePath(u"w.pdf"_qs);
        QCOMPARE(
            run({u"--practice"_qs, u"υδρογονάνθρακες"_qs, u"--worksheet"_qs, pdf, u"--answers"_qs})
                .first,
            0);
        QCOMPARE(testing_support::pdfInfo(pdf, u"Pages"_qs), u"2"_qs);
        const QStringList lines = testing_support::pdfTextLines(pdf);
        QVERIFY(lines.contains(u"Εξάσκηση: υδρογονάνθρακες"_qs));
        QVERIFY(lines.contains(u"Λύσεις"_qs));
    }
};

QTEST_GUILESS_MAIN(TestPracticeCommand)
#include "tst_practice_command.moc"
