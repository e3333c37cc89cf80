// SPDX-License-Identifier: GPL-3.0-or-later
// The About window on its own, on the offscreen platform: where its controls
// lie, what the notice box holds at every opening, how it is centred, how the
// keyboard closes it, which page a click anywhere on the pictures opens, and
// how the keyboard reaches and opens the links.

#include "about/frmAbout.h"
#include "content/Fonts.h"
#include "shared/WebPage.h"
#include "support/UrlCatcher.h"

#include <QApplication>
#include <QDesktopServices>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTextDocument>
#include <QTimer>
#include <QWindow>
#include <functional>

namespace {

// Runs `body` once the modal window is up, then opens it and waits for it to
// close. If the body leaves the window open (a failed check), it is closed
// here so that the test never hangs; `closedByBody` tells the two apart.
struct ModalRun {
    bool bodyRan = false;
    bool closedByBody = false;
};
ModalRun whileOpen(frmAbout& about, const std::function<void()>& body) {
    ModalRun run;
    QTimer::singleShot(0, &about, [&] {
        run.bodyRan = QApplication::activeModalWidget() == &about;
        if (run.bodyRan)
            body();
        run.closedByBody = !about.isVisible();
        if (about.isVisible())
            about.reject();
    });
    about.showModal();
    return run;
}

template <typename T> T* control(frmAbout& about, const char* name) {
    return about.findChild<T*>(QString::fromLatin1(name));
}

} // namespace

class TestAbout : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { content::registerBundledFonts(); }

    void controlsLieWhereTheWindowPutsThem_data();
    void controlsLieWhereTheWindowPutsThem();
    void creditLineIsSizedToItsWrappedText();
    void windowIsAFixedApplicationModalDialogOfItsOwn();
    void everyOpeningCentresTheWindowAndResetsTheNotice();
    void noticeCanBeSelectedButNotEdited();
    void enterRightAfterOpeningClosesTheWindow();
    void clickingALinkOpensItsPageOnceAndKeepsTheWindowOpen_data();
    void clickingALinkOpensItsPageOnceAndKeepsTheWindowOpen();
    void linksWithoutAnyHandlerReturnQuietly();
    void clickOpensThePageOfWhatShowsUnderThePointer_data();
    void clickOpensThePageOfWhatShowsUnderThePointer();
    void tabGoesFromTheButtonThroughTheNoticeToEachMarkedLink();
    void enterOrSpaceOnALinkOpensItsPage_data();
    void enterOrSpaceOnALinkOpensItsPage();
};

void TestAbout::controlsLieWhereTheWindowPutsThem_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("twips");
    QTest::addRow("logo1") << "logo1" << QRect(60, 60, 4005, 4005);
    QTest::addRow("logo2") << "logo2" << QRect(4020, 60, 4005, 4005);
    QTest::addRow("Image1") << "Image1" << QRect(2460, 420, 3195, 3195);
    QTest::addRow("Comment") << "Comment" << QRect(60, 4080, 7995, 795);
    QTest::addRow("cmdClose") << "cmdClose" << QRect(3120, 4980, 1935, 315);
}

void TestAbout::controlsLieWhereTheWindowPutsThem() {
    QFETCH(QString, name);
    QFETCH(QRect, twips);
    // At a reduced scale too, so that nothing is placed in plain pixels.
    for (const double fit : {1.0, 0.8}) {
        const TwipScale scale(fit);
        frmAbout about(scale);
        QCOMPARE(about.size(), scale.size(8055, 5325));
        auto* widget = about.findChild<QWidget*>(name);
        QVERIFY2(widget, qPrintable(name));
        QCOMPARE(widget->parentWidget(), &about);
        QCOMPARE(widget->geometry(),
                 scale.rect(twips.x(), twips.y(), twips.width(), twips.height()));
    }
}

void TestAbout::creditLineIsSizedToItsWrappedText() {
    const TwipScale scale;
    frmAbout about(scale);
    auto* label = control<QLabel>(about, "Label1");
    QVERIFY(label);
    QCOMPARE(label->text(), frmAbout::creditLine());
    QCOMPARE(label->pos(), scale.rect(165, 1260, 0, 0).topLeft());
    QCOMPARE(label->width(), scale.px(3705));
    QVERIFY(label->wordWrap());
    QCOMPARE(label->font().pixelSize(), scale.fontPixels(24));
    QCOMPARE(label->palette().color(QPalette::WindowText), QColor(0, 128, 0));
    // Every wrapped line shows whole and the box ends below the last one;
    // no single word is wider than the box.
    const QFontMetrics fm(label->font());
    const QRect needed = fm.boundingRect(QRect(0, 0, label->width(), 10000),
                                         Qt::AlignHCenter | Qt::TextWordWrap, label->text());
    QVERIFY2(needed.width() <= label->width(), qPrintable(QString::number(needed.width())));
    QVERIFY(label->height() >= needed.height());
    QVERIFY(label->height() < needed.height() + fm.height());
    // The credit line stays inside the white square.
    QVERIFY(control<QWidget>(about, "logo1")->geometry().contains(label->geometry()));
}

