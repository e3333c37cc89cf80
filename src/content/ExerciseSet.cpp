// SPDX-License-Identifier: GPL-3.0-or-later
#include "content/ExerciseSet.h"

#include "content/Catalogue.h"
#include "content/FormulaDescriptions.h"
#include "content/FormulaLayout.h"
#include "content/Pairing.h"
#include "content/SpokenText.h"
#include "shared/ExerciseTitle.h"

#include <QPainter>

namespace content {

std::shared_ptr<const ExerciseSet> ExerciseSet::builtIn() {
    static const std::shared_ptr<const ExerciseSet> twenty(new ExerciseSet());
    return twenty;
}

std::shared_ptr<const ExerciseSet> ExerciseSet::of(CompoundSet set) {
    std::shared_ptr<ExerciseSet> made(new ExerciseSet());
    made->set_ = std::move(set);
    return made;
}

QString ExerciseSet::title() const {
    return set_ ? QString::fromStdString(set_->title) : exerciseTitle();
}

int ExerciseSet::size() const {
    return set_ ? int(set_->compounds.size()) : FormulaCount;
}

int16_t ExerciseSet::correctNameFor(int formula) const {
    return set_ ? int16_t(formula) : CorrectNameForFormula[std::size_t(formula)];
}

const FormulaDescription& ExerciseSet::formula(int index) const {
    return set_ ? set_->compounds.at(std::size_t(index)).formula
                : formulaDescriptions().at(std::size_t(index));
}

board::BoardShape ExerciseSet::boardShape() const {
    if (!set_)
        return board::builtInShape();
    board::BoardShape shape;
    for (int f = 0; f < size(); ++f) {
        shape.correctName.push_back(correctNameFor(f));
        shape.formulaRows.push_back(formula(f).rows());
    }
    return shape;
}

QString ExerciseSet::nameText(int name) const {
    return set_ ? QString::fromStdString(set_->compounds.at(std::size_t(name)).name)
                : content::nameText(name);
}

NameInfo ExerciseSet::nameInfo(int name) const {
    if (!set_)
        return compoundCatalogue().at(std::size_t(name));
    const Compound& c = set_->compounds.at(std::size_t(name));
    const auto text = [](const std::string& s) { return QString::fromStdString(s); };
    return {text(c.name),
            text(c.parts[0].part),
            text(c.parts[0].reason),
            text(c.parts[1].part),
            text(c.parts[1].reason),
            text(c.parts[2].part),
            text(c.parts[2].reason),
            text(c.parts[3].part),
            text(c.parts[3].reason)};
}

QString ExerciseSet::formulaPlainText(int index) const {
    return set_ ? content::formulaPlainText(formula(index)) : content::formulaPlainText(index);
}

QString ExerciseSet::formulaSpokenText(int index) const {
    return set_ ? content::formulaSpokenText(formula(index)) : content::formulaSpokenText(index);
}

QSizeF ExerciseSet::formulaSpace(int index) const {
    return content::formulaSpace(formula(index));
}

void ExerciseSet::paintFormula(QPainter& painter, int index, const QRectF& target) const {
    if (set_)
        paintFormulaCard(painter, formula(index), target);
    else
        paintCard(painter, CardKind::Formula, index, target);
}

QPixmap ExerciseSet::cardPixmap(CardKind kind, int index, QSize size, qreal dpr) const {
    // The built-in pictures keep the program-wide cache they always share.
    if (!set_)
        return content::cardPixmap(kind, index, size, dpr);
    const auto key = std::tuple{int(kind), index, size.width(), size.height(), dpr};
    if (const auto it = cache_.find(key); it != cache_.end())
        return it->second;
    const QPixmap rendered = renderCardPixmap(size, dpr, [&](QPainter& p, const QRectF& target) {
        if (kind == CardKind::Formula)
            paintFormulaCard(p, formula(index), target);
        else
            paintNameCard(p, nameText(index), target);
    });
    cache_.emplace(key, rendered);
    return rendered;
}

} // namespace content
