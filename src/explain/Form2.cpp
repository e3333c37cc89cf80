// SPDX-License-Identifier: GPL-3.0-or-later
#include "explain/Form2.h"

#include "content/ExplanationBoxes.h"
#include "content/Fonts.h"
#include "content/SpokenText.h"
#include "explain/Form2Accessible.h"
#include "shared/AppIcon.h"
#include "shared/Module1.h"
#include "shared/WindowPlacement.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStringList>
#include <QWindow>
#include <algorithm>
#include <cmath>

namespace {

const QColor PaleYellow(255, 255, 192);
const QColor HeadingGreen(0, 128, 0);
const QColor FragmentRed(255, 0, 0);
const QColor White(255, 255, 255);

constexpr double ClientWidth = 10245;
constexpr double ClientHeight = 5490;

enum class Role { Heading, Fragment, Reason };

struct Place {
    Role role;
    double left, top, width, height;
};

// Label1(0) to Label1(11), in twips. The first heading is narrower than the
// other three by 60 twips; no text reaches that far, so the difference never
// shows, and the layout keeps the window's own measurements.
// The boxes of parts and reasons have the sizes a teacher's set is measured
// against (content/ExplanationBoxes.h).
using content::PartBoxHeight;
using content::PartBoxWidth;
using content::ReasonBoxHeight;
using content::ReasonBoxWidth;
constexpr std::array<Place, 12> Places{{
    {Role::Fragment, 60, 480, PartBoxWidth, PartBoxHeight},      // 0
    {Role::Heading, 60, 60, 10095, 375},                         // 1
    {Role::Reason, 3780, 480, ReasonBoxWidth, ReasonBoxHeight},  // 2
    {Role::Fragment, 60, 1680, PartBoxWidth, PartBoxHeight},     // 3
    {Role::Heading, 60, 1260, 10155, 375},                       // 4
    {Role::Reason, 3780, 1680, ReasonBoxWidth, ReasonBoxHeight}, // 5
    {Role::Fragment, 60, 2880, PartBoxWidth, PartBoxHeight},     // 6
    {Role::Heading, 60, 2460, 10155, 375},                       // 7
    {Role::Reason, 3780, 2880, ReasonBoxWidth, ReasonBoxHeight}, // 8
    {Role::Fragment, 60, 4080, PartBoxWidth, PartBoxHeight},     // 9
    {Role::Heading, 60, 3660, 10155, 375},                       // 10
    {Role::Reason, 3780, 4080, ReasonBoxWidth, ReasonBoxHeight}, // 11
}};

constexpr double LabelPoints = content::ExplanationPoints;
constexpr double ButtonPoints = 8.25;

void paintFixed(QLabel* label, const QColor& back, const QColor& text) {
    QPalette p = label->palette();
    p.setColor(QPalette::Window, back);
    p.setColor(QPalette::WindowText, text);
    label->setPalette(p);
}

} // namespace

QString Form2::headingText(int section) {
    switch (section) {
    case 0:
        return QStringLiteral(u"Άτομα άνθρακα");
    case 1:
        return QStringLiteral(u"Είδος δεσμών μεταξύ ατόμων C");
    case 2:
        return QStringLiteral(u"Είδος ένωσης");
    default:
        return QStringLiteral(u"Θέση και είδος δεσμών και υποκαταστατών");
    }
}

