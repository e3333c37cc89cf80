#include "content/CardPictures.h"

#include "content/Catalogue.h"
#include "content/Fonts.h"
#include "content/Pairing.h"

#include <QHash>
#include <QPainter>

namespace content {

namespace {
int renders = 0;
}

QSizeF pictureSpace(CardKind kind, int index) {
    if (kind == CardKind::Name)
        return {16000, 1665};
    return {16000, isTwoRowFormula(index) ? 4850.0 : 2740.0};
}

void paintCard(QPainter& painter, CardKind kind, int index, const QRectF& target) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor fill = kind == CardKind::Name ? QColor(0, 255, 0) : QColor(255, 255, 0);
    painter.setBrush(fill);
    painter.setPen(QPen(QColor(31, 26, 23), 1));
    painter.drawRoundedRect(target.adjusted(1, 1, -1, -1), 6, 6);
    painter.setFont(kind == CardKind::Name ? serifBold() : sansBold());
    painter.drawText(target, Qt::AlignCenter,
                     kind == CardKind::Name ? nameText(index) : QString::number(index));
    painter.restore();
}

QPixmap cardPixmap(CardKind kind, int index, QSize size, qreal dpr) {
    static QHash<QString, QPixmap> cache;
    const QString key = QStringLiteral("%1/%2/%3x%4@%5")
                            .arg(int(kind))
                            .arg(index)
                            .arg(size.width())
                            .arg(size.height())
                            .arg(dpr);
    if (auto it = cache.constFind(key); it != cache.constEnd())
        return *it;
    QPixmap pm(size * dpr);
    pm.setDevicePixelRatio(dpr);
    pm.fill(Qt::transparent);
    {
        QPainter p(&pm);
        paintCard(p, kind, index, QRectF(QPointF(0, 0), QSizeF(size)));
    }
    ++renders;
    cache.insert(key, pm);
    return pm;
}

int cardRenderCount() {
    return renders;
}

QString nameText(int k) {
    return compoundCatalogue()[k].FullName;
}

} // namespace content
