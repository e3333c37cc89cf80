// SPDX-License-Identifier: GPL-3.0-or-later
// The explanation window: its build (a fixed pale-yellow tool window with four
// sections), and its use through a real exercise window: a right click on a
// name card opens it modally on that card's row, "OK" or the close box ends it,
// and every opening starts afresh, centred on the screen. A screen reader finds
// each section as one text.

#include "content/BuiltInSet.h"
#include "content/Catalogue.h"
#include "content/ExplanationBoxes.h"
#include "content/Fonts.h"
#include "exercise/BoardView.h"
#include "exercise/Form1.h"
#include "explain/Form2.h"
#include "shared/Module1.h"
#include "shared/TwipScale.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTimer>
#include <QtTest>

#include <array>
#include <functional>

namespace {

QLabel* label(QWidget* w, int i) {
    return w->findChild<QLabel*>(QStringLiteral("Label1_%1").arg(i));
}
QPushButton* okButton(QWidget* w) {
    return w->findChild<QPushButton*>(QStringLiteral("Command1"));
}

// The eight labels that show a row, and the field each shows.
std::array<QString, 12> rowTexts(const NameInfo& r) {
    std::array<QString, 12> t;
    t[0] = r.CarbonPart;
    t[2] = r.CarbonReason;
    t[3] = r.BondPart;
    t[5] = r.BondReason;
    t[6] = r.ClassPart;
    t[8] = r.ClassReason;
    t[9] = r.PositionPart;
    t[11] = r.PositionReason;
    return t;
}
constexpr std::array<int, 8> RowLabels{0, 2, 3, 5, 6, 8, 9, 11};
constexpr std::array<int, 4> HeadingLabels{1, 4, 7, 10};

enum class Close { ByOk, ByCloseBox, ByEnter };

// What the modal window looked like while it was up.
struct Seen {
    bool shown = false;
    bool stillOpenAfterClosing = false;
    QString caption;
    std::array<QString, 12> texts;
    std::array<QRect, 12> rects;
    QRect frame;
    QSize client;
    QString focus;
    bool hasParent = true;
    Qt::WindowModality modality = Qt::NonModal;
    QImage picture;
};

// Arranges for the modal window, once it is up, to be looked at, handed to
// `act`, and closed the given way. Must be armed right before the gesture that
// opens the window.
void whenOpen(Seen& seen, Close how, std::function<void(Form2*)> act = {}) {
    QTimer::singleShot(0, [&seen, how, act] {
        auto* w = qobject_cast<Form2*>(QApplication::activeModalWidget());
        if (!w)
            return;
        seen.shown = w->isVisible();
        seen.caption = w->windowTitle();
        for (int i = 0; i < 12; ++i) {
            seen.texts[size_t(i)] = label(w, i)->text();
            seen.rects[size_t(i)] = label(w, i)->geometry();
        }
        seen.frame = w->frameGeometry();
        seen.client = w->size();
        seen.focus = w->focusWidget() ? w->focusWidget()->objectName() : QString();
        seen.hasParent = w->parentWidget() != nullptr;
        seen.modality = w->windowModality();
        seen.picture = w->grab().toImage();
        if (act)
            act(w);
        switch (how) {
        case Close::ByOk:
            QTest::mouseClick(okButton(w), Qt::LeftButton);
            break;
        case Close::ByCloseBox:
            w->close();
            break;
        case Close::ByEnter:
            QTest::keyClick(okButton(w), Qt::Key_Return);
            break;
        }
        // Never leave a test hanging in the modal loop.
        if (w->isVisible()) {
            seen.stillOpenAfterClosing = true;
            w->reject();
        }
    });
}

QPointF cardCentre(const Form1& form, int16_t card) {
    return QRectF(form.boardView()->cardRect(card)).center();
}

void press(Form1& form, int16_t card, Qt::MouseButton button) {
    BoardView* view = form.boardView();
    const QPointF at = cardCentre(form, card);
    const QPointF global = view->mapToGlobal(at);
    QMouseEvent down(QEvent::MouseButtonPress, at, global, button, button, Qt::NoModifier);
    QApplication::sendEvent(view, &down);
    QMouseEvent up(QEvent::MouseButtonRelease, at, global, button, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(view, &up);
}

// A right click on a card, with the window looked at and closed while it is up.
Seen explain(Form1& form, int16_t card, Close how = Close::ByOk,
             std::function<void(Form2*)> act = {}) {
    Seen seen;
    whenOpen(seen, how, std::move(act));
    press(form, card, Qt::RightButton);
    // A window that never became modal leaves the timer pending: run it now.
    QCoreApplication::processEvents();
    return seen;
}

void checkShowsRow(const Seen& seen, int row) {
    const NameInfo& r = Module1::CompoundNames[size_t(row)];
    QVERIFY(seen.shown);
    QCOMPARE(seen.caption, r.FullName);
    const auto expected = rowTexts(r);
    for (int i : RowLabels)
        QCOMPARE(seen.texts[size_t(i)], expected[size_t(i)]);
    for (int s = 0; s < 4; ++s)
        QCOMPARE(seen.texts[size_t(HeadingLabels[size_t(s)])], Form2::headingText(s));
}

QPoint screenCentre() {
    return QGuiApplication::primaryScreen()->geometry().center();
}

QColor pixelAt(const QImage& image, QPoint p) {
    return image.pixelColor(p);
}

// An object a screen reader finds in the window, depth first from the window.
struct Heard {
    QAccessible::Role role;
    QString name;
    QRect rect;
    bool invisible;
};

void collect(QAccessibleInterface* iface, QList<Heard>& out) {
    for (int i = 0; i < iface->childCount(); ++i) {
        QAccessibleInterface* c = iface->child(i);
        QVERIFY(c);
        QCOMPARE(c->parent(), iface);
        QCOMPARE(iface->indexOfChild(c), i);
        out.append({c->role(), c->text(QAccessible::Name), c->rect(), bool(c->state().invisible)});
        collect(c, out);
    }
}

} // namespace

class TestForm2 : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void controlsStandWhereDesigned_data();
    void controlsStandWhereDesigned();
    void isAFixedToolWindowWithoutOwner();
    void headingsKeepTheirFixedTexts();
    void reasonLabelsFollowTheSystemWindowColours();