Form2::Form2(const TwipScale& scale) : QDialog(nullptr), scale_(scale) {
    installExplanationAccessibility();
    setObjectName(QStringLiteral("Form2"));
    // A fixed tool window: small title bar with only a close box, no task-bar entry.
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setWindowModality(Qt::ApplicationModal);
    setWindowIcon(appIcon());
    setWindowTitle(QStringLiteral("Form2"));
    setFixedSize(scale_.size(ClientWidth, ClientHeight));

    const QFont labelFont = scale_.font(content::sansBold(), LabelPoints);
    for (int i = 0; i < int(Label1.size()); ++i) {
        const Place& place = Places[size_t(i)];
        auto* label = new QLabel(this);
        label->setObjectName(QStringLiteral("Label1_%1").arg(i));
        label->setGeometry(scale_.rect(place.left, place.top, place.width, place.height));
        label->setFont(labelFont);
        label->setAutoFillBackground(true);
        label->setTextFormat(Qt::PlainText);
        label->setFocusPolicy(Qt::NoFocus);
        switch (place.role) {
        case Role::Heading:
            paintFixed(label, HeadingGreen, White);
            label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
            label->setText(headingText(i / 3));
            break;
        case Role::Fragment:
            paintFixed(label, FragmentRed, White);
            label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
            break;
        case Role::Reason:
            // The system's window colours (applyWindowColours), which follow a
            // change of theme while the program runs.
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            label->setWordWrap(true);
            break;
        }
        Label1[size_t(i)] = label;
    }

    applyWindowColours();

    Command1 = new QPushButton(QStringLiteral("OK"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(scale_.rect(4245, 4980, 1275, 375));
    Command1->setFont(scale_.font(content::sansBold(), ButtonPoints));
    // Neither the default nor the cancel button: Enter works only through the
    // focus (keyPressEvent), Escape does nothing.
    Command1->setAutoDefault(false);
    Command1->setDefault(false);
    connect(Command1, &QPushButton::clicked, this, &Form2::Command1_Click);
}

void Form2::showModal() {
    Form_Load();
    exec();
}

void Form2::Form_Load() {
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        centreOnScreen(*this, screen->geometry());
    const NameInfo& row = Module1::CompoundNames[size_t(Module1::ExplainIndex)];
    setWindowTitle(row.FullName);
    Label1[0]->setText(row.CarbonPart);
    Label1[2]->setText(row.CarbonReason);
    Label1[3]->setText(row.BondPart);
    Label1[5]->setText(row.BondReason);
    Label1[6]->setText(row.ClassPart);
    Label1[8]->setText(row.ClassReason);
    Label1[9]->setText(row.PositionPart);
    Label1[11]->setText(row.PositionReason);
    announceSectionTexts(*this);
    // The button is the only control that takes the focus, at every opening.
    Command1->setFocus(Qt::OtherFocusReason);
}

QString Form2::sectionSpokenText(int section) const {
    const size_t first = size_t(3 * section);
    QStringList said;
    // Heading, fragment, reason: top to bottom, then left to right.
    for (const QLabel* label : {Label1[first + 1], Label1[first], Label1[first + 2]})
        if (!label->text().isEmpty())
            said << content::spokenForm(label->text());
    // The commas and the full stop give the voice its pauses; at the
    // punctuation levels below "all" it does not name them.
    return said.join(QStringLiteral(", ")) + u'.';
}

QRect Form2::sectionRect(int section) const {
    const size_t first = size_t(3 * section);
    return Label1[first]->geometry() | Label1[first + 1]->geometry() |
           Label1[first + 2]->geometry();
}

void Form2::applyWindowColours() {
    // The system's window background and text are what Qt calls Base and Text;
    // its Window role is the grey of buttons and dialogs.
    const QPalette system = QGuiApplication::palette();
    for (int i : {2, 5, 8, 11})
        paintFixed(Label1[size_t(i)], system.color(QPalette::Base), system.color(QPalette::Text));
}

void Form2::changeEvent(QEvent* event) {
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::ApplicationPaletteChange)
        applyWindowColours();
    QDialog::changeEvent(event);
}

void Form2::Command1_Click() {
    accept();
}

void Form2::paintEvent(QPaintEvent* event) {
    (void)event;
    QPainter(this).fillRect(rect(), PaleYellow);
}

void Form2::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Escape:
        // No cancel button: Escape leaves the window open.
        event->accept();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Enter presses the focused push button, which here is always the
        // one button: a student closes the window without reaching for the mouse.
        if (focusWidget() == Command1)
            Command1->click();
        event->accept();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}
