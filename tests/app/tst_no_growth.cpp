// SPDX-License-Identifier: GPL-3.0-or-later
// Opening and closing the two dialogs again and again must not leave anything
// behind: the same number of widgets and objects before and after a thousand
// round trips each.

#include "app/ModalCloser.h"
#include "content/Fonts.h"
#include "exercise/BoardView.h"
#include "exercise/Form1.h"
#include "exercise/rules/RandomSource.h"

#include <QTest>

namespace {

int objectsUnder(const QObject* o) {
    int n = 1;
    for (const QObject* child : o->children())
        n += objectsUnder(child);
    return n;
}

struct Census {
    int widgets = 0;
    int objects = 0;
    bool operator==(const Census&) const = default;
};

Census takeCensus() {
    // Whatever a closing handed to deleteLater is gone before counting.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    Census c;
    c.widgets = int(QApplication::allWidgets().size());
    c.objects = objectsUnder(qApp);
    for (const QWidget* top : QApplication::topLevelWidgets())
        c.objects += objectsUnder(top);
    return c;
}

// Found by QCOMPARE through argument-dependent lookup.
char* toString(const Census& c) {
    return QTest::toString(QStringLiteral("%1 widgets, %2 objects").arg(c.widgets).arg(c.objects));
}

QtMessageHandler previousHandler = nullptr;
void dropPlatformChatter(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtWarningMsg && text.startsWith(QLatin1String("This plugin does not support")))
        return;
    previousHandler(type, context, text);
}

} // namespace

class TestNoGrowth : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        content::registerBundledFonts();
        previousHandler = qInstallMessageHandler(dropPlatformChatter);
    }

    void aThousandOpeningsLeaveNothingBehind_data() {
        QTest::addColumn<int>("dialog");
        QTest::addRow("explanation_window") << 0;
        QTest::addRow("about_window") << 1;
    }

    void aThousandOpeningsLeaveNothingBehind() {
        QFETCH(int, dialog);
        ModalCloser closer;
        Form1 w(std::make_unique<board::RandomSource>(3u));
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));

        // Every right-clicked card shows another compound, so each opening loads a new row.
        int16_t card = 0;
        const auto open = [&] {
            if (dialog == 0)
                w.boardView()->perform([c = card++ % board::CardCount](board::Exercise& e) {
                    e.ImgName_MouseDown(int16_t(c), board::Button::Right);
                });
            else
                w.mnuAbout_Click();
        };
        // The dialog is made on first use and then kept; count from there.
        open();
        const Census before = takeCensus();
        for (int i = 0; i < 1000; ++i)
            open();
        const Census after = takeCensus();

        QCOMPARE(closer.shownInAll(), 1001);
        QCOMPARE(after, before);
    }
};

QTEST_MAIN(TestNoGrowth)
#include "tst_no_growth.moc"