    void eachOpeningShowsTheClickedCardsRowAfresh_data();
    void eachOpeningShowsTheClickedCardsRowAfresh();
    void placedCardExplainsItsOwnCompoundAndStays_data();
    void placedCardExplainsItsOwnCompoundAndStays();
    void opensCentredWhereverTheWindowsWere();
    void exerciseWindowTakesNoInputWhileOpen();
    void enterPressesTheFocusedOkButEscapeDoesNothing();
    void longReasonWrapsInsideItsLabel();
    void aSetsPartsAndReasonsAreMeasuredAgainstTheirBoxes_data();
    void aSetsPartsAndReasonsAreMeasuredAgainstTheirBoxes();
    void picturesOfThreeRows_data();
    void picturesOfThreeRows();

    void screenReaderFindsEachSectionWhole_data();
    void screenReaderFindsEachSectionWhole();
};

void TestForm2::initTestCase() {
    content::registerBundledFonts();
}

void TestForm2::cleanup() {
    // A failed check inside an opening must not leave a modal window behind.
    if (QWidget* w = QApplication::activeModalWidget())
        w->close();
}

void TestForm2::controlsStandWhereDesigned_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("twips");
    QTest::addColumn<QColor>("back"); // invalid: the system's window colour
    QTest::addColumn<int>("alignment");
    const QColor green(0, 128, 0), red(255, 0, 0), system;
    const int centred = Qt::AlignHCenter, left = Qt::AlignLeft;
    struct Row {
        int index;
        QRect twips;
        QColor back;
        int align;
    };
    const Row rows[] = {
        {1, {60, 60, 10095, 375}, green, centred},   {0, {60, 480, 3495, 315}, red, centred},
        {2, {3780, 480, 6375, 615}, system, left},   {4, {60, 1260, 10155, 375}, green, centred},
        {3, {60, 1680, 3495, 315}, red, centred},    {5, {3780, 1680, 6375, 615}, system, left},
        {7, {60, 2460, 10155, 375}, green, centred}, {6, {60, 2880, 3495, 315}, red, centred},
        {8, {3780, 2880, 6375, 615}, system, left},  {10, {60, 3660, 10155, 375}, green, centred},
        {9, {60, 4080, 3495, 315}, red, centred},    {11, {3780, 4080, 6375, 615}, system, left},
    };
    for (const Row& r : rows)
        QTest::addRow("Label1_%d", r.index)
            << QStringLiteral("Label1_%1").arg(r.index) << r.twips << r.back << r.align;
    QTest::addRow("Command1") << QStringLiteral("Command1") << QRect(4245, 4980, 1275, 375)
                              << QColor() << centred;
}

