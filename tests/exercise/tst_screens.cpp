// SPDX-License-Identifier: GPL-3.0-or-later
// The exercise on screens of other sizes and pixel ratios. This program runs
// on a 1024 x 600 netbook screen of its own (offscreen), where the whole
// window, its two dialogs included, shrinks uniformly, while every rule keeps
// working in twips; the shrink factor itself is checked for other screens.

#include "about/frmAbout.h"
#include "content/CardPictures.h"
#include "content/Fonts.h"
#include "exercise/BoardView.h"
#include "exercise/Form1.h"
#include "exercise/rules/RandomSource.h"
#include "explain/Form2.h"
#include "support/RealWindow.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <algorithm>

namespace {

using testing_support::makeWindow;

QPoint at(Form1& w, const board::TwipRect& r) {
    const TwipScale& s = w.scale();
    return w.boardView()->mapTo(&w, QPoint(s.px(r.Left + r.Width / 2), s.px(r.Top + r.Height / 2)));
}

} // namespace

class TestScreens : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        content::registerBundledFonts();
        QCOMPARE(QGuiApplication::primaryScreen()->availableGeometry().size(), QSize(1024, 600));
    }

    void theShrinkFitsTheScreenAndNeverGrows_data() {
        QTest::addColumn<QSize>("available");
        QTest::addColumn<bool>("shrinks");
        QTest::addRow("full HD") << QSize(1920, 1040) << false;
        QTest::addRow("1366 x 768 laptop") << QSize(1366, 768) << false;
        QTest::addRow("1366 x 768 less a task bar") << QSize(1366, 728) << false;
        QTest::addRow("1024 x 600 netbook") << QSize(1024, 600) << true;
        QTest::newRow("1280 x 720 at 125 percent, less a task bar") << QSize(1024, 538) << true;
        QTest::addRow("narrow 800 x 600") << QSize(800, 600) << true;
    }
    void theShrinkFitsTheScreenAndNeverGrows() {
        QFETCH(QSize, available);
        QFETCH(bool, shrinks);
        const int menu = 25;
        const double fit = Form1::fitForArea(available, menu);
        if (!shrinks) {
            QCOMPARE(fit, 1.0);
            return;
        }
        QVERIFY(fit < 1.0);
        const TwipScale s(fit);
        const QSize board = s.size(board::Board::ScaleWidth, board::Board::ScaleHeight);
        // Board, menu bar and frame allowance together fit, and only just: one
        // limit is met within a pixel.
        QVERIFY(board.width() + 16 <= available.width() + 1);
        QVERIFY(board.height() + menu + 40 <= available.height() + 1);
        QVERIFY(board.width() + 16 >= available.width() - 1 ||
                board.height() + menu + 40 >= available.height() - 1);
    }

    void onANetbookTheWholeWindowFitsAndTheRulesStayInTwips() {
        auto w = makeWindow();
        QVERIFY(w);
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        const double fit = w->scale().fit();
        QVERIFY(fit > 0.7 && fit < 0.85);
        QCOMPARE(fit, Form1::fitForArea(area.size(), w->menuBar()->sizeHint().height()));
        QCOMPARE(w->boardView()->size(),
                 QSize(int(std::lround(14850 * fit / 15)), int(std::lround(9915 * fit / 15))));
        QVERIFY2(area.contains(w->frameGeometry()),
                 qPrintable(QStringLiteral("%1,%2 %3x%4")
                                .arg(w->frameGeometry().x())
                                .arg(w->frameGeometry().y())
                                .arg(w->frameGeometry().width())
                                .arg(w->frameGeometry().height())));
        // The menu bar keeps one row.
        QVERIFY(w->menuBar()->height() <= w->menuBar()->sizeHint().height());
        // A drag lands where it lands at full size: the model's twips.
        QWindow* window = w->windowHandle();
        const int16_t card = w->board().frontCardAtHome(7);
        const QPoint from = at(*w, w->board().ImgName()[card]);
        const QPoint to = at(*w, w->board().ImgSyntactic()[9]);
        QTest::mousePress(window, Qt::LeftButton, {}, from);
        QTest::mouseMove(window, (from + to) / 2);
        QTest::mouseMove(window, to);
        QTest::mouseRelease(window, Qt::LeftButton, {}, to);
        QCOMPARE(w->board().Slots()[9].Placed, card);
        QCOMPARE(w->board().ImgName()[card].Left, 3795.0f);
        // The edge rule still counts its margin in twips, whatever a pixel is
        // worth, and only over bare window: over the bottom row's card the
        // dragged card follows, below it the drag ends.
        const TwipScale& s = w->scale();
        const auto atTwips = [&](float x, float y) {
            return w->boardView()->mapTo(w.get(), QPoint(s.px(x), s.px(y)));
        };
        const int16_t name =
            int16_t(std::find(w->board().HomeRow().begin(), w->board().HomeRow().end(), 0) -
                    w->board().HomeRow().begin());
        QTest::mousePress(window, Qt::LeftButton, {},
                          at(*w, w->board().ImgName()[w->board().frontCardAtHome(name)]));
        QTest::mouseMove(window, atTwips(12000, 9770));
        QVERIFY(w->board().dragging());
        QTest::mouseMove(window, atTwips(12000, 9880));
        QVERIFY(!w->board().dragging());
        QTest::mouseRelease(window, Qt::LeftButton, {}, atTwips(12000, 9880));
        // The grade label shrinks with the board.
        QCOMPARE(w->gradeLabel()->geometry(), s.rect(12480, 60, 1305, 585));
    }

    void theDialogsShrinkWithTheBoard_data() {
        QTest::addColumn<bool>("about");
        QTest::addRow("explanation") << false;
        QTest::addRow("about") << true;
    }
    void theDialogsShrinkWithTheBoard() {
        QFETCH(bool, about);
        auto w = makeWindow();
        QVERIFY(w);
        const double fit = w->scale().fit();
        QVERIFY(fit < 1.0);
        QRect frame;
        QSize client;
        QTimer poll;
        connect(&poll, &QTimer::timeout, &poll, [&] {
            if (QWidget* d = QApplication::activeModalWidget()) {
                frame = d->frameGeometry();
                client = d->size();
                d->close();
            }
        });
        poll.start(5);
        if (about) {
            w->findChild<QAction*>("mnuAbout")->trigger();
        } else {
            const int16_t card = w->board().frontCardAtHome(5);
            QTest::mouseClick(w->windowHandle(), Qt::RightButton, {},
                              at(*w, w->board().ImgName()[card]));
        }
        QVERIFY(!client.isEmpty());
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY(area.contains(frame));
        if (!about) // 10245 x 5490 twips at this scale
            QCOMPARE(client, w->scale().size(10245, 5490));
        else
            QVERIFY(client.width() < TwipScale().px(15000));
    }

    // Pictures come from the cache at the painter's own ratio and are copied
    // pixel for pixel: at 1, 1.5 and 2 a formula on the board is its picture.
    void theBoardIsSharpAtEveryPixelRatio_data() {
        QTest::addColumn<qreal>("dpr");
        QTest::addRow("1") << 1.0;
        QTest::addRow("1.5") << 1.5;
        QTest::addRow("2") << 2.0;
    }
    void theBoardIsSharpAtEveryPixelRatio() {
        QFETCH(qreal, dpr);
        auto w = makeWindow();
        QVERIFY(w);
        BoardView* view = w->boardView();
        QImage shot(view->size() * dpr, QImage::Format_ARGB32_Premultiplied);
        shot.setDevicePixelRatio(dpr);
        view->render(&shot);
        for (const int f : {0, 9, 19}) {
            const QRect r = view->formulaRect(int16_t(f));
            const QImage picture =
                content::cardPixmap(content::CardKind::Formula, f, r.size(), dpr).toImage();
            QCOMPARE(picture.size(), (QSizeF(r.size()) * dpr).toSize());
            const QPoint device(int(std::floor(r.x() * dpr + 0.5)),
                                int(std::floor(r.y() * dpr + 0.5)));
            // The picture over the frame's light yellow, copied without scaling.
            QImage expected(picture.size(), QImage::Format_ARGB32_Premultiplied);
            expected.fill(QColor(255, 255, 192));
            QImage plain = picture;
            plain.setDevicePixelRatio(1);
            QPainter(&expected).drawImage(0, 0, plain);
            int best = INT_MAX;
            for (int dx = -1; dx <= 1; ++dx)
                for (int dy = -1; dy <= 1; ++dy) {
                    QImage g = shot.copy(QRect(device + QPoint(dx, dy), picture.size()))
                                   .convertToFormat(QImage::Format_ARGB32_Premultiplied);
                    g.setDevicePixelRatio(1);
                    int diff = 0;
                    for (int y = 0; y < g.height(); ++y)
                        for (int x = 0; x < g.width(); ++x)
                            diff += g.pixel(x, y) != expected.pixel(x, y);
                    best = std::min(best, diff);
                }
            // Found whole, pixel for pixel, at its place (a half device pixel
            // may round either way): nothing was scaled or smoothed.
            QVERIFY2(best == 0,
                     qPrintable(QStringLiteral("formula %1: %2 pixels differ").arg(f).arg(best)));
        }
    }
};

int main(int argc, char* argv[]) {
    // A small screen of this test's own, beside this file's folder.
    const QString config =
        QFileInfo(QStringLiteral(__FILE__)).dir().absoluteFilePath("../offscreen-1024x600.json");
    qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + QDir::cleanPath(config)).toLocal8Bit());
    QApplication app(argc, argv);
    TestScreens test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_screens.moc"
