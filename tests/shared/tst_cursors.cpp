// SPDX-License-Identifier: GPL-3.0-or-later
// The two pointers of the exercise: drawn at the screen's own resolution, with
// the hand's hot spot on its fingertip.

#include "shared/Cursors.h"

#include <QTest>

class TestCursors : public QObject {
    Q_OBJECT

private slots:
    void picturesAreDrawnAtTheDevicePixelRatio_data() {
        QTest::addColumn<qreal>("dpr");
        QTest::addRow("ratio 1") << 1.0;
        QTest::addRow("ratio 1.5") << 1.5;
        QTest::addRow("ratio 2") << 2.0;
    }
    void picturesAreDrawnAtTheDevicePixelRatio() {
        QFETCH(qreal, dpr);
        for (const QPixmap& pm : {cursors::pointingHandPixmap(dpr), cursors::dropIconPixmap(dpr)}) {
            QCOMPARE(pm.devicePixelRatio(), dpr);
            QCOMPARE(pm.deviceIndependentSize(), QSizeF(32, 32));
            QCOMPARE(pm.size(), QSize(qRound(32 * dpr), qRound(32 * dpr)));
            // Anti-aliased edges: at a high ratio there are partly covered pixels,
            // which a scaled-up 32-pixel bitmap would not have in this number.
            const QImage img = pm.toImage();
            int partial = 0, opaque = 0;
            for (int y = 0; y < img.height(); ++y)
                for (int x = 0; x < img.width(); ++x) {
                    const int a = qAlpha(img.pixel(x, y));
                    partial += a > 0 && a < 255;
                    opaque += a == 255;
                }
            QVERIFY(opaque > 40 * dpr * dpr);
            QVERIFY(partial > 0);
        }
    }

    void theHandPointsWithItsHotSpotOnTheFingertip() {
        const QCursor hand = cursors::pointingHand();
        QCOMPARE(hand.hotSpot(), QPoint(12, 1));
        const QImage img = cursors::pointingHandPixmap(2).toImage();
        // Ink just below the hot spot (the fingertip), none above it or beside
        // the finger at that height.
        QVERIFY(qAlpha(img.pixel(24, 4)) > 128);
        QCOMPARE(qAlpha(img.pixel(24, 0)), 0);
        QCOMPARE(qAlpha(img.pixel(8, 4)), 0);
        QCOMPARE(qAlpha(img.pixel(40, 4)), 0);
    }

    void theDropIconDiffersFromTheHand() {
        QVERIFY(cursors::dropIconPixmap(1).toImage() != cursors::pointingHandPixmap(1).toImage());
        QCOMPARE(cursors::dropIcon().shape(), Qt::BitmapCursor);
    }
};

QTEST_MAIN(TestCursors)
#include "tst_cursors.moc"