void TestForm2::controlsStandWhereDesigned() {
    QFETCH(QString, name);
    QFETCH(QRect, twips);
    QFETCH(QColor, back);
    QFETCH(int, alignment);
    for (double fit : {1.0, 0.7}) {
        const TwipScale scale(fit);
        Form2 w(scale);
        QWidget* c = w.findChild<QWidget*>(name);
        QVERIFY(c);
        QCOMPARE(c->geometry(), scale.rect(twips.x(), twips.y(), twips.width(), twips.height()));
        QVERIFY(QFontInfo(c->font()).family().startsWith(QStringLiteral("Liberation Sans")));
        QVERIFY(c->font().bold());
        const bool button = name == QStringLiteral("Command1");
        QCOMPARE(c->font().pixelSize(), scale.fontPixels(button ? 8.25 : 12));
        if (button) {
            QCOMPARE(static_cast<QPushButton*>(c)->text(), QStringLiteral("OK"));
            continue;
        }
        auto* l = static_cast<QLabel*>(c);
        QCOMPARE(int(l->alignment() & Qt::AlignHorizontal_Mask), alignment);
        QVERIFY(l->autoFillBackground());
        QCOMPARE(l->focusPolicy(), Qt::NoFocus);
        if (back.isValid()) {
            QCOMPARE(l->palette().color(QPalette::Window), back);
            QCOMPARE(l->palette().color(QPalette::WindowText), QColor(Qt::white));
            QVERIFY(!l->wordWrap());
        } else {
            QVERIFY(l->wordWrap());
        }
    }
}

