// SPDX-License-Identifier: GPL-3.0-or-later
#include "content/SetFiles.h"

#include "content/CardPictures.h"
#include "content/FileErrors.h"
#include "content/FormulaLayout.h"

#include <QSaveFile>
#include <cerrno>
#include <cmath>

namespace content {

std::vector<SetProblem> checkSetFitsCards(const CompoundSet& set) {
    std::vector<SetProblem> problems;
    for (const Compound& c : set.compounds) {
        const FormulaLayout laid = layoutFormula(c.formula);
        if (!laid.fits)
            problems.push_back({c.row, 1, formulaTooLongMessage(laid)});
        const QString name = QString::fromStdString(c.name);
        if (const qreal scale = nameLetterScale(name); scale < MinNameLetterScale) {
            const auto fit = qsizetype(std::floor(name.size() * scale / MinNameLetterScale));
            problems.push_back(
                {c.row, 2,
                 "το όνομα δεν χωράει στην πράσινη κάρτα ούτε με μικρότερα γράμματα — χωρούν "
                 "περίπου " +
                     std::to_string(fit) + " από τους " + std::to_string(name.size()) +
                     " χαρακτήρες του"});
        }
    }
    return problems;
}

bool writeSetFile(const CompoundSet& set, const QString& path, QString* error) {
    if (*error = unwritableReason(path); !error->isEmpty())
        return false;
    QSaveFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly)) {
        *error = writeErrorText(errno);
        return false;
    }
    const std::string bytes = writeCompoundSet(set);
    file.write(bytes.data(), qint64(bytes.size()));
    if (!file.commit()) {
        *error = writeErrorText(errno);
        return false;
    }
    return true;
}

} // namespace content
