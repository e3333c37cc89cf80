// SPDX-License-Identifier: GPL-3.0-or-later
#include "exercise/BoardAccessible.h"

#include "content/CardPictures.h"
#include "content/SpokenText.h"
#include "exercise/BoardHints.h"
#include "exercise/BoardView.h"

#include <QAccessibleWidget>
#include <QLabel>
#include <QPointer>
#include <QStringList>
#include <QWindow>
#include <algorithm>
#include <map>
#include <optional>

using board::FocusItem;

namespace {

QString underFormula() {
    return QStringLiteral(u"κάτω από τον τύπο ");
}

QString wordsOfName(const content::ExerciseSet& compounds, int16_t name) {
    return content::spokenForm(compounds.nameText(name));
}

// Whether the item is the row of the name that waits for a formula.
bool waitsForAFormula(const board::Exercise& e, FocusItem item) {
    return item.kind == FocusItem::NameRow && e.selectedName() != board::NoCard &&
           e.board().HomeRow()[size_t(e.selectedName())] == item.index;
}

} // namespace

QString accessibleItemName(const board::Board& b, FocusItem item,
                           const content::ExerciseSet& compounds) {
    switch (item.kind) {
    case FocusItem::Formula:
        return content::spokenForm(compounds.formulaPlainText(item.index));
    case FocusItem::PlacedCard: {
        const int16_t card = b.Slots()[size_t(item.index)].Placed;
        if (card == board::NoCard)
            return {};
        return wordsOfName(compounds, int16_t(card % b.nameCount())) + QStringLiteral(", ") +
               underFormula() + content::spokenForm(compounds.formulaPlainText(item.index));
    }
    case FocusItem::NameRow: {
        const int16_t name = board::nameAtRow(b, item.index);
        return name == board::NoCard ? QString() : wordsOfName(compounds, name);
    }
    }
    return {};
}

namespace boardWords {

QString pickedUp() {
    return QStringLiteral(u"σηκωμένο");
}

QString noLongerPickedUp() {
    return QStringLiteral(u"δεν είναι πια σηκωμένο");
}

QString nothingPickedUp() {
    return QStringLiteral(u"δεν έχει σηκωθεί όνομα");
}

QString nothingUnderFormula() {
    return QStringLiteral(u"δεν υπάρχει όνομα κάτω από τον τύπο");
}

QString wentBack(int16_t name, const content::ExerciseSet& compounds) {
    return wordsOfName(compounds, name) + QStringLiteral(u" επέστρεψε στη στήλη");
}

QString checked(int grade, int sentBack) {
    const QString cards = sentBack == 0 ? QStringLiteral(u"καμία κάρτα δεν επέστρεψε στη στήλη")
                          : sentBack == 1
                              ? QStringLiteral(u"1 κάρτα επέστρεψε στη στήλη")
                              : QStringLiteral(u"%1 κάρτες επέστρεψαν στη στήλη").arg(sentBack);
    return QStringLiteral(u"βαθμός %1%, ").arg(grade) + cards;
}

QString place(FocusItem item, int count) {
    const int number = item.index + 1;
    switch (item.kind) {
    case FocusItem::NameRow:
        return QStringLiteral(u"όνομα %1 από %2 στη στήλη").arg(number).arg(count);
    case FocusItem::Formula:
        return QStringLiteral(u"τύπος %1 από %2").arg(number).arg(count);
    case FocusItem::PlacedCard:
        return underFormula() + QStringLiteral(u"%1 από %2").arg(number).arg(count);
    }
    return {};
}

} // namespace boardWords

namespace {

class BoardAccessible;
BoardAccessible* boardOf(const BoardView* view);

class ItemAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    ItemAccessible(BoardView* view, FocusItem item) : view_(view), item_(item) {}
    // Another object stands for the item from now on; this one is no longer
    // there for a reader.
    void retire() { view_ = nullptr; }