void TestForm2::isAFixedToolWindowWithoutOwner() {
    const TwipScale scale(1.0);
    Form2 w(scale);
    const Qt::WindowFlags f = w.windowFlags();
    QCOMPARE(f & Qt::WindowType_Mask, Qt::Tool);
    QVERIFY(f & Qt::WindowCloseButtonHint);
    QVERIFY(!(f & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(f & Qt::WindowMaximizeButtonHint));
    QVERIFY(!w.parentWidget());
    QCOMPARE(w.minimumSize(), scale.size(10245, 5490));
    QCOMPARE(w.maximumSize(), scale.size(10245, 5490));
    QVERIFY(!w.windowIcon().isNull());

    const QImage picture = w.grab().toImage();
    QCOMPARE(picture.size(), scale.size(10245, 5490));
    const QColor paleYellow(255, 255, 192);
    // The margins around the labels and beside the button show the window itself.
    QCOMPARE(pixelAt(picture, {1, 1}), paleYellow);
    QCOMPARE(pixelAt(picture, {picture.width() - 2, picture.height() - 2}), paleYellow);
    QCOMPARE(pixelAt(picture, {scale.px(60 + 3495 + 100), scale.px(500)}), paleYellow);
    QCOMPARE(pixelAt(picture, label(&w, 4)->geometry().topLeft() + QPoint(1, 1)),
             QColor(0, 128, 0));
    QCOMPARE(pixelAt(picture, label(&w, 9)->geometry().bottomRight() - QPoint(1, 1)),
             QColor(255, 0, 0));
}

void TestForm2::headingsKeepTheirFixedTexts() {
    Form2 w{TwipScale(1.0)};
    QCOMPARE(label(&w, 1)->text(), QStringLiteral(u"Άτομα άνθρακα"));
    QCOMPARE(label(&w, 4)->text(), QStringLiteral(u"Είδος δεσμών μεταξύ ατόμων C"));
    QCOMPARE(label(&w, 7)->text(), QStringLiteral(u"Είδος ένωσης"));
    QCOMPARE(label(&w, 10)->text(), QStringLiteral(u"Θέση και είδος δεσμών και υποκαταστατών"));
    // The C of the second heading is the Latin capital, as in every "άτομο C".
    QCOMPARE(label(&w, 4)->text().back(), QChar(0x0043));
}

void TestForm2::reasonLabelsFollowTheSystemWindowColours() {
    const QPalette original = QApplication::palette();
    for (const auto& [window, text] : {std::pair{QColor(10, 20, 30), QColor(240, 230, 220)},
                                       std::pair{QColor(200, 220, 255), QColor(0, 0, 90)}}) {
        QPalette system = original;
        system.setColor(QPalette::Base, window);
        system.setColor(QPalette::Text, text);
        QApplication::setPalette(system);
        Form2 w{TwipScale(1.0)};
        const QImage picture = w.grab().toImage();
        for (int i : {2, 5, 8, 11}) {
            QCOMPARE(label(&w, i)->palette().color(QPalette::Window), window);
            QCOMPARE(label(&w, i)->palette().color(QPalette::WindowText), text);
            QCOMPARE(pixelAt(picture, label(&w, i)->geometry().center()), window);
        }
        // The fixed colours stay fixed, and so does the window's own.
        QCOMPARE(label(&w, 1)->palette().color(QPalette::Window), QColor(0, 128, 0));
        QCOMPARE(label(&w, 0)->palette().color(QPalette::Window), QColor(255, 0, 0));
        QCOMPARE(pixelAt(picture, {1, 1}), QColor(255, 255, 192));

        // A change of theme while the window exists reaches the reasons too.
        QPalette changed = system;
        changed.setColor(QPalette::Base, QColor(1, 2, 3));
        QApplication::setPalette(changed);
        QCoreApplication::processEvents();
        QCOMPARE(label(&w, 5)->palette().color(QPalette::Window), QColor(1, 2, 3));
    }
    QApplication::setPalette(original);
}

void TestForm2::eachOpeningShowsTheClickedCardsRowAfresh_data() {
    QTest::addColumn<int>("before"); // the row shown first, or -1
    QTest::addColumn<int>("closedBy");
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("aCopy"); // the clicked card is a later copy of its name
    const int ok = int(Close::ByOk), box = int(Close::ByCloseBox);
    QTest::addRow("first opening") << -1 << ok << 3 << false;
    QTest::addRow("a later copy explains the same row") << -1 << ok << 3 << true;
    QTest::addRow("after another row closed by OK") << 3 << ok << 9 << false;
    QTest::addRow("after the close box") << 11 << box << 15 << false;
    // Rows with no positions, after a full row so that no old text can linger.
    QTest::addRow("row13_aithanali") << 12 << ok << 13 << false;
    QTest::addRow("row18_propaniko_oxy") << 12 << ok << 18 << false;
    QTest::addRow("row19_propanio") << 12 << box << 19 << false;
}

void TestForm2::eachOpeningShowsTheClickedCardsRowAfresh() {
    QFETCH(int, before);
    QFETCH(int, closedBy);
    QFETCH(int, row);
    QFETCH(bool, aCopy);
    Form1 form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    Seen first;
    if (before >= 0) {
        first = explain(form, form.board().frontCardAtHome(int16_t(before)), Close(closedBy));
        checkShowsRow(first, before);
        QVERIFY(!first.stillOpenAfterClosing);
    }
    if (aCopy)
        form.boardView()->perform([row](board::Exercise& e) {
            e.ImgName_MouseDown(int16_t(row), board::Button::Left);
            e.ImgSyntactic_DragDrop(0);
        });
    const int16_t card = form.board().frontCardAtHome(int16_t(row));
    QCOMPARE(card >= board::NameCount, aCopy);
    const Seen seen = explain(form, card);
    checkShowsRow(seen, row);
    QCOMPARE(Module1::ExplainIndex, int16_t(row));
    QVERIFY(!seen.hasParent);
    QCOMPARE(seen.modality, Qt::ApplicationModal);
    QCOMPARE(seen.focus, QStringLiteral("Command1"));
    QCOMPARE(seen.client, form.scale().size(10245, 5490));
    QVERIFY(!seen.stillOpenAfterClosing);
    QVERIFY(!QApplication::activeModalWidget());
    if (before >= 0) {
        QCOMPARE(seen.rects, first.rects);
        QCOMPARE(seen.frame, first.frame);
    }
    if (seen.texts[9].isEmpty()) {
        // The section keeps its heading and an empty red box.
        QVERIFY(seen.texts[11].isEmpty());
        QCOMPARE(seen.texts[10], Form2::headingText(3));
        const QRect redBox = seen.rects[9];
        for (const QPoint p : {redBox.topLeft(), redBox.center(), redBox.bottomRight()})
            QCOMPARE(pixelAt(seen.picture, p), QColor(255, 0, 0));
    }
}

void TestForm2::placedCardExplainsItsOwnCompoundAndStays_data() {
    QTest::addColumn<bool>("onItsOwnFormula");
    QTest::addRow("placed_right") << true;
    QTest::addRow("placed_wrong") << false;
}

void TestForm2::placedCardExplainsItsOwnCompoundAndStays() {
    QFETCH(bool, onItsOwnFormula);
    Form1 form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    const int16_t name = 6;
    int16_t formula = -1;
    for (int16_t f = 0; f < board::FormulaCount && formula < 0; ++f)
        if ((form.board().Slots()[size_t(f)].Correct == name) == onItsOwnFormula)
            formula = f;
    QVERIFY(formula >= 0);
    const int16_t card = form.board().frontCardAtHome(name);
    form.boardView()->perform([&](board::Exercise& e) {
        e.ImgName_MouseDown(card, board::Button::Left);
        e.ImgSyntactic_DragDrop(formula);
    });
    QCOMPARE(form.board().Slots()[size_t(formula)].Placed, card);
    QVERIFY(form.board().isPlaced(card));
    const board::TwipRect where = form.board().ImgName()[size_t(card)];

    const Seen seen = explain(form, card);
    checkShowsRow(seen, name);
    QCOMPARE(form.board().Slots()[size_t(formula)].Placed, card);
    QCOMPARE(form.board().ImgName()[size_t(card)], where);
    QVERIFY(!form.board().dragging());
}

void TestForm2::opensCentredWhereverTheWindowsWere() {
    Form1 form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    const auto checkCentred = [](const Seen& seen) {
        QVERIFY(seen.shown);
        QVERIFY(seen.frame.width() >= seen.client.width());
        const QPoint off = seen.frame.center() - screenCentre();
        QVERIFY2(std::abs(off.x()) <= 1 && std::abs(off.y()) <= 1,
                 qPrintable(QStringLiteral("off by %1,%2").arg(off.x()).arg(off.y())));
    };
    for (const QPoint formAt : {QPoint(0, 0), QPoint(150, 90)}) {
        form.move(formAt);
        // The student drags the explanation to a corner; the next opening is centred anyway.
        const Seen moved = explain(form, form.board().frontCardAtHome(2), Close::ByOk,
                                   [](Form2* w) { w->move(5, 7); });
        checkCentred(moved);
        const Seen next = explain(form, form.board().frontCardAtHome(4));
        checkCentred(next);
    }
}

void TestForm2::exerciseWindowTakesNoInputWhileOpen() {
    Form1 form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    const int16_t card = form.board().frontCardAtHome(7);
    const QPoint inWindow = form.boardView()->mapTo(&form, cardCentre(form, card).toPoint());
    bool dragStarted = true;
    bool blocked = false;
    const Seen seen = explain(form, form.board().frontCardAtHome(1), Close::ByOk, [&](Form2*) {
        // A real press from the window system on the exercise window.
        QTest::mousePress(form.windowHandle(), Qt::LeftButton, {}, inWindow);
        dragStarted = form.board().dragging();
        QTest::mouseRelease(form.windowHandle(), Qt::LeftButton, {}, inWindow);
        blocked = QApplication::activeModalWidget() != nullptr;
    });
    checkShowsRow(seen, 1);
    QVERIFY(blocked);
    QVERIFY(!dragStarted);
    // The same press once the window is closed does reach the board.
    QTest::mousePress(form.windowHandle(), Qt::LeftButton, {}, inWindow);
    QVERIFY(form.board().dragging());
    QTest::mouseRelease(form.windowHandle(), Qt::LeftButton, {}, inWindow);
}

void TestForm2::enterPressesTheFocusedOkButEscapeDoesNothing() {
    Form1 form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    bool openAfterEscape = false;
    bool isDefault = true;
    bool isAutoDefault = true;
    const Seen seen = explain(form, form.board().frontCardAtHome(8), Close::ByEnter, [&](Form2* w) {
        isDefault = okButton(w)->isDefault();
        isAutoDefault = okButton(w)->autoDefault();
        QTest::keyClick(okButton(w), Qt::Key_Escape);
        openAfterEscape = w->isVisible();
    });
    checkShowsRow(seen, 8);
    QCOMPARE(seen.focus, QStringLiteral("Command1"));
    QVERIFY(!isDefault);
    QVERIFY(!isAutoDefault);
    QVERIFY(openAfterEscape);
    QVERIFY(!seen.stillOpenAfterClosing);
}

void TestForm2::longReasonWrapsInsideItsLabel() {
    Form1 form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    int needed = 0;
    int oneLine = 0;
    QRect kept;
    const Seen seen = explain(form, form.board().frontCardAtHome(9), Close::ByOk, [&](Form2* w) {
        QLabel* reason = label(w, 11);
        needed = reason->heightForWidth(reason->width());
        oneLine = reason->fontMetrics().height();
        kept = reason->geometry();
    });
    checkShowsRow(seen, 9);
    const QRect designed = form.scale().rect(3780, 4080, 6375, 615);
    QCOMPARE(kept, designed);
    QVERIFY2(needed > oneLine, "the reason of row 9 takes two lines");
    QVERIFY2(needed <= designed.height(), "and both lie inside the label");
}

void TestForm2::picturesOfThreeRows_data() {
    QTest::addColumn<int>("row");
    QTest::addRow("row09") << 9;
    QTest::addRow("row12") << 12;
    QTest::addRow("row13") << 13;
}

// Full-size pictures of the window; with EXPLAIN_PICTURES_DIR set they are also
// written there, for people to look at.
void TestForm2::picturesOfThreeRows() {
    QFETCH(int, row);
    Module1::CompoundNames = content::compoundCatalogue();
    Module1::ExplainIndex = int16_t(row);
    const TwipScale scale(1.0);
    Form2 w(scale);
    Seen seen;
    whenOpen(seen, Close::ByOk);
    w.showModal();
    QCoreApplication::processEvents();
    checkShowsRow(seen, row);
    QCOMPARE(seen.picture.size(), scale.size(10245, 5490));
    // White text is drawn in the red box of every non-empty fragment.
    const QRect box = seen.rects[0];
    bool white = false;
    for (int x = box.left(); x <= box.right() && !white; ++x)
        for (int y = box.top(); y <= box.bottom() && !white; ++y)
            white = seen.picture.pixelColor(x, y) == QColor(Qt::white);
    QVERIFY(white);
    const QByteArray dir = qgetenv("EXPLAIN_PICTURES_DIR");
    if (!dir.isEmpty())
        QVERIFY(seen.picture.save(
            QStringLiteral("%1/explain-%2.png").arg(QString::fromLocal8Bit(dir)).arg(row)));
}

void TestForm2::screenReaderFindsEachSectionWhole_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("section");
    QTest::addColumn<QString>("heading");
    QTest::addColumn<QString>("part");
    QTest::addColumn<QString>("shownReason");
    QTest::addColumn<QString>("spokenReason");
    QTest::addRow("row00_positions_latin_o")
        << 0 << 3 << QStringLiteral(u"Θέση και είδος δεσμών και υποκαταστατών")
        << QStringLiteral(u"1,3")
        << QStringLiteral(u"γιατί έχει τους δύο διπλούς δεσμούς στο 1o και 3ο άτομο C")
        << QStringLiteral(u"γιατί έχει τους δύο διπλούς δεσμούς στο 1ο και 3ο άτομο C");
    QTest::addRow("row12_positions_four_latin_o")
        << 12 << 3 << QStringLiteral(u"Θέση και είδος δεσμών και υποκαταστατών")
        << QStringLiteral(u"5-μεθυλο-4-χλωρο-1,4")
        << QStringLiteral(u"γιατί έχει μεθύλιο στο 5o, χλώριο στο 4o και δύο διπλούς δεσμούς στο "
                          u"1o και 4o άτομο C")
        << QStringLiteral(u"γιατί έχει μεθύλιο στο 5ο, χλώριο στο 4ο και δύο διπλούς δεσμούς στο "
                          u"1ο και 4ο άτομο C");
    QTest::addRow("row13_positions_empty")
        << 13 << 3 << QStringLiteral(u"Θέση και είδος δεσμών και υποκαταστατών") << QString()
        << QString() << QString();
    QTest::addRow("row09_carbons")
        << 9 << 0 << QStringLiteral(u"Άτομα άνθρακα") << QStringLiteral(u"πεντ")
        << QStringLiteral(u"γιατί έχει 5 άτομα C") << QStringLiteral(u"γιατί έχει 5 άτομα C");
    QTest::addRow("row11_bonds_twice_because")
        << 11 << 1 << QStringLiteral(u"Είδος δεσμών μεταξύ ατόμων C") << QStringLiteral(u"εν")
        << QStringLiteral(u"γιατί γιατί είναι ακόρεστη με 1 διπλό δεσμό")
        << QStringLiteral(u"γιατί γιατί είναι ακόρεστη με 1 διπλό δεσμό");
    QTest::addRow("row06_class") << 6 << 2 << QStringLiteral(u"Είδος ένωσης")
                                 << QStringLiteral(u"ικό οξύ") << QStringLiteral(u"γιατί είναι οξύ")
                                 << QStringLiteral(u"γιατί είναι οξύ");
}

