// SPDX-License-Identifier: GPL-3.0-or-later
#include "content/PracticeSets.h"

#include "content/ExplanationBoxes.h"
#include "content/SetFiles.h"

namespace content {

CompoundSet compoundSetOf(const QString& title,
                          const std::vector<chemistry::practice::PracticeCompound>& compounds) {
    CompoundSet set{title.toStdString(), {}};
    for (const auto& c : compounds) {
        Compound row;
        row.formulaText = c.formula;
        row.formula = parseFormula(c.formula).formula;
        row.name = c.named.name;
        for (std::size_t k = 0; k < row.parts.size(); ++k)
            row.parts[k] = {c.named.sections[k].part, c.named.sections[k].reason};
        row.row = int(set.compounds.size()) + 1;
        set.compounds.push_back(std::move(row));
    }
    return set;
}

PracticeSets::PracticeSets(std::vector<chemistry::practice::CompoundClass> classes,
                           std::uint64_t seed, int count)
    : practice_(std::move(classes), seed,
                [this](const chemistry::practice::PracticeCompound& c) { return fits(c); }),
      count_(count) {}

bool PracticeSets::fits(const chemistry::practice::PracticeCompound& compound) {
    if (!checkSetFitsCards(compoundSetOf(QString(), {compound})).empty())
        return false;
    for (const chemistry::NameSection& section : compound.named.sections)
        for (const bool reason : {false, true}) {
            const std::string& text = reason ? section.reason : section.part;
            const auto [known, added] = boxFits_.try_emplace({reason, text}, false);
            if (added)
                known->second = fitInBox(reason, QString::fromStdString(text)).fits;
            if (!known->second)
                return false;
        }
    return true;
}

QString PracticeSets::title() const {
    return QStringLiteral(u"Εξάσκηση: ") +
           QString::fromStdString(chemistry::practice::describeClasses(practice_.classes()));
}

CompoundSet PracticeSets::nextCompoundSet() {
    return compoundSetOf(title(), practice_.nextSet(count_));
}

std::shared_ptr<const ExerciseSet> PracticeSets::next() {
    return ExerciseSet::of(nextCompoundSet());
}

} // namespace content
