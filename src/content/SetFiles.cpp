// SPDX-License-Identifier: GPL-3.0-or-later
#include "content/SetFiles.h"

#include "content/CardPictures.h"
#include "content/FormulaLayout.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
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

SetReading readSetFile(const QString& path) {
    SetReading reading;
    const QFileInfo info(path);
    const std::string fileName = info.fileName().toStdString();
    QFile file(path);
    // The size is known before anything is read: a file far too large for a
    // set is refused without reading it.
    if (info.size() > qint64(MaxSetFileBytes)) {
        reading.problems.push_back({0, 0, setFileTooLargeMessage()});
        return reading;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        reading.problems.push_back(
            {0, 0, "το αρχείο δεν ανοίγει: " + file.errorString().toStdString()});
        return reading;
    }
    const QByteArray bytes = file.read(qint64(MaxSetFileBytes) + 1);
    reading =
        readCompoundSet(std::string_view(bytes.constData(), std::size_t(bytes.size())), fileName);
    // The compounds whose text was whole are measured too, so that one check
    // tells of every problem; they are told in the order of the rows.
    const std::vector<SetProblem> fit = checkSetFitsCards(reading.set);
    reading.problems.insert(reading.problems.end(), fit.begin(), fit.end());
    std::stable_sort(reading.problems.begin(), reading.problems.end(),
                     [](const SetProblem& a, const SetProblem& b) { return a.row < b.row; });
    return reading;
}

bool writeSetFile(const CompoundSet& set, const QString& path, QString* error) {
    if (QFileInfo::exists(path)) {
        *error = QStringLiteral("the file exists already; the program never writes over a file");
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *error = file.errorString();
        return false;
    }
    const std::string bytes = writeCompoundSet(set);
    file.write(bytes.data(), qint64(bytes.size()));
    if (!file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}

} // namespace content