    bool isValid() const override { return view_ && board::exists(view_->model(), item_); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return view_ ? view_->window()->windowHandle() : nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override {
        return view_ ? QAccessible::queryAccessibleInterface(view_.data()) : nullptr;
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }

    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        if (!isValid())
            return {};
        const QRect r = view_->itemRect(item_);
        return {view_->mapToGlobal(r.topLeft()), r.size()};
    }
    QAccessible::Role role() const override { return QAccessible::Button; }
    QAccessible::State state() const override {
        QAccessible::State s;
        if (!isValid()) {
            s.invalid = true;
            return s;
        }
        const board::Board& b = view_->model();
        s.focusable = true;
        s.focused = view_->hasFocus() && view_->exercise().focusItem() == item_;
        if (item_.kind == FocusItem::NameRow) {
            // Enter picks the name up and Enter again lets it go: a toggle.
            s.checkable = true;
            s.checked = waitsForAFormula(view_->exercise(), item_);
            // Every copy of the name lies on the board: nothing to pick up.
            s.disabled = board::cardOf(b, item_) == board::NoCard;
        }
        return s;
    }

    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                    : nullptr;
    }
    QStringList actionNames() const override {
        QStringList names;
        if (!isValid())
            return names;
        names << pressAction();
        if (item_.kind != FocusItem::Formula)
            names << showMenuAction();
        return names;
    }
    void doAction(const QString& action) override {
        if (!isValid())
            return;
        if (action == pressAction()) {
            const FocusItem item = item_;
            if (item.kind == FocusItem::PlacedCard)
                view_->perform([item](board::Exercise& e) { e.takeBack(item); });
            else
                view_->perform([item](board::Exercise& e) { e.activate(item); });
        } else if (action == showMenuAction()) {
            const FocusItem item = item_;
            view_->perform([item](board::Exercise& e) { e.explain(item); });
        }
    }
    QStringList keyBindingsForAction(const QString& action) const override {
        if (action == pressAction())
            return {item_.kind == FocusItem::PlacedCard ? QStringLiteral("Delete")
                                                        : QStringLiteral("Space")};
        if (action == showMenuAction())
            return {QStringLiteral("Shift+F10")};
        return {};
    }

private:
    QPointer<BoardView> view_;
    FocusItem item_;
};

class BoardAccessible : public QAccessibleWidget {
public:
    explicit BoardAccessible(BoardView* view) : QAccessibleWidget(view, QAccessible::Pane) {}
    ~BoardAccessible() override {
        for (const auto& [key, id] : ids_)
            QAccessible::deleteAccessibleInterface(id);
        forgetRetired();
    }

    int childCount() const override { return int(items().size()) + (grade() ? 1 : 0); }
    QAccessibleInterface* child(int index) const override {
        const std::vector<FocusItem> all = items();
        if (index >= 0 && index < int(all.size()))
            return interfaceFor(all[size_t(index)]);
        if (index == int(all.size()) && grade())
            return QAccessible::queryAccessibleInterface(grade());
        return nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        if (!child)
            return -1;
        if (child->object() && child->object() == grade())
            return int(items().size());
        const std::vector<FocusItem> all = items();
        for (size_t i = 0; i < all.size(); ++i)
            if (ids_.count(key(all[i])) &&
                QAccessible::accessibleInterface(ids_.at(key(all[i]))) == child)
                return int(i);
        return -1;
    }
    QAccessibleInterface* focusChild() const override {
        const BoardView* v = view();
        if (!v->hasFocus())
            return nullptr;
        return interfaceFor(v->exercise().focusItem());
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        const BoardView* v = view();
        const QPoint local = v->mapFromGlobal(QPoint(x, y));
        if (grade() && grade()->isVisible() && grade()->geometry().contains(local))
            return QAccessible::queryAccessibleInterface(grade());
        // Front to back, as the pointer finds them: cards before formulas.
        const std::vector<FocusItem> all = items();
        for (auto it = all.rbegin(); it != all.rend(); ++it)
            if (it->kind != FocusItem::Formula && v->itemRect(*it).contains(local))
                return interfaceFor(*it);
        for (const FocusItem item : all)
            if (v->itemRect(item).contains(local))
                return interfaceFor(item);
        return nullptr;
    }

