// SPDX-License-Identifier: GPL-3.0-or-later
#include "content/CardPictures.h"

#include "content/Catalogue.h"
#include "content/Fonts.h"
#include "content/FormulaDescriptions.h"
#include "content/FormulaLayout.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPainter>
#include <QRawFont>
#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <map>
#include <tuple>

namespace content {

namespace {

int renders = 0;

const QColor NearBlack(31, 26, 23);

// Corner arcs of every card: ellipses 1413 wide and 497 high.
constexpr qreal CornerRadiusX = 1413.0 / 2;
constexpr qreal CornerRadiusY = 497.0 / 2;
constexpr qreal FormulaOutlinePen = 41;
constexpr int NameHeight = 1126;

// A pen no thinner than one device pixel, so that small cards keep a whole
// outline instead of a faint grey trace.
QPen outlinePen(const QPainter& painter, qreal logicalWidth) {
    const QTransform t = painter.deviceTransform();
    const qreal scale = std::min(std::hypot(t.m11(), t.m12()), std::hypot(t.m21(), t.m22()));
    const qreal width = scale > 0 ? std::max(logicalWidth, 1.0 / scale) : logicalWidth;
    QPen pen(NearBlack, width);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
}

void paintCardShape(QPainter& painter, const QRectF& rect, const QColor& fill, qreal pen) {
    // The outline is a near-black rounded rectangle half a pen wider than the
    // card, the card's colour filled half a pen inside it: two fills, which
    // cost far less than stroking the curved outline, drawn in device pixels
    // so that the corners are not flattened in the 16000-unit picture space.
    const qreal width = outlinePen(painter, pen).widthF();
    const QTransform t = painter.transform();
    const bool axisAligned = t.type() <= QTransform::TxScale;
    const qreal sx = axisAligned ? std::abs(t.m11()) : 1.0;
    const qreal sy = axisAligned ? std::abs(t.m22()) : 1.0;
    const auto roundedAt = [&](qreal grow) {
        const QRectF r = rect.adjusted(-grow, -grow, grow, grow);
        return std::pair{axisAligned ? t.mapRect(r) : r,
                         QSizeF((CornerRadiusX + grow) * sx, (CornerRadiusY + grow) * sy)};
    };
    painter.save();
    if (axisAligned)
        painter.resetTransform();
    painter.setPen(Qt::NoPen);
    const auto [outer, outerRadii] = roundedAt(width / 2);
    painter.setBrush(NearBlack);
    painter.drawRoundedRect(outer, outerRadii.width(), outerRadii.height());
    const auto [inner, innerRadii] = roundedAt(-width / 2);
    painter.setBrush(fill);
    painter.drawRoundedRect(inner, innerRadii.width(), innerRadii.height());
    painter.restore();
}

void paintFormula(QPainter& painter, const FormulaDescription& formula) {
    const FormulaLayout layout = layoutFormula(formula);
    paintCardShape(painter, layout.card, QColor(255, 255, 0), FormulaOutlinePen);
    // A formula too long for a card is refused before it reaches a board; were
    // one drawn all the same, it would stay inside its card.
    if (!layout.fits)
        painter.setClipRect(layout.card);

    // The layout has placed every glyph already; drawing them as glyph runs
    // (one per size) skips shaping the same few letters glyph by glyph.
    std::array<QRawFont, 2> faces = {QRawFont::fromFont(formulaFont(false)),
                                     QRawFont::fromFont(formulaFont(true))};
    if (layout.letterScale != 1)
        for (QRawFont& face : faces)
            face.setPixelSize(face.pixelSize() * layout.letterScale);
    std::array<QList<quint32>, 2> indexes;
    std::array<QList<QPointF>, 2> positions;
    for (const PlacedGlyph& g : layout.glyphs) {
        const int face = g.subscript ? 1 : 0;
        const QChar c = g.symbol;
        indexes[face] += faces[face].glyphIndexesForString(QString(c));
        positions[face].append(g.origin);
    }
    painter.setPen(QColor(0, 0, 0));
    for (int face = 0; face < 2; ++face) {
        QGlyphRun run;
        run.setRawFont(faces[face]);
        run.setGlyphIndexes(indexes[face]);
        run.setPositions(positions[face]);
        painter.drawGlyphRun(QPointF(0, 0), run);
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(NearBlack);
    for (const QRectF& bar : layout.bars)
        painter.drawRect(bar);
}

void paintName(QPainter& painter, const QString& text) {
    paintCardShape(painter, nameCardRect(), QColor(0, 255, 0), NameOutlinePen);
    const QFont font = nameFont();
    const qreal width = QFontMetricsF(font).horizontalAdvance(text);
    const QSizeF space = pictureSpace(CardKind::Name, 0);
    // A name wider than its card is lettered smaller, all of it alike, about
    // the card's centre; one too long even so stays inside the card.
    const qreal scale = std::max(nameLetterScale(text), MinNameLetterScale);
    if (scale < 1) {
        painter.setClipRect(nameCardRect());
        const QPointF centre(space.width() / 2, space.height() / 2);
        painter.translate(centre);
        painter.scale(scale, scale);
        painter.translate(-centre);
    }
    painter.setFont(font);
    painter.setPen(NearBlack);
    painter.drawText(QPointF((space.width() - width) / 2, NameBaseline), text);
}

using CacheKey = std::tuple<int, int, int, int, qreal>;

} // namespace

QSizeF pictureSpace(CardKind kind, int index) {
    if (kind == CardKind::Name)
        return {16000, 1665};
    return formulaSpace(formulaDescriptions().at(std::size_t(index)));
}

QRectF nameCardRect() {
    return QRectF(QPointF(50, 83), QPointF(15950, 1598));
}

QFont nameFont() {
    QFont f = serifBold();
    f.setPixelSize(NameHeight);
    return f;
}

namespace {

void paintInto(QPainter& painter, QSizeF space, const QRectF& target,
               const std::function<void()>& paint) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.translate(target.topLeft());
    painter.scale(target.width() / space.width(), target.height() / space.height());
    paint();
    painter.restore();
}

} // namespace

void paintCard(QPainter& painter, CardKind kind, int index, const QRectF& target) {
    if (kind == CardKind::Formula)
        paintFormulaCard(painter, formulaDescriptions().at(std::size_t(index)), target);
    else
        paintNameCard(painter, nameText(index), target);
}

void paintNameCard(QPainter& painter, const QString& name, const QRectF& target) {
    paintInto(painter, pictureSpace(CardKind::Name, 0), target, [&] { paintName(painter, name); });
}

qreal nameLetterScale(const QString& name) {
    const qreal room = nameCardRect().width() - 3 * NameOutlinePen;
    const qreal width = QFontMetricsF(nameFont()).horizontalAdvance(name);
    return width <= room ? 1.0 : room / width;
}

void paintFormulaCard(QPainter& painter, const FormulaDescription& formula, const QRectF& target) {
    paintInto(painter, formulaSpace(formula), target, [&] { paintFormula(painter, formula); });
}

QPixmap renderCardPixmap(QSize size, qreal dpr,
                         const std::function<void(QPainter&, const QRectF&)>& paint) {
    QPixmap pm(QSizeF(QSizeF(size) * dpr).toSize());
    pm.setDevicePixelRatio(dpr);
    pm.fill(Qt::transparent);
    {
        QPainter p(&pm);
        paint(p, QRectF(QPointF(0, 0), QSizeF(size)));
    }
    ++renders;
    return pm;
}

QPixmap cardPixmap(CardKind kind, int index, QSize size, qreal dpr) {
    static std::map<CacheKey, QPixmap> cache;
    const CacheKey key{int(kind), index, size.width(), size.height(), dpr};
    if (auto it = cache.find(key); it != cache.end())
        return it->second;
    const QPixmap pm = renderCardPixmap(
        size, dpr, [&](QPainter& p, const QRectF& target) { paintCard(p, kind, index, target); });
    cache.emplace(key, pm);
    return pm;
}

int cardRenderCount() {
    return renders;
}

QString nameText(int k) {
    return compoundCatalogue().at(std::size_t(k)).FullName;
}

QString formulaPlainText(int formula) {
    return formulaPlainText(formulaDescriptions().at(std::size_t(formula)));
}

QString formulaPlainText(const FormulaDescription& d) {
    QString out;
    bool afterGroup = false;
    int atomsBefore = 0;
    for (const RowItem& item : d.mainRow) {
        if (item.isBond) {
            out += item.bond == Bond::Double ? u'=' : item.bond == Bond::Triple ? u'≡' : u'-';
            afterGroup = false;
            continue;
        }
        if (afterGroup)
            out += u'-';
        out += QLatin1String(item.text.data(), qsizetype(item.text.size()));
        const int atomsAfter = atomsBefore + atomCount(item.text);
        for (const Branch& b : d.branches) {
            if (b.atom > atomsBefore && b.atom <= atomsAfter)
                out += QStringLiteral("(%1)").arg(
                    QLatin1String(b.group.data(), qsizetype(b.group.size())));
        }
        atomsBefore = atomsAfter;
        afterGroup = true;
    }
    return out;
}

} // namespace content