// A screen reader that reads a dialog's loose texts on its own finds exactly
// four, one per section from top to bottom, each its heading, fragment and
// reason in turn with nothing else but pauses, the ordinals in Greek letters;
// no part of a section is found a second time. The labels show what they did.
void TestForm2::screenReaderFindsEachSectionWhole() {
    QFETCH(int, row);
    QFETCH(int, section);
    QFETCH(QString, heading);
    QFETCH(QString, part);
    QFETCH(QString, shownReason);
    QFETCH(QString, spokenReason);
    Module1::CompoundNames = content::compoundCatalogue();
    Form2 w{TwipScale(1.0)};
    QList<Heard> heard;
    QString title;
    QAccessible::Role role = QAccessible::NoRole;
    QString shownPart, shown;
    // Another row first, so that the texts found cannot be left over.
    for (const int opened : {(row + 1) % 20, row}) {
        Module1::ExplainIndex = int16_t(opened);
        Seen seen;
        heard.clear();
        whenOpen(seen, Close::ByOk, [&](Form2* form) {
            QAccessibleInterface* window = QAccessible::queryAccessibleInterface(form);
            role = window->role();
            title = window->text(QAccessible::Name);
            collect(window, heard);
            shownPart = label(form, 3 * section)->text();
            shown = label(form, 3 * section + 2)->text();
        });
        w.showModal();
        QCoreApplication::processEvents();
        QVERIFY(seen.shown);
        QCOMPARE(title, seen.caption);
    }
    QCOMPARE(role, QAccessible::Dialog);
    QCOMPARE(shownPart, part);
    QCOMPARE(shown, shownReason);

    QList<Heard> texts;
    bool button = false;
    for (const Heard& h : heard) {
        if (h.role == QAccessible::StaticText)
            texts.append(h);
        button = button || (h.role == QAccessible::Button && h.name == QStringLiteral("OK"));
        QVERIFY2(!h.name.contains(QRegularExpression(QStringLiteral("[0-9]o"))),
                 qPrintable(h.name));
    }
    QVERIFY(button);
    QCOMPARE(texts.size(), 4);
    for (int s = 1; s < 4; ++s)
        QVERIFY(texts[s - 1].rect.bottom() < texts[s].rect.top());
    for (const Heard& t : texts)
        QVERIFY(!t.invisible);

    // Heading, fragment and reason in turn; between them only pauses.
    QString rest = texts[section].name;
    qsizetype from = 0;
    for (const QString& piece : {heading, part, spokenReason}) {
        if (piece.isEmpty())
            continue;
        const qsizetype at = rest.indexOf(piece, from);
        QVERIFY2(at >= 0, qPrintable(QStringLiteral("\"%1\" lacks \"%2\"").arg(rest, piece)));
        QVERIFY2(rest.left(at).mid(from).trimmed().remove(u',').remove(u'.').isEmpty(),
                 qPrintable(rest));
        rest.replace(at, piece.size(), QString());
        from = at;
    }
    QVERIFY2(rest.remove(u',').remove(u'.').trimmed().isEmpty(), qPrintable(rest));
    QVERIFY(texts[section].name.startsWith(heading));

    // Found once: neither the heading nor the reason stands anywhere else.
    for (const QString& piece : {heading, spokenReason}) {
        if (piece.isEmpty())
            continue;
        int found = 0;
        for (const Heard& h : heard)
            found += int(h.name.count(piece));
        QCOMPARE(found, 1);
    }
}

