#include "exercise/BoardAccessible.h"

#include "content/CardPictures.h"
#include "exercise/BoardView.h"

#include <QAccessibleWidget>
#include <QLabel>
#include <QPointer>
#include <QWindow>
#include <algorithm>
#include <map>

using board::FocusItem;

QString accessibleItemName(const board::Board& b, FocusItem item) {
    switch (item.kind) {
    case FocusItem::Formula:
        return content::formulaPlainText(item.index);
    case FocusItem::PlacedCard: {
        const int16_t card = b.Slots()[item.index].Placed;
        if (card == board::NoCard)
            return {};
        return content::nameText(card % board::NameCount) +
               QStringLiteral(u", κάτω από τον τύπο ") + content::formulaPlainText(item.index);
    }
    case FocusItem::NameRow: {
        const int16_t name = board::nameAtRow(b, item.index);
        return name == board::NoCard ? QString() : content::nameText(name);
    }
    }
    return {};
}

namespace {

class ItemAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    ItemAccessible(BoardView* view, FocusItem item) : view_(view), item_(item) {}

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

    QString text(QAccessible::Text t) const override {
        if (!isValid())
            return {};
        if (t == QAccessible::Name)
            return accessibleItemName(view_->model(), item_);
        return {};
    }
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
            s.selectable = true;
            const int16_t name = board::nameAtRow(b, item_.index);
            s.selected = name != board::NoCard && view_->exercise().selectedName() == name;
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

    FocusItem item() const { return item_; }

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

private:
    BoardView* view() const { return static_cast<BoardView*>(widget()); }
    QLabel* grade() const { return view()->findChild<QLabel*>(QStringLiteral("LGrade")); }
    std::vector<FocusItem> items() const { return board::allItems(view()->model()); }
    static int key(FocusItem item) { return int(item.kind) * 1000 + item.index; }

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

    mutable std::map<int, QAccessible::Id> ids_;
};

QAccessibleInterface* boardFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("BoardView") && object && object->isWidgetType())
        return new BoardAccessible(static_cast<BoardView*>(object));
    return nullptr;
}

} // namespace

namespace {
AnnouncementWatcher announcementWatcher = nullptr;
}

void announce(QAccessibleEvent& event) {
    if (announcementWatcher)
        announcementWatcher(event);
    QAccessible::updateAccessibility(&event);
}

void watchAnnouncements(AnnouncementWatcher watcher) {
    announcementWatcher = watcher;
}

void announceChanges(BoardView* view, const board::Changes& changes) {
    for (const board::Happening& h : changes.happened) {
        QAccessible::Event type;
        switch (h.kind) {
        case board::Happening::NamePickedUp:
            type = QAccessible::SelectionAdd;
            break;
        case board::Happening::NameLetGo:
            type = QAccessible::SelectionRemove;
            break;
        case board::Happening::ItemsChanged:
            type = QAccessible::ObjectReorder;
            break;
        default:
            continue;
        }
        QAccessibleEvent event(view, type);
        announce(event);
    }
}

void announceFocusItem(BoardView* view, FocusItem item) {
    const std::vector<FocusItem> items = board::allItems(view->model());
    const auto it = std::find(items.begin(), items.end(), item);
    if (it == items.end())
        return;
    QAccessibleEvent focused(view, QAccessible::Focus);
    focused.setChild(int(it - items.begin()));
    announce(focused);
}

void installBoardAccessibility() {
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    QAccessible::installFactory(boardFactory);
}
