// SPDX-License-Identifier: GPL-3.0-or-later
// Why a file cannot be read or written, in the Greek a teacher reads: what
// looking at the path tells (missing, a folder, exists already, no folder)
// and what the system's error number tells while writing.

#include "content/FileErrors.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <cerrno>

using namespace content;

class TestFileErrors : public QObject {
    Q_OBJECT

private slots:
    void aPathIsLookedAtBeforeOpening_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("reading");
        QTest::addColumn<QString>("writing");
        QTest::addRow("missing") << "missing.csv" << u"το αρχείο δεν υπάρχει"_qs << QString();
        QTest::addRow("a folder") << "folder" << u"είναι φάκελος, όχι αρχείο"_qs
                                  << u"είναι φάκελος, όχι αρχείο"_qs;
        QTest::addRow("exists already")
            << "file.csv" << QString()
            << u"το αρχείο υπάρχει ήδη — το πρόγραμμα δεν γράφει ποτέ πάνω σε αρχείο· δώστε άλλο "
               u"όνομα"_qs;
        QTest::addRow("in a missing folder")
            << "nowhere/x.csv" << u"το αρχείο δεν υπάρχει"_qs << u"ο φάκελος δεν υπάρχει"_qs;
    }
    void aPathIsLookedAtBeforeOpening() {
        QFETCH(QString, path);
        QFETCH(QString, reading);
        QFETCH(QString, writing);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder")));
        QFile file(dir.filePath(QStringLiteral("file.csv")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QCOMPARE(unreadableReason(dir.filePath(path)), reading);
        QCOMPARE(unwritableReason(dir.filePath(path)), writing);
    }

    void aFileWithoutPermissionIsToldSo() {
        QTemporaryDir dir;
        QFile file(dir.filePath(QStringLiteral("κλειστό.csv")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QVERIFY(file.setPermissions(QFileDevice::Permissions()));
        if (file.open(QIODevice::ReadOnly))
            QSKIP("this user reads any file (root)");
        QCOMPARE(unreadableReason(file.fileName()),
                 QStringLiteral(u"δεν έχετε άδεια να διαβάσετε το αρχείο"));
    }

    void aWriteErrorIsToldByItsNumber_data() {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("words");
        QTest::addRow("no permission") << EACCES << u"δεν έχετε άδεια να γράψετε εκεί"_qs;
        QTest::addRow("not allowed") << EPERM << u"δεν έχετε άδεια να γράψετε εκεί"_qs;
        QTest::addRow("disk full") << ENOSPC << u"ο δίσκος είναι γεμάτος"_qs;
        QTest::addRow("read-only") << EROFS << u"ο δίσκος είναι μόνο για ανάγνωση"_qs;
        QTest::addRow("no folder") << ENOENT << u"ο φάκελος δεν υπάρχει"_qs;
        QTest::addRow("any other") << EIO << u"η εγγραφή απέτυχε (σφάλμα %1)"_qs.arg(EIO);
    }
    void aWriteErrorIsToldByItsNumber() {
        QFETCH(int, number);
        QFETCH(QString, words);
        QCOMPARE(writeErrorText(number), words);
    }
};

QTEST_MAIN(TestFileErrors)
#include "tst_file_errors.moc"