void TestAbout::windowIsAFixedApplicationModalDialogOfItsOwn() {
    frmAbout about{TwipScale()};
    QCOMPARE(about.windowTitle(), frmAbout::caption());
    QCOMPARE(about.minimumSize(), about.maximumSize());
    QCOMPARE(about.windowModality(), Qt::ApplicationModal);
    QVERIFY(!about.parentWidget());
    const Qt::WindowFlags flags = about.windowFlags();
    QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    // Owned by a window that is never shown, so the task bar leaves it out.
    QWindow* owner = about.windowHandle() ? about.windowHandle()->transientParent() : nullptr;
    QVERIFY(owner);
    QVERIFY(!owner->isVisible());
    QCOMPARE(about.palette().color(QPalette::Window), QColor(64, 64, 64));
}

void TestAbout::everyOpeningCentresTheWindowAndResetsTheNotice() {
    frmAbout about{TwipScale()};
    const QPointF screenCentre = QRectF(QGuiApplication::primaryScreen()->geometry()).center();
    for (int opening = 1; opening <= 2; ++opening) {
        QString shown;
        int lines = 0;
        QPointF centre;
        const ModalRun run = whileOpen(about, [&] {
            const auto* box = control<QPlainTextEdit>(about, "Comment");
            shown = box->toPlainText();
            lines = box->document()->blockCount();
            centre = QRectF(about.frameGeometry()).center();
            // Leave the window elsewhere with other text, as a user could.
            about.move(about.pos() + QPoint(70, -40));
            control<QPlainTextEdit>(about, "Comment")->setPlainText(QStringLiteral("Text1"));
            about.reject();
        });
        QVERIFY(run.bodyRan);
        // Within the half pixel that rounding to whole pixels may cost.
        QVERIFY2(std::abs(centre.x() - screenCentre.x()) <= 0.5 &&
                     std::abs(centre.y() - screenCentre.y()) <= 0.5,
                 qPrintable(QStringLiteral("opening %1").arg(opening)));
        // The string keeps the CR LF; the box turns it into one line break,
        // so the sentence is followed by exactly one empty line.
        QCOMPARE(about.notice(), frmAbout::noticeSentence() + QStringLiteral("\r\n"));
        QCOMPARE(about.notice().count(QStringLiteral("\r\n")), 1);
        QCOMPARE(about.notice().count(QLatin1Char('\r')), 1);
        QCOMPARE(about.notice().count(QLatin1Char('\n')), 1);
        QCOMPARE(shown, frmAbout::noticeSentence() + QLatin1Char('\n'));
        QCOMPARE(lines, 2);
    }
}

void TestAbout::noticeCanBeSelectedButNotEdited() {
    frmAbout about{TwipScale()};
    QString before, after;
    bool selected = false;
    whileOpen(about, [&] {
        auto* box = control<QPlainTextEdit>(about, "Comment");
        QCOMPARE(box->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        box->setFocus();
        before = box->toPlainText();
        QTest::keyClicks(box, QStringLiteral("xyz"));
        QTest::keyClick(box, Qt::Key_Backspace);
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        after = box->toPlainText();
        selected = box->textCursor().hasSelection();
    });
    QVERIFY(!before.isEmpty());
    QCOMPARE(after, before);
    QVERIFY(selected);
}

void TestAbout::enterRightAfterOpeningClosesTheWindow() {
    frmAbout about{TwipScale()};
    for (const int key : {Qt::Key_Return, Qt::Key_Enter}) {
        // The focus is elsewhere when the window closes, to see that every
        // opening gives it back to the button.
        QWidget* focusAtOpening = nullptr;
        const ModalRun run = whileOpen(about, [&] {
            if (QTest::qWaitForWindowActive(&about))
                focusAtOpening = QApplication::focusWidget();
            QTest::keyClick(about.windowHandle(), Qt::Key(key));
        });
        QVERIFY(run.bodyRan);
        QCOMPARE(focusAtOpening, control<QPushButton>(about, "cmdClose"));
        QVERIFY(run.closedByBody);
        QCOMPARE(about.result(), int(QDialog::Accepted));
        control<QPlainTextEdit>(about, "Comment")->setFocus();
    }
}

void TestAbout::clickingALinkOpensItsPageOnceAndKeepsTheWindowOpen_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("url");
    QTest::addColumn<QString>("path");
    QTest::addRow("round_logo_opens_school_home")
        << "Image1" << web::schoolHomeUrl() << QStringLiteral("/");
    QTest::addRow("credit_line_opens_exercise_index")
        << "Label1" << web::exercisesIndexUrl()
        << QStringLiteral("/Vadidiv/04DIVURADODE/Vidozador/VuzurazEzuDadaVedozu/QM/"
                          "QMOrganicChemistryFrames.htm");
    QTest::addRow("photo_opens_free_programs")
        << "logo2" << web::freeProgramsUrl() << QStringLiteral("/Free/GR/FreeFramesGR.htm");
}

