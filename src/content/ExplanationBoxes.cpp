// SPDX-License-Identifier: GPL-3.0-or-later
#include "content/ExplanationBoxes.h"

#include "content/Fonts.h"
#include "shared/TwipScale.h"

#include <QFontMetricsF>
#include <QRectF>

namespace content {

BoxFit fitInBox(bool reason, const QString& text) {
    const TwipScale full;
    const QFontMetricsF metrics(full.font(sansBold(), ExplanationPoints));
    const QSize box = reason ? full.size(ReasonBoxWidth, ReasonBoxHeight)
                             : full.size(PartBoxWidth, PartBoxHeight);
    const auto fits = [&](const QString& t) {
        if (!reason)
            return metrics.horizontalAdvance(t) <= box.width();
        const QRectF wrapped =
            metrics.boundingRect(QRectF(0, 0, box.width(), 1e6), Qt::TextWordWrap, t);
        return wrapped.height() <= box.height() && wrapped.width() <= box.width();
    };
    if (fits(text))
        return {true, text.size()};
    qsizetype low = 0, high = text.size();
    while (low + 1 < high) {
        const qsizetype middle = (low + high) / 2;
        (fits(text.left(middle)) ? low : high) = middle;
    }
    return {false, low};
}

std::vector<SetProblem> explanationFitProblems(const CompoundSet& set) {
    std::vector<SetProblem> problems;
    for (const Compound& c : set.compounds)
        for (std::size_t k = 0; k < c.parts.size(); ++k)
            for (const bool reason : {false, true}) {
                const QString text =
                    QString::fromStdString(reason ? c.parts[k].reason : c.parts[k].part);
                const BoxFit fit = fitInBox(reason, text);
                if (fit.fits)
                    continue;
                problems.push_back(
                    {c.row, int(3 + 2 * k + (reason ? 1 : 0)),
                     std::string(reason ? "η αιτιολογία" : "το μέρος του ονόματος") +
                         " δεν χωράει στο πλαίσιό του στο παράθυρο των επεξηγήσεων — χωρούν " +
                         std::to_string(fit.charactersThatFit) + " από τους " +
                         std::to_string(text.size()) + " χαρακτήρες"});
            }
    return problems;
}

} // namespace content
