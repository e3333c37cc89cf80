// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The forty card pictures: twenty yellow formula cards and twenty green name
// cards, drawn as vector pictures in their own logical space and cached as
// pixmaps per picture, size and device pixel ratio.

#include "content/notation/FormulaNotation.h"

#include <QFont>
#include <QPixmap>
#include <QRectF>
#include <QSize>
#include <QString>
#include <functional>

class QPainter;

namespace content {

enum class CardKind { Formula, Name };

// The logical drawing space of a picture: 16000 wide; 2740 high for a one-row
// formula, 4850 for a two-row formula, 1665 for a name.
QSizeF pictureSpace(CardKind kind, int index);

// Paints picture `index` of `kind` stretched into `target`.
void paintCard(QPainter& painter, CardKind kind, int index, const QRectF& target);
// Paints the card of any formula, one, two or three rows, stretched into `target`.
void paintFormulaCard(QPainter& painter, const FormulaDescription& formula, const QRectF& target);
// Paints a name card for any name, stretched into `target`.
void paintNameCard(QPainter& painter, const QString& name, const QRectF& target);

// The share of the normal letter height at which `name` fits inside a name
// card's outline: 1 when it fits as drawn. Below MinNameLetterScale a name is
// too long for a card.
qreal nameLetterScale(const QString& name);
inline constexpr qreal MinNameLetterScale = 0.7;

// The picture rendered at `size` device-independent pixels and ratio `dpr`,
// rendered once and then served from a cache.
QPixmap cardPixmap(CardKind kind, int index, QSize size, qreal dpr);

// A picture rendered by `paint` into a pixmap of `size` pixels at ratio `dpr`,
// counted among the renders.
QPixmap renderCardPixmap(QSize size, qreal dpr,
                         const std::function<void(QPainter&, const QRectF&)>& paint);

// How many times pictures have been rendered into the cache (for tests and probes).
int cardRenderCount();

// The name printed on name card k (0 to 19).
QString nameText(int k);

// Formula `formula` read out plainly, for a screen reader: groups joined by
// "-", drawn bonds as "-", "=" or "≡", each branch in parentheses after the
// group that holds its carbon ("CH3-CH2-CH(CH3)-CH3").
QString formulaPlainText(int formula);
QString formulaPlainText(const FormulaDescription& formula);

// The font a name card is lettered in, in the card's logical units.
QFont nameFont();

// Where a name card's text goes and its outline, in the card's logical space.
inline constexpr qreal NameBaseline = 1082;
inline constexpr qreal NameOutlinePen = 47;
QRectF nameCardRect();

} // namespace content
