// SPDX-License-Identifier: GPL-3.0-or-later
// The forty cards as the board shows them, at 1x and 2x, pixel for pixel: one
// SHA-256 per rendered card, compared with digests taken from a rendering that
// a person looked at. Any change in how a formula is described, measured or
// painted shows up here, down to one pixel of one card.
//
// Glyph rasterising belongs to Qt and FreeType, so the digests hold only for
// the versions they were taken with (the file's first line); elsewhere that
// comparison says so and skips, and what holds on any version is checked. CARD_DIGESTS_WRITE=FILE
// writes the digests of this rendering to FILE instead of comparing.

#include "content/CardPictures.h"
#include "content/Fonts.h"
#include "exercise/rules/Board.h"
#include "shared/TwipScale.h"
#include "support/CardDigests.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSet>
#include <QTest>

using testing_support::digest;
using testing_support::renderingVersions;

namespace {

// "formula 3 @2" and its digest, for every card the board shows.
QList<std::pair<QString, QByteArray>> renderAll() {
    const board::Board board;
    const TwipScale scale;
    QList<std::pair<QString, QByteArray>> out;
    for (const qreal dpr : {1.0, 2.0}) {
        for (int i = 0; i < board::FormulaCount; ++i) {
            const board::TwipRect& r = board.ImgSyntactic()[size_t(i)];
            out.append({QStringLiteral("formula %1 @%2").arg(i).arg(dpr),
                        digest(content::cardPixmap(content::CardKind::Formula, i,
                                                   scale.size(r.Width, r.Height), dpr))});
        }
        const board::TwipRect& card = board.ImgName()[0];
        for (int k = 0; k < board::NameCount; ++k)
            out.append({QStringLiteral("name %1 @%2").arg(k).arg(dpr),
                        digest(content::cardPixmap(content::CardKind::Name, k,
                                                   scale.size(card.Width, card.Height), dpr))});
    }
    return out;
}

} // namespace

class TestCardDigests : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { content::registerBundledFonts(); }

    void everyCardIsPaintedAsBefore() {
        const QList<std::pair<QString, QByteArray>> now = renderAll();
        QCOMPARE(now.size(), 80);
        if (const QByteArray target = qgetenv("CARD_DIGESTS_WRITE"); !target.isEmpty()) {
            QFile out(QString::fromLocal8Bit(target));
            QVERIFY(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
            out.write(renderingVersions().toUtf8() + '\n');
            for (const auto& [card, hash] : now)
                out.write(card.toUtf8() + ' ' + hash + '\n');
            QSKIP("digests written, nothing compared");
        }
        QFile file(QFINDTESTDATA("card-digests.txt"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = file.readAll().trimmed().split('\n');
        const QString takenWith = QString::fromUtf8(lines.value(0));
        if (takenWith != renderingVersions())
            QSKIP(qPrintable(QStringLiteral("card digests were taken with %1, this is %2")
                                 .arg(takenWith, renderingVersions())));
        QCOMPARE(lines.size() - 1, now.size());
        QStringList changed;
        for (qsizetype i = 0; i < now.size(); ++i) {
            const QByteArray expected = lines[i + 1];
            const QByteArray actual = now[i].first.toUtf8() + ' ' + now[i].second;
            if (expected != actual)
                changed << now[i].first;
        }
        QVERIFY2(changed.isEmpty(), qPrintable(QStringLiteral("changed: ") + changed.join(u", ")));
    }

    // What holds with any Qt and FreeType: every card is a picture of its
    // own (a card painted blank, or with another card's text, shares a
    // digest), and the cached picture is the card painted afresh.
    void everyCardIsItsOwnOnAnyVersion() {
        const QList<std::pair<QString, QByteArray>> now = renderAll();
        QSet<QByteArray> distinct;
        for (const auto& [card, hash] : now)
            distinct.insert(hash);
        QCOMPARE(distinct.size(), now.size());
        const board::Board board;
        const TwipScale scale;
        const board::TwipRect& r = board.ImgSyntactic()[19];
        const QSize size = scale.size(r.Width, r.Height);
        QImage fresh(size, QImage::Format_ARGB32_Premultiplied);
        fresh.fill(Qt::transparent);
        QPainter painter(&fresh);
        content::paintCard(painter, content::CardKind::Formula, 19, QRectF(QPointF(), size));
        painter.end();
        QCOMPARE(digest(QPixmap::fromImage(fresh)), now[19].second);
    }
};

QTEST_MAIN(TestCardDigests)
#include "tst_card_digests.moc"