    // What the item says besides its name: what just happened to it, whether
    // it waits for a formula, the formula in words and where it lies.
    QString description(FocusItem item) const {
        QStringList parts;
        if (note_ && note_->first == item)
            parts << note_->second;
        parts << standingWords(item);
        return parts.join(QStringLiteral(". "));
    }

    void tell(const board::Changes& changes) {
        // Only the pointer moved, or a window event changed nothing.
        if (changes.happened.empty())
            return;
        forgetRetired();
        BoardView* v = view();
        const FocusItem item = v->exercise().focusItem();
        const QString note = noteFor(changes, item);
        note_.reset();
        if (!note.isEmpty())
            note_.emplace(item, note);
        for (const board::Happening& h : changes.happened) {
            if (h.kind == board::Happening::NamePickedUp || h.kind == board::Happening::NameLetGo) {
                // The card itself changes state, not the board.
                QAccessible::State changed;
                changed.checked = true;
                QAccessibleStateChangeEvent event(v, changed);
                event.setChild(indexOf({FocusItem::NameRow, v->model().HomeRow()[h.name]}));
                announce(event);
            } else if (h.kind == board::Happening::ItemsChanged) {
                QAccessibleEvent event(v, QAccessible::ObjectReorder);
                announce(event);
            }
        }
        if (!v->hasFocus())
            return; // told when the board gets the focus back
        const bool sameItem = presented_ && presented_->item == item;
        const bool changedUnderKeyboard =
            sameItem && (presented_->words != wordsOf(item) || !note.isEmpty());
        if (changedUnderKeyboard)
            renew(item);
        if (changedUnderKeyboard || !sameItem || changes.has(board::Happening::FocusMoved))
            present(item);
    }

    void forgetNews() { note_.reset(); }

    void present(FocusItem item) {
        const int index = indexOf(item);
        if (index < 0)
            return;
        // The first item heard on the board also tells, once, which keys the
        // board answers to.
        if (!keysTold_) {
            keysTold_ = true;
            if (!note_)
                note_.emplace(item, boardHints::keyboardHelp());
        }
        QAccessibleEvent focused(view(), QAccessible::Focus);
        focused.setChild(index);
        announce(focused);
        presented_ = Presented{item, wordsOf(item)};
    }

private:
    struct Presented {
        FocusItem item;
        QString words;
    };

    BoardView* view() const { return static_cast<BoardView*>(widget()); }
    QLabel* grade() const { return view()->findChild<QLabel*>(QStringLiteral("LGrade")); }
    std::vector<FocusItem> items() const { return board::allItems(view()->model()); }
    int indexOf(FocusItem item) const {
        const std::vector<FocusItem> all = items();
        const auto it = std::find(all.begin(), all.end(), item);
        return it == all.end() ? -1 : int(it - all.begin());
    }
    static int key(FocusItem item) { return int(item.kind) * 1000 + item.index; }

    QString standingWords(FocusItem item) const {
        QStringList parts;
        if (waitsForAFormula(view()->exercise(), item))
            parts << boardWords::pickedUp();
        if (item.kind != FocusItem::NameRow)
            parts << view()->compounds().formulaSpokenText(item.index);
        parts << boardWords::place(item, view()->model().formulaCount());
        return parts.join(QStringLiteral(". "));
    }
    // Everything the reader says of an item but what just happened to it.
    QString wordsOf(FocusItem item) const {
        return accessibleItemName(view()->model(), item, view()->compounds()) + u'\n' +
               standingWords(item);
    }

