// SPDX-License-Identifier: GPL-3.0-or-later
#include "content/SetCheck.h"

#include "content/ExplanationBoxes.h"
#include "content/FileErrors.h"
#include "content/SetFiles.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>

namespace content {

namespace {

SetCheck wholeFileError(QString message) {
    SetCheck check;
    check.errors.push_back({0, 0, message.toStdString()});
    return check;
}

// The fits of the compounds whose text was whole. Measuring takes fonts, so
// a file of thousands of rows is measured no further than a set could reach.
void measureFits(SetReading& reading) {
    CompoundSet measured{reading.set.title, {}};
    const std::size_t n = std::min(reading.set.compounds.size(), MaxSetProblems);
    measured.compounds.assign(reading.set.compounds.begin(),
                              reading.set.compounds.begin() + std::ptrdiff_t(n));
    for (std::vector<SetProblem> found :
         {checkSetFitsCards(measured), explanationFitProblems(measured)})
        for (SetProblem& p : found)
            reading.add(std::move(p));
}

} // namespace

QStringList SetCheck::lines() const {
    QStringList out;
    for (const std::vector<SetProblem>* group : {&errors, &warnings})
        for (const SetProblem& p : *group)
            out << QString::fromStdString(describeSetProblem(p));
    return out;
}

QString moreProblemsLine(std::size_t count) {
    return QStringLiteral(u"… και %1 ακόμη").arg(count);
}

SetCheck checkSet(std::string_view bytes, std::string_view fileName) {
    SetReading reading = readCompoundSet(bytes, fileName);
    measureFits(reading);
    SetCheck check;
    check.untold = reading.untold;
    std::stable_sort(reading.problems.begin(), reading.problems.end(),
                     [](const SetProblem& a, const SetProblem& b) { return a.row < b.row; });
    for (SetProblem& p : reading.problems)
        (p.warning ? check.warnings : check.errors).push_back(std::move(p));
    if (reading.ok())
        check.compounds = ExerciseSet::of(std::move(reading.set));
    return check;
}

SetCheck checkSetFile(const QString& path) {
    if (const QString reason = unreadableReason(path); !reason.isEmpty())
        return wholeFileError(reason);
    const QFileInfo info(path);
    // The size is known before anything is read: a file far too large for a
    // set is refused without reading it.
    if (info.size() > qint64(MaxSetFileBytes))
        return wholeFileError(QString::fromStdString(setFileTooLargeMessage()));
    QFile file(path);
    errno = 0;
    if (!file.open(QIODevice::ReadOnly))
        return wholeFileError(QStringLiteral(u"το αρχείο δεν ανοίγει (σφάλμα %1)").arg(errno));
    const QByteArray bytes = file.read(qint64(MaxSetFileBytes) + 1);
    return checkSet(std::string_view(bytes.constData(), std::size_t(bytes.size())),
                    info.fileName().toStdString());
}

} // namespace content
