// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Shows the exercise and hands it the student's gestures: pointer, touch and
// keys become calls on the exercise in twips, and what changed comes back as
// rectangles to repaint and happenings to tell. Cards are not widgets of their
// own: the exercise's hit test says what lies under the pointer, and its focus
// items say where the keyboard stands. The window hears of what it must act on
// through signals.

#include "exercise/BoardPainter.h"
#include "exercise/rules/Exercise.h"
#include "shared/TwipScale.h"

#include <QRegion>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <optional>

class QHelpEvent;

class BoardView : public QWidget {
    Q_OBJECT

public:
    // `compounds` are what the board shows: its pictures and their words.
    BoardView(board::Exercise& exercise, const TwipScale& scale,
              const content::ExerciseSet& compounds, QWidget* parent);

    const board::Exercise& exercise() const { return exercise_; }
    const content::ExerciseSet& compounds() const { return compounds_; }
    const board::Board& model() const { return exercise_.board(); }
    // Runs one step on the exercise and shows what it changed.
    template <typename Step> void perform(Step&& step) {
        std::invoke(std::forward<Step>(step), exercise_);
        apply();
    }
    // Shows what the exercise changed since the last call.
    void apply();

    QRect toPixels(const board::TwipRect& r) const { return painter_.toPixels(r); }
    QPointF toTwips(QPointF pixels) const;
    QRect cardRect(int16_t card) const { return toPixels(model().ImgName()[size_t(card)]); }
    QRect formulaRect(int16_t formula) const {
        return toPixels(model().ImgSyntactic()[size_t(formula)]);
    }
    QRect itemRect(board::FocusItem item) const { return toPixels(board::rectOf(model(), item)); }
    bool focusRingShown() const { return exercise_.focusRingShown() && hasFocus(); }

    // How long a finger must rest on a card to open its explanation.
    static constexpr int LongPressMs = 600;

signals:
    void explainRequested(int16_t name);
    void gradeChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool event(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void applyAt(std::optional<QPointF> pointer);
    void showPointer(board::Pointer pointer);
    BoardMarks marks() const;
    void refreshMarks();
    bool showToolTip(const QHelpEvent& help);
    void applyKey(bool ringWasShown);

    board::Exercise& exercise_;
    const TwipScale& scale_;
    const content::ExerciseSet& compounds_;
    BoardPainter painter_;
    board::Pointer shownPointer_ = board::Pointer::Arrow;
    QRegion marked_;
    QTimer longPress_;
    // The Menu key arrives as a key press and, on some platforms, also as a
    // keyboard context-menu event: the explanation opens once.
    bool skipMenuKey_ = false;
    bool skipContextMenu_ = false;
    bool keyboardHelpShown_ = false;
};
