// SPDX-License-Identifier: GPL-3.0-or-later
#include "explain/Form2Accessible.h"

#include "content/SpokenText.h"
#include "explain/Form2.h"

#include <QAccessibleWidget>
#include <QPointer>
#include <QPushButton>

#include <array>

namespace {

constexpr int SectionCount = 4;

// One section of the window as a single static text.
class SectionAccessible : public QAccessibleInterface {
public:
    SectionAccessible(Form2* form, int section) : form_(form), section_(section) {}

    bool isValid() const override { return !form_.isNull(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return form_ ? form_->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override {
        return form_ ? QAccessible::queryAccessibleInterface(form_.data()) : nullptr;
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }

    QString text(QAccessible::Text t) const override {
        if (!form_ || t != QAccessible::Name)
            return {};
        return form_->sectionSpokenText(section_);
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        if (!form_)
            return {};
        const QRect r = form_->sectionRect(section_);
        return {form_->mapToGlobal(r.topLeft()), r.size()};
    }
    QAccessible::Role role() const override { return QAccessible::StaticText; }
    QAccessible::State state() const override {
        QAccessible::State s;
        if (!form_) {
            s.invalid = true;
            return s;
        }
        s.invisible = !form_->isVisible();
        s.readOnly = true;
        return s;
    }

private:
    QPointer<Form2> form_;
    int section_;
};

} // namespace

// The window with the four sections and the button as its children.
class Form2Accessible : public QAccessibleWidget {
public:
    explicit Form2Accessible(Form2* form) : QAccessibleWidget(form, QAccessible::Dialog) {
        for (int s = 0; s < SectionCount; ++s)
            sections_[size_t(s)] =
                QAccessible::registerAccessibleInterface(new SectionAccessible(form, s));
    }
    ~Form2Accessible() override {
        for (QAccessible::Id id : sections_)
            QAccessible::deleteAccessibleInterface(id);
    }

    // The window is named by its title, the compound's full name, read like
    // everything else here.
    QString text(QAccessible::Text t) const override {
        return content::spokenForm(QAccessibleWidget::text(t));
    }

    int childCount() const override { return SectionCount + 1; }
    QAccessibleInterface* child(int index) const override {
        if (index >= 0 && index < SectionCount)
            return section(index);
        if (index == SectionCount)
            return button();
        return nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        for (int i = 0; i < childCount(); ++i)
            if (child && this->child(i) == child)
                return i;
        return -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        for (int i = 0; i < childCount(); ++i) {
            QAccessibleInterface* c = child(i);
            if (c && c->rect().contains(x, y))
                return c;
        }
        return nullptr;
    }

    QAccessibleInterface* section(int s) const {
        return QAccessible::accessibleInterface(sections_[size_t(s)]);
    }

private:
    QAccessibleInterface* button() const {
        auto* form = static_cast<Form2*>(widget());
        return QAccessible::queryAccessibleInterface(form->Command1);
    }

    std::array<QAccessible::Id, SectionCount> sections_{};
};

namespace {

QAccessibleInterface* explanationFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("Form2") && object && object->isWidgetType())
        return new Form2Accessible(static_cast<Form2*>(object));
    return nullptr;
}

} // namespace

void installExplanationAccessibility() {
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    QAccessible::installFactory(explanationFactory);
}

void announceSectionTexts(Form2& form) {
    if (!QAccessible::isActive())
        return;
    auto* window = dynamic_cast<Form2Accessible*>(QAccessible::queryAccessibleInterface(&form));
    if (!window)
        return;
    for (int s = 0; s < SectionCount; ++s) {
        QAccessibleEvent changed(window->section(s), QAccessible::NameChanged);
        QAccessible::updateAccessibility(&changed);
    }
}