void TestAbout::clickingALinkOpensItsPageOnceAndKeepsTheWindowOpen() {
    QFETCH(QString, name);
    QFETCH(QString, url);
    QFETCH(QString, path);
    UrlCatcher catcher;
    const UrlHandlerScope scope(&catcher);
    frmAbout about{TwipScale()};
    QWidget* target = about.findChild<QWidget*>(name);
    QVERIFY(target);
    QVERIFY(target->toolTip().size() > 10);
    QCOMPARE(target->accessibleName(), target->toolTip());
    QCOMPARE(target->cursor().shape(), Qt::BitmapCursor);

    bool stillOpen = false;
    QWidget* underPointer = nullptr;
    const ModalRun run = whileOpen(about, [&] {
        // A point of the control that no other control covers, clicked through
        // the window so that the stacking decides who gets it.
        QPoint point;
        for (int y = target->height() - 2; y > 0 && point.isNull(); y -= 3)
            for (int x = target->width() - 2; x > 0; x -= 3) {
                const QPoint inWindow = target->mapTo(&about, QPoint(x, y));
                if (about.childAt(inWindow) == target) {
                    point = inWindow;
                    break;
                }
            }
        underPointer = about.childAt(point);
        QTest::mouseClick(about.windowHandle(), Qt::LeftButton, {}, point);
        stillOpen = about.isVisible();
    });
    QVERIFY(run.bodyRan);
    QCOMPARE(underPointer, target);
    QVERIFY(stillOpen);
    QCOMPARE(catcher.urls.size(), 1);
    QCOMPARE(catcher.urls.first().toString(), url);
    QCOMPARE(catcher.urls.first().scheme(), QStringLiteral("http"));
    QVERIFY(!catcher.urls.first().host().isEmpty());
    QCOMPARE(catcher.urls.first().path(), path);
}

void TestAbout::linksWithoutAnyHandlerReturnQuietly() {
    // Nothing is registered: the system is asked and says no (offscreen has no
    // browser); the window neither closes nor shows anything of its own.
    frmAbout about{TwipScale()};
    QStringList opened;
    const ModalRun run = whileOpen(about, [&] {
        const QWidgetList before = QApplication::topLevelWidgets();
        about.Image1_Click();
        about.Label1_Click();
        about.logo2_Click();
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible() && w != &about && !before.contains(w))
                opened << w->metaObject()->className();
        QCOMPARE(QApplication::activeModalWidget(), &about);
        QVERIFY(about.isVisible());
    });
    QVERIFY(run.bodyRan);
    QVERIFY(!run.closedByBody);
    QCOMPARE(opened, QStringList());
}

void TestAbout::clickOpensThePageOfWhatShowsUnderThePointer_data() {
    QTest::addColumn<QPointF>("twips");
    QTest::addColumn<QString>("url");
    const QString school = web::schoolHomeUrl();
    const QString maker = web::freeProgramsUrl();
    // The badge is a circle about 1757 twips across, centred near 4767, 1308,
    // in the top-right corner of the logo's square control (2460, 420, 3195 x
    // 3195); the photo covers 4020 to 8025 across, the white square 60 to 4065.
    QTest::addRow("badge_centre") << QPointF(4767, 1308) << school;
    QTest::addRow("badge_near_its_lower_rim") << QPointF(4767, 2100) << school;
    QTest::addRow("photo_left_of_and_below_the_badge") << QPointF(4300, 3300) << maker;
    QTest::addRow("photo_in_the_badge_square_outside_the_circle") << QPointF(5600, 480) << maker;
    QTest::addRow("photo_at_the_logo_control_bottom_right") << QPointF(5600, 3550) << maker;
    QTest::addRow("photo_right_of_the_logo_control") << QPointF(7000, 3000) << maker;
    QTest::addRow("white_square_under_the_logo_control") << QPointF(2600, 3500) << QString();
}