    // What the step did to the keyboard's item, in words.
    QString noteFor(const board::Changes& changes, FocusItem item) const {
        const board::Board& b = view()->model();
        const bool onFormula = item.kind != FocusItem::NameRow;
        QStringList notes;
        for (const board::Happening& h : changes.happened) {
            switch (h.kind) {
            case board::Happening::NameLetGo:
                if (item == FocusItem{FocusItem::NameRow, b.HomeRow()[h.name]})
                    notes << boardWords::noLongerPickedUp();
                break;
            case board::Happening::NothingToPlace:
                if (onFormula && item.index == h.formula)
                    notes << boardWords::nothingPickedUp();
                break;
            case board::Happening::NothingToTakeBack:
                if (onFormula && item.index == h.formula)
                    notes << boardWords::nothingUnderFormula();
                break;
            case board::Happening::PushedOut:
            case board::Happening::TakenBack:
                if (onFormula && item.index == h.formula)
                    notes << boardWords::wentBack(int16_t(h.card % b.nameCount()),
                                                  view()->compounds());
                break;
            case board::Happening::Checked:
                notes << boardWords::checked(h.value, h.count);
                break;
            default:
                break;
            }
        }
        return notes.join(QStringLiteral(". "));
    }

    // One interface per item for the life of the board, so that a screen
    // reader sees the same object every time it comes back to an item.
    QAccessibleInterface* interfaceFor(FocusItem item) const {
        const int k = key(item);
        if (const auto it = ids_.find(k); it != ids_.end())
            return QAccessible::accessibleInterface(it->second);
        auto* iface = new ItemAccessible(view(), item);
        ids_[k] = QAccessible::registerAccessibleInterface(iface);
        return iface;
    }
    // Except when the item's words changed while the reader stands on it: a
    // new object, which the focus then comes to, is read out afresh. The old
    // one is deleted a step later, not under a reader's own action on it.
    void renew(FocusItem item) {
        if (const auto it = ids_.find(key(item)); it != ids_.end()) {
            static_cast<ItemAccessible*>(QAccessible::accessibleInterface(it->second))->retire();
            retired_.push_back(it->second);
            ids_.erase(it);
        }
    }
    void forgetRetired() {
        for (const QAccessible::Id id : retired_)
            QAccessible::deleteAccessibleInterface(id);
        retired_.clear();
    }

    mutable std::map<int, QAccessible::Id> ids_;
    std::vector<QAccessible::Id> retired_;
    std::optional<std::pair<FocusItem, QString>> note_;
    bool keysTold_ = false;
    std::optional<Presented> presented_;
};

BoardAccessible* boardOf(const BoardView* view) {
    return static_cast<BoardAccessible*>(
        QAccessible::queryAccessibleInterface(const_cast<BoardView*>(view)));
}

QString ItemAccessible::text(QAccessible::Text t) const {
    if (!isValid())
        return {};
    if (t == QAccessible::Name)
        return accessibleItemName(view_->model(), item_, view_->compounds());
    if (t == QAccessible::Description)
        return boardOf(view_)->description(item_);
    return {};
}

QAccessibleInterface* boardFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("BoardView") && object && object->isWidgetType())
        return new BoardAccessible(static_cast<BoardView*>(object));
    return nullptr;
}

AnnouncementWatcher announcementWatcher = nullptr;

} // namespace

void announce(QAccessibleEvent& event) {
    if (announcementWatcher)
        announcementWatcher(event);
    QAccessible::updateAccessibility(&event);
}

void watchAnnouncements(AnnouncementWatcher watcher) {
    announcementWatcher = watcher;
}

void announceChanges(BoardView* view, const board::Changes& changes) {
    boardOf(view)->tell(changes);
}

void announceFocusItem(BoardView* view) {
    if (view->hasFocus())
        boardOf(view)->present(view->exercise().focusItem());
}

void announceFocusLeft(BoardView* view) {
    boardOf(view)->forgetNews();
}

void installBoardAccessibility() {
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    QAccessible::installFactory(boardFactory);
}
