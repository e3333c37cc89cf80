// SPDX-License-Identifier: GPL-3.0-or-later
// The forty cards as the board shows them, at 1x and 2x, pixel for pixel: one
// SHA-256 per rendered card, compared with digests taken from a rendering that
// a person looked at. Any change in how a formula is described, measured or
// painted shows up here, down to one pixel of one card.
//
// Glyph rasterising belongs to Qt and FreeType, so the digests hold only for
// the versions they were taken with (the file's first line); elsewhere the
// comparison says so and skips, and what holds on any version is checked.
// The built-in template, read back as a teacher's set, must paint the same. CARD_DIGESTS_WRITE=FILE
// writes the digests of this rendering to FILE instead of comparing.

#include "content/BuiltInSet.h"
#include "content/CardPictures.h"
#include "content/ExerciseSet.h"
#include "content/Fonts.h"
#include "content/Pairing.h"
#include "exercise/rules/Board.h"
#include "shared/TwipScale.h"

#include <QCryptographicHash>
#include <QFile>
#include <QImage>
#include <QSet>
#include <QTest>

#if defined(Q_OS_LINUX)
#include <dlfcn.h>
#endif

namespace {

// FreeType's version as the library Qt loaded reports it, read without its
// headers; empty where it cannot be asked.
QString freeTypeVersion() {
#if defined(Q_OS_LINUX)
    void* lib = dlopen("libfreetype.so.6", RTLD_LAZY | RTLD_NOLOAD);
    if (!lib)
        return {};
    using Init = int (*)(void**);
    using Version = void (*)(void*, int*, int*, int*);
    using Done = int (*)(void*);
    const auto init = reinterpret_cast<Init>(dlsym(lib, "FT_Init_FreeType"));
    const auto version = reinterpret_cast<Version>(dlsym(lib, "FT_Library_Version"));
    const auto done = reinterpret_cast<Done>(dlsym(lib, "FT_Done_FreeType"));
    QString text;
    void* library = nullptr;
    if (init && version && done && init(&library) == 0) {
        int major = 0, minor = 0, patch = 0;
        version(library, &major, &minor, &patch);
        text = QStringLiteral("%1.%2.%3").arg(major).arg(minor).arg(patch);
        done(library);
    }
    dlclose(lib);
    return text;
#else
    return {};
#endif
}

QString renderingVersions() {
    return QStringLiteral("qt %1 freetype %2").arg(QLatin1String(qVersion()), freeTypeVersion());
}

QByteArray digest(const QPixmap& pixmap) {
    const QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(QByteArray::number(image.width()) + 'x' + QByteArray::number(image.height()));
    for (int y = 0; y < image.height(); ++y)
        hash.addData(QByteArrayView(reinterpret_cast<const char*>(image.constScanLine(y)),
                                    qsizetype(image.width()) * 4));
    return hash.result().toHex();
}

// "formula 3 @2" and its digest, for every card the board shows, as `set`
// paints it; `set` holds the built-in twenty, its formulas in their order.
QList<std::pair<QString, QByteArray>> renderAll(const content::ExerciseSet& set) {
    const board::Board board;
    const TwipScale scale;
    // A set read from a file names its cards after its formulas: the
    // built-in name k is its card under the formula k belongs to.
    std::array<int, board::NameCount> cardOfName{};
    for (int f = 0; f < board::FormulaCount; ++f)
        cardOfName[size_t(set.isBuiltIn() ? f : content::CorrectNameForFormula[size_t(f)])] =
            set.isBuiltIn() ? f : set.correctNameFor(f);
    QList<std::pair<QString, QByteArray>> out;
    for (const qreal dpr : {1.0, 2.0}) {
        for (int i = 0; i < board::FormulaCount; ++i) {
            const board::TwipRect& r = board.ImgSyntactic()[size_t(i)];
            out.append({QStringLiteral("formula %1 @%2").arg(i).arg(dpr),
                        digest(set.cardPixmap(content::CardKind::Formula, i,
                                              scale.size(r.Width, r.Height), dpr))});
        }
        const board::TwipRect& card = board.ImgName()[0];
        for (int k = 0; k < board::NameCount; ++k)
            out.append({QStringLiteral("name %1 @%2").arg(k).arg(dpr),
                        digest(set.cardPixmap(content::CardKind::Name, cardOfName[size_t(k)],
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
        const QList<std::pair<QString, QByteArray>> now =
            renderAll(*content::ExerciseSet::builtIn());
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
        // The template read back is the same exercise to the pixel, too.
        const content::SetReading read =
            content::readCompoundSet(content::writeCompoundSet(content::builtInSet()), "x.csv");
        const QList<std::pair<QString, QByteArray>> reopened =
            renderAll(*content::ExerciseSet::of(read.set));
        QStringList changed;
        for (qsizetype i = 0; i < now.size(); ++i) {
            const QByteArray expected = lines[i + 1];
            for (const auto* got : {&now, &reopened})
                if (expected != (*got)[i].first.toUtf8() + ' ' + (*got)[i].second)
                    changed << (*got)[i].first + (got == &now ? QString() : u" (template)"_qs);
        }
        QVERIFY2(changed.isEmpty(), qPrintable(QStringLiteral("changed: ") + changed.join(u", ")));
    }

    // What holds on any Qt and FreeType: every card is a picture of its own
    // (a card painted blank, or with another's text, shares a digest).
    void everyCardIsItsOwnOnAnyVersion() {
        QSet<QByteArray> distinct;
        for (const auto& [card, hash] : renderAll(*content::ExerciseSet::builtIn()))
            distinct.insert(hash);
        QCOMPARE(distinct.size(), 80);
    }
};

QTEST_MAIN(TestCardDigests)
#include "tst_card_digests.moc"