// A teacher's parts and reasons are measured as this window shows them: every
// built-in text fits, a text too long is told how much of it would.
void TestForm2::aSetsPartsAndReasonsAreMeasuredAgainstTheirBoxes_data() {
    QTest::addColumn<int>("part");
    QTest::addColumn<bool>("reason");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("fits");
    QTest::addRow("short part") << 3 << false << QStringLiteral(u"2,4-διμεθυλο") << true;
    QTest::addRow("part too long for one line") << 3 << false << QString(40, u'Μ') << false;
    QTest::addRow("reason on two lines")
        << 1 << true
        << QStringLiteral(u"γιατί έχει δύο διπλούς δεσμούς στο 1ο και στο 3ο άτομο C της "
                          u"κύριας αλυσίδας")
        << true;
    QTest::addRow("reason past two lines")
        << 1 << true << QString(40, u'x').append(u' ').repeated(6) << false;
}

void TestForm2::aSetsPartsAndReasonsAreMeasuredAgainstTheirBoxes() {
    QFETCH(int, part);
    QFETCH(bool, reason);
    QFETCH(QString, text);
    QFETCH(bool, fits);
    content::CompoundSet set = content::builtInSet();
    QVERIFY(content::explanationFitProblems(set).empty());
    content::NamePart& changed = set.compounds[4].parts[std::size_t(part)];
    (reason ? changed.reason : changed.part) = text.toStdString();
    const std::vector<content::SetProblem> problems = content::explanationFitProblems(set);
    QCOMPARE(problems.empty(), fits);

    // The judge is the window itself: its own label for this box, at full
    // size, shows the text whole or not.
    Form2 window{TwipScale()};
    auto* label =
        window.findChild<QLabel*>(QStringLiteral("Label1_%1").arg(3 * part + (reason ? 2 : 0)));
    QVERIFY(label);
    const auto shownWhole = [&](const QString& t) {
        label->setText(t);
        return reason ? label->heightForWidth(label->width()) <= label->height()
                      : label->sizeHint().width() <= label->width();
    };
    QCOMPARE(shownWhole(text), fits);
    if (fits)
        return;
    QCOMPARE(problems.size(), std::size_t(1));
    QCOMPARE(problems[0].row, set.compounds[4].row);
    QCOMPARE(problems[0].column, 3 + 2 * part + (reason ? 1 : 0));
    const QRegularExpressionMatch told =
        QRegularExpression(QStringLiteral(u"χωρούν (\\d+) από τους (\\d+) χαρακτήρες"))
            .match(QString::fromStdString(problems[0].message));
    QVERIFY(told.hasMatch());
    QCOMPARE(told.captured(2).toInt(), text.size());
    const int fit = told.captured(1).toInt();
    QVERIFY(shownWhole(text.left(fit)));
    QVERIFY(!shownWhole(text.left(fit + 1)));
}

QTEST_MAIN(TestForm2)
#include "tst_form2.moc"
