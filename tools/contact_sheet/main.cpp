// SPDX-License-Identifier: GPL-3.0-or-later
// contact_sheet OUTPUT.png [ZOOM]
//
// Paints all forty card pictures at device pixel ratio 2 into one PNG: each
// formula card at the size it has on the board, with the name card that
// belongs under it to its right, ten pairs to a column. ZOOM (default 1)
// enlarges every card for a closer look. Run with QT_QPA_PLATFORM=offscreen.

#include "content/CardPictures.h"
#include "content/Fonts.h"
#include "content/Pairing.h"
#include "exercise/rules/Board.h"
#include "shared/TwipScale.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <cstdio>

namespace {

constexpr qreal Ratio = 2;

// Each card at the size its control has on the board.
QSize controlSize(content::CardKind kind, int index, qreal zoom) {
    static const board::Board designed;
    const board::TwipRect& r = kind == content::CardKind::Formula
                                   ? designed.ImgSyntactic()[size_t(index)]
                                   : designed.ImgName()[size_t(index)];
    return (QSizeF(r.Width, r.Height) * zoom / TwipScale::TwipsPerPixel).toSize();
}

} // namespace

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fputs("usage: contact_sheet OUTPUT.png [ZOOM]\n", stderr);
        return 2;
    }
    const qreal zoom = argc > 2 ? QString::fromLocal8Bit(argv[2]).toDouble() : 1.0;
    if (zoom <= 0) {
        std::fputs("contact_sheet: ZOOM must be a positive number\n", stderr);
        return 2;
    }
    content::registerBundledFonts();

    using content::CardKind;
    const int margin = int(12 * zoom);
    const int labelWidth = int(28 * zoom);
    const QSize formula = controlSize(CardKind::Formula, 1, zoom);
    const QSize name = controlSize(CardKind::Name, 0, zoom);
    const int pairWidth = labelWidth + formula.width() + margin + name.width();
    const int rowHeight = formula.height() + margin;
    const int perColumn = 10;
    const QSize sheet(margin + 2 * (pairWidth + 2 * margin), margin + perColumn * rowHeight);

    QImage image((QSizeF(sheet) * Ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(Ratio);
    image.fill(QColor(255, 255, 192));
    QPainter p(&image);
    QFont label = content::sansBold();
    label.setPixelSize(int(11 * zoom));
    p.setFont(label);
    for (int slot = 0; slot < content::FormulaCount; ++slot) {
        const int x = margin + (slot / perColumn) * (pairWidth + 2 * margin);
        const int y = margin + (slot % perColumn) * rowHeight;
        const int nameIndex = content::CorrectNameForFormula[std::size_t(slot)];
        p.setPen(Qt::black);
        p.drawText(QRect(x, y, labelWidth, name.height()), Qt::AlignLeft | Qt::AlignVCenter,
                   QString::number(slot));
        p.drawPixmap(x + labelWidth, y,
                     content::cardPixmap(CardKind::Formula, slot,
                                         controlSize(CardKind::Formula, slot, zoom), Ratio));
        const int nameX = x + labelWidth + formula.width() + margin;
        p.drawPixmap(nameX, y, content::cardPixmap(CardKind::Name, nameIndex, name, Ratio));
        p.drawText(QRect(nameX, y + name.height(), name.width(), name.height()),
                   Qt::AlignLeft | Qt::AlignTop, QStringLiteral("name %1").arg(nameIndex));
    }
    p.end();
    if (!image.save(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "contact_sheet: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
