// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The compounds one exercise shows, as the windows read them: the built-in
// twenty or a teacher's set. Everything downstream (the board's pictures, the
// screen reader's words, the explanation window, the worksheet) asks this one
// object, so that nothing knows which kind it has. Pictures are cached per set.

#include "content/CardPictures.h"
#include "content/sets/CompoundSet.h"
#include "exercise/rules/Board.h"
#include "shared/Module1.h"

#include <QPixmap>
#include <QString>
#include <map>
#include <memory>
#include <optional>
#include <tuple>

namespace content {

class ExerciseSet {
public:
    static std::shared_ptr<const ExerciseSet> builtIn();
    // A teacher's set: each row's name is that row's formula's, names in the
    // order of the rows.
    static std::shared_ptr<const ExerciseSet> of(CompoundSet set);

    bool isBuiltIn() const { return !set_; }
    QString title() const;
    int size() const;
    // The name (catalogue row) that belongs under formula `formula`.
    int16_t correctNameFor(int formula) const;
    const FormulaDescription& formula(int index) const;
    // What the board needs to know of these compounds.
    board::BoardShape boardShape() const;
    QString nameText(int name) const;
    // Name `name` taken apart, as the explanation window shows it.
    NameInfo nameInfo(int name) const;
    QString formulaPlainText(int index) const;
    QString formulaSpokenText(int index) const;

    // A card's picture at `size` pixels and ratio `dpr`, rendered once.
    QPixmap cardPixmap(CardKind kind, int index, QSize size, qreal dpr) const;
    void paintFormula(QPainter& painter, int index, const QRectF& target) const;
    QSizeF formulaSpace(int index) const;

private:
    ExerciseSet() = default;

    std::optional<CompoundSet> set_;
    mutable std::map<std::tuple<int, int, int, int, qreal>, QPixmap> cache_;
};

} // namespace content
