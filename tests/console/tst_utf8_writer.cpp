// SPDX-License-Identifier: GPL-3.0-or-later
// The writer of the program's terminal output: UTF-8 read into UTF-16 for a
// Windows console, and the very bytes given for a file or a pipe.
#include "shared/console/Utf8Writer.h"

#include <QRandomGenerator>
#include <QString>
#include <QTest>
#include <cstdio>

class TestUtf8Writer : public QObject {
    Q_OBJECT
private slots:
    void readsUtf8_data();
    void readsUtf8();
    void readsEveryCodePoint();
    void writesTheBytesGivenToAFile();
};

void TestUtf8Writer::readsUtf8_data() {
    QTest::addColumn<QByteArray>("utf8");
    QTest::addColumn<QString>("expected");
    QTest::addRow("ascii") << QByteArray("CH3-CH3\n") << u"CH3-CH3\n"_qs;
    QTest::addRow("greek") << QByteArray("\xce\xb1\xce\xb9\xce\xb8\xce\xac\xce\xbd\xce\xb9\xce\xbf")
                           << u"αιθάνιο"_qs;
    QTest::addRow("outside_the_BMP") << QByteArray("\xf0\x9d\x90\x80") << u"\U0001D400"_qs;
    QTest::addRow("lone_continuation") << QByteArray("a\x80z") << u"a\uFFFDz"_qs;
    QTest::addRow("overlong_slash") << QByteArray("\xc0\xaf") << u"\uFFFD\uFFFD"_qs;
    QTest::addRow("surrogate") << QByteArray("\xed\xa0\x80") << u"\uFFFD\uFFFD\uFFFD"_qs;
    QTest::addRow("past_10FFFF") << QByteArray("\xf4\x90\x80\x80")
                                 << u"\uFFFD\uFFFD\uFFFD\uFFFD"_qs;
    QTest::addRow("cut_at_the_end") << QByteArray("x\xce") << u"x\uFFFD"_qs;
    QTest::addRow("cut_before_ascii") << QByteArray("\xe2\x82"
                                                    "A")
                                      << u"\uFFFD\uFFFDA"_qs;
}

void TestUtf8Writer::readsUtf8() {
    QFETCH(QByteArray, utf8);
    QFETCH(QString, expected);
    QCOMPARE(QString::fromStdU16String(console::utf16(utf8.toStdString())), expected);
}

// Random strings of scalar values, encoded by Qt, come back whole.
void TestUtf8Writer::readsEveryCodePoint() {
    QRandomGenerator random(25);
    for (int round = 0; round < 2000; ++round) {
        QList<char32_t> points;
        for (int n = random.bounded(1, 12); n > 0; --n) {
            char32_t c = random.bounded(0x110000u);
            if (c >= 0xD800 && c <= 0xDFFF)
                c -= 0x800;
            points.append(c);
        }
        const QString text = QString::fromUcs4(points.constData(), points.size());
        QCOMPARE(QString::fromStdU16String(console::utf16(text.toUtf8().toStdString())), text);
    }
}

// No line-end translation, no code page: a file gets exactly the UTF-8.
void TestUtf8Writer::writesTheBytesGivenToAFile() {
    const QByteArray text = u"μεθάνιο: «CH4»\nγραμμή 2\n"_qs.toUtf8();
    std::FILE* file = std::tmpfile();
    QVERIFY(file);
    console::write(file, text.toStdString());
    std::fflush(file);
    std::rewind(file);
    QByteArray back(text.size() + 8, '\0');
    back.resize(static_cast<qsizetype>(std::fread(back.data(), 1, back.size(), file)));
    std::fclose(file);
    QCOMPARE(back, text);
}

QTEST_APPLESS_MAIN(TestUtf8Writer)
#include "tst_utf8_writer.moc"
