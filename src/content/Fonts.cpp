// SPDX-License-Identifier: GPL-3.0-or-later
#include "content/Fonts.h"

#include <QFontDatabase>
#include <QString>
#include <QStringList>

namespace content {

namespace {
QString sansFamily = QStringLiteral("Liberation Sans");
QString serifFamily = QStringLiteral("Liberation Serif");

void addFont(const QString& path, QString& family) {
    const int id = QFontDatabase::addApplicationFont(path);
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    if (!families.isEmpty())
        family = families.first();
}

QFont boldFont(const QString& family) {
    QFont f(family);
    f.setBold(true);
    f.setStyleStrategy(QFont::PreferAntialias);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}
} // namespace

void registerBundledFonts() {
    static bool done = false;
    if (done)
        return;
    done = true;
    addFont(QStringLiteral(":/fonts/LiberationSans-Bold.ttf"), sansFamily);
    addFont(QStringLiteral(":/fonts/LiberationSerif-Bold.ttf"), serifFamily);
}

QFont sansBold() {
    return boldFont(sansFamily);
}
QFont serifBold() {
    return boldFont(serifFamily);
}

} // namespace content
