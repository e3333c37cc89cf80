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

struct Run {
    int exitCode = -1;
    QString out, err;
};

Run runProgram(const QStringList& arguments) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_RUNTIME_DIR"})
        env.remove(QString::fromLatin1(name));
    env.insert(QStringLiteral("LANG"), QStringLiteral("C.UTF-8"));
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(ONOMATOLOGIA_BINARY), arguments);
    Run run;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.exitCode = process.exitCode();
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

QByteArray bytesOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestPracticeCommand : public QObject {
    Q_OBJECT

private slots:
    void mistakesAreToldInOneGreekLine_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("told");
        QTest::addRow("unknown class lists them")
            << QStringList{u"--practice"_qs, u"αλκάνια,αρωματικά"_qs} << u"αλκαδιένια"_qs;
        QTest::addRow("count too large")
            << QStringList{u"--practice"_qs, u"όλα"_qs, u"--count"_qs, u"21"_qs} << u"2 έως 20"_qs;
        QTest::addRow("count of one")
            << QStringList{u"--practice"_qs, u"όλα"_qs, u"--count=1"_qs} << u"2 έως 20"_qs;
        QTest::addRow("seed not a number")
            << QStringList{u"--practice"_qs, u"όλα"_qs, u"--seed"_qs, u"x"_qs} << u"--seed"_qs;
        QTest::addRow("count without practice")
            << QStringList{u"--count"_qs, u"5"_qs} << u"--practice"_qs;
        QTest::addRow("answers without worksheet")
            << QStringList{u"--practice"_qs, u"όλα"_qs, u"--answers"_qs} << u"--worksheet"_qs;
    }
    void mistakesAreToldInOneGreekLine() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, told);
        QTemporaryDir dir;
        const QString out = dir.filePath(u"set.csv"_qs);
        const Run run = runProgram(arguments + QStringList{u"--export-set"_qs, out});
        QCOMPARE(run.exitCode, 2);
        QCOMPARE(run.err.count(u'\n'), 1);
        QVERIFY2(run.err.contains(told), qPrintable(run.err));
        QVERIFY(!QFile::exists(out));
    }

    void aSetForReviewChecksCleanAndFollowsItsSeed() {
        QTemporaryDir dir;
        const QString a = dir.filePath(u"a.csv"_qs), b = dir.filePath(u"b.csv"_qs);
        for (const QString& path : {a, b}) {
            const Run run = runProgram({u"--practice"_qs, u"ΑΛΚΟΟΛΕΣ,κετονες"_qs, u"--count"_qs,
                                        u"8"_qs, u"--seed"_qs, u"4"_qs, u"--export-set"_qs, path});
            QCOMPARE(run.exitCode, 0);
        }
        QVERIFY(!bytesOf(a).isEmpty());
        QCOMPARE(bytesOf(a), bytesOf(b));
        const Run check = runProgram({u"--check-set"_qs, a});
        QCOMPARE(check.exitCode, 0);
        QCOMPARE(check.out.trimmed(), a + u": «Εξάσκηση: αλκοόλες, κετόνες», 8 ενώσεις"_qs);
    }

    void aWorksheetComesWithItsAnswers() {
        QTemporaryDir dir;
        const QString pdf = dir.filePath(u"w.pdf"_qs);
        const Run run = runProgram({u"--practice"_qs, u"υδρογονάνθρακες"_qs, u"--seed"_qs, u"2"_qs,
                                    u"--worksheet"_qs, pdf, u"--answers"_qs});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(testing_support::pdfInfo(pdf, u"Pages"_qs), u"2"_qs);
        const QStringList lines = testing_support::pdfTextLines(pdf);
        QVERIFY(lines.contains(u"Εξάσκηση: υδρογονάνθρακες"_qs));
        QVERIFY(lines.contains(u"Λύσεις"_qs));
    }
};

QTEST_GUILESS_MAIN(TestPracticeCommand)
#include "tst_practice_command.moc"