void TestAbout::clickOpensThePageOfWhatShowsUnderThePointer() {
    QFETCH(QPointF, twips);
    QFETCH(QString, url);
    // At a reduced scale too: the logo's clickable shape follows its size.
    for (const double fit : {1.0, 0.8}) {
        UrlCatcher catcher;
        const UrlHandlerScope scope(&catcher);
        const TwipScale scale(fit);
        frmAbout about(scale);
        QWidget* focusAfter = nullptr;
        bool stillOpen = false;
        const ModalRun run = whileOpen(about, [&] {
            const QPoint point(scale.px(twips.x()), scale.px(twips.y()));
            QTest::mouseClick(about.windowHandle(), Qt::LeftButton, {}, point);
            stillOpen = about.isVisible();
            focusAfter = QApplication::focusWidget();
        });
        QVERIFY(run.bodyRan);
        QVERIFY(stillOpen);
        QStringList opened;
        for (const QUrl& u : catcher.urls)
            opened << u.toString();
        QCOMPARE(opened, url.isEmpty() ? QStringList() : QStringList{url});
        // A click on a picture leaves the focus on the button, so that Enter
        // still closes the window.
        QCOMPARE(focusAfter, control<QPushButton>(about, "cmdClose"));
    }
}

void TestAbout::tabGoesFromTheButtonThroughTheNoticeToEachMarkedLink() {
    UrlCatcher catcher;
    const UrlHandlerScope scope(&catcher);
    frmAbout about{TwipScale()};
    QStringList order;
    QStringList unmarked;
    QStringList badgeClick;
    const ModalRun run = whileOpen(about, [&] {
        if (!QTest::qWaitForWindowActive(&about))
            return;
        order << QApplication::focusWidget()->objectName();
        for (int step = 0; step < 5; ++step) {
            QTest::keyClick(about.windowHandle(), Qt::Key_Tab);
            QWidget* focused = QApplication::focusWidget();
            order << focused->objectName();
            // The link with the focus is ringed: the ring is centred on what
            // the link shows (for the logo, its badge) and lets clicks through.
            const auto* ring = about.findChild<QWidget*>(QStringLiteral("focusRing"));
            const bool isLink = focused->objectName() != QLatin1String("cmdClose") &&
                                focused->objectName() != QLatin1String("Comment");
            const QRect shown = focused->objectName() == QLatin1String("Image1")
                                    ? focused->mask().boundingRect().translated(focused->pos())
                                    : focused->geometry();
            const bool marked =
                ring && ring->isVisible() &&
                (ring->geometry().center() - shown.center()).manhattanLength() <= 2 &&
                about.childAt(shown.center()) != ring;
            if (isLink != marked)
                unmarked << focused->objectName();
            if (focused->objectName() == QLatin1String("Image1")) {
                // The ring takes no clicks: the badge under it still opens its page.
                QTest::mouseClick(about.windowHandle(), Qt::LeftButton, {}, shown.center());
                for (const QUrl& u : catcher.urls)
                    badgeClick << u.toString();
            }
        }
    });
    QVERIFY(run.bodyRan);
    QCOMPARE(order, (QStringList{"cmdClose", "Comment", "Label1", "Image1", "logo2", "cmdClose"}));
    QCOMPARE(unmarked, QStringList());
    QCOMPARE(badgeClick, QStringList{web::schoolHomeUrl()});
}

void TestAbout::enterOrSpaceOnALinkOpensItsPage_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("url");
    const struct {
        const char* name;
        QString url;
    } links[] = {{"Label1", web::exercisesIndexUrl()},
                 {"Image1", web::schoolHomeUrl()},
                 {"logo2", web::freeProgramsUrl()}};
    for (const auto& link : links) {
        QTest::addRow("%s_enter", link.name) << link.name << int(Qt::Key_Return) << link.url;
        QTest::addRow("%s_space", link.name) << link.name << int(Qt::Key_Space) << link.url;
    }
}

void TestAbout::enterOrSpaceOnALinkOpensItsPage() {
    QFETCH(QString, name);
    QFETCH(int, key);
    QFETCH(QString, url);
    UrlCatcher catcher;
    const UrlHandlerScope scope(&catcher);
    frmAbout about{TwipScale()};
    bool stillOpen = false;
    bool focusStayed = false;
    const ModalRun run = whileOpen(about, [&] {
        if (!QTest::qWaitForWindowActive(&about))
            return;
        QWidget* link = about.findChild<QWidget*>(name);
        link->setFocus(Qt::TabFocusReason);
        QTest::keyClick(about.windowHandle(), Qt::Key(key));
        stillOpen = about.isVisible();
        focusStayed = QApplication::focusWidget() == link;
    });
    QVERIFY(run.bodyRan);
    QVERIFY(stillOpen);
    QVERIFY(focusStayed);
    QCOMPARE(catcher.urls.size(), 1);
    QCOMPARE(catcher.urls.first().toString(), url);
}

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
