// SPDX-License-Identifier: GPL-3.0-or-later
#include "content/SpokenText.h"

#include "content/FormulaDescriptions.h"

#include <QStringList>

namespace content {

namespace {

constexpr char16_t LatinO = u'o';
constexpr char16_t GreekOmicron = u'\u03bf';

bool isAsciiDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

bool isLatinLetter(QChar c) {
    return c.isLetter() && c.script() == QChar::Script_Latin;
}

// A group with its element symbols apart ("C O O H", "C H3", "Cl"): run
// together, the voice takes "COOH", "CHO" or "OH" for English words.
QString groupText(std::string_view group) {
    QString spoken;
    for (const char c : group) {
        if (c >= 'A' && c <= 'Z' && !spoken.isEmpty())
            spoken += u' ';
        spoken += QLatin1Char(c);
    }
    return spoken;
}

QString bondWords(Bond bond) {
    switch (bond) {
    case Bond::Double:
        return QStringLiteral(u"διπλός δεσμός");
    case Bond::Triple:
        return QStringLiteral(u"τριπλός δεσμός");
    case Bond::Bar:
        break;
    }
    // A single bond is drawn only where the row would otherwise look crowded;
    // to the ear it is no different from the unseen ones between the other
    // groups.
    return {};
}

// `carbon`: the number of the carbon the branch hangs from, 0 when it hangs
// from the nitrogen of an amine.
QString branchWords(const Branch& branch, int carbon) {
    if (carbon == 0)
        return (branch.above ? QStringLiteral(u"διακλάδωση %1 πάνω από το άζωτο")
                             : QStringLiteral(u"διακλάδωση %1 στο άζωτο"))
            .arg(groupText(branch.group));
    // "2ο" with the Greek omicron, which the Greek voice reads as "δεύτερο".
    // The second branch of a carbon stands above it, and is told apart so.
    return (branch.above ? QStringLiteral(u"διακλάδωση %1 πάνω από τον %2\u03bf άνθρακα")
                         : QStringLiteral(u"διακλάδωση %1 στον %2\u03bf άνθρακα"))
        .arg(groupText(branch.group))
        .arg(carbon);
}

} // namespace

QString spokenForm(const QString& displayed) {
    QString spoken = displayed;
    for (qsizetype i = 1; i < spoken.size(); ++i) {
        if (spoken[i] != LatinO || !isAsciiDigit(spoken[i - 1]))
            continue;
        const bool wordGoesOn = i + 1 < spoken.size() && isLatinLetter(spoken[i + 1]);
        if (!wordGoesOn)
            spoken[i] = QChar(GreekOmicron);
    }
    return spoken;
}

QString formulaSpokenText(int formula) {
    return formulaSpokenText(formulaDescriptions().at(std::size_t(formula)));
}

QString formulaSpokenText(const FormulaDescription& d) {
    QStringList words;
    int atomsBefore = 0, carbonsBefore = 0;
    for (const RowItem& item : d.mainRow) {
        if (item.isBond) {
            const QString bond = bondWords(item.bond);
            if (!bond.isEmpty())
                words << bond;
            continue;
        }
        words << groupText(item.text);
        const int atomsAfter = atomsBefore + atomCount(item.text);
        // Branches hang from a carbon group or a nitrogen, the group's one atom.
        const int carbon = isCarbonGroup(item.text) ? carbonsBefore + 1 : 0;
        for (const Branch& b : d.branches)
            if (b.atom > atomsBefore && b.atom <= atomsAfter)
                words << branchWords(b, carbon);
        atomsBefore = atomsAfter;
        carbonsBefore += carbonCount(item.text);
    }
    return words.join(QStringLiteral(", "));
}

} // namespace content
