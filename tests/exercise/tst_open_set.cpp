// SPDX-License-Identifier: GPL-3.0-or-later
// A teacher's set in the real window: opened, it shows its title, its
// formulas and names and grades a board; a screen reader counts its items
// from 1 to N; its worksheet holds every formula and name; a bad file is told
// in one dialog and the exercise goes on as it was.

#include "app/ModalCloser.h"
#include "content/Fonts.h"
#include "exercise/BoardAccessible.h"
#include "exercise/rules/BoardFocus.h"
#include "support/PdfText.h"
#include "support/RealWindow.h"
#include "worksheet/Worksheet.h"

#include <QAccessible>
#include <QLabel>
#include <QMessageBox>
#include <QMimeData>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using board::FocusItem;
using testing_support::Pointer;

namespace {

const QString Alkanes = QStringLiteral(EXAMPLES_DIR "/αλκάνια.csv");

const QByteArray Header = "Τύπος;Όνομα;Άτομα άνθρακα;Αιτιολογία;Είδος δεσμών μεταξύ ατόμων C;"
                          "Αιτιολογία;Είδος ένωσης;Αιτιολογία;Θέση και είδος δεσμών και "
                          "υποκαταστατών;Αιτιολογία\n";

QString writeSet(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    QFile file(dir.filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return {};
    return file.fileName();
}

std::unique_ptr<Form1> windowWith(const QString& setFile) {
    auto w = testing_support::makeWindow(7u, testing_support::Activation::Active);
    if (w)
        w->openSetFile(setFile);
    return w;
}

} // namespace

class TestOpenSet : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { content::registerBundledFonts(); }

    void anOpenedSetIsShownAndGraded() {
        auto w = windowWith(Alkanes);
        QVERIFY(w);
        QCOMPARE(w->windowTitle(), QStringLiteral(u"Αλκάνια"));
        QCOMPARE(w->board().formulaCount(), 8);
        QCOMPARE(w->board().nameCount(), 8);
        QCOMPARE(w->compounds().nameText(7), QStringLiteral(u"διμεθυλοπροπάνιο"));
        // What the board paints: the set's cards, not what the built-in
        // board shows in the same place.
        const QRect third = w->boardView()->formulaRect(7);
        auto builtIn = testing_support::makeWindow(7u);
        QVERIFY(builtIn);
        QVERIFY(w->boardView()->grab().toImage().copy(third) !=
                builtIn->boardView()->grab().toImage().copy(third));
        QVERIFY(third.height() > w->boardView()->formulaRect(0).height() * 2);

        // Every name dragged onto its formula, then Check: 100 %.
        Pointer p(*w);
        for (int f = 0; f < 8; ++f)
            p.drag(p.onName(int16_t(f)), p.onFormula(f));
        for (int f = 0; f < 8; ++f)
            QCOMPARE(w->board().Slots()[size_t(f)].Placed % 8, f);
        w->mnuCheck_Click();
        QCOMPARE(w->gradeLabel()->text(), QStringLiteral("100%"));
        // Restart: a fresh shuffle of the same eight.
        w->mnuRestart_Click();
        QCOMPARE(w->board().nameCount(), 8);
        QVERIFY(w->gradeLabel()->isHidden());
    }

    // Counted from 1 to N, and the explanation shows the set's own rows.
    void aScreenReaderCountsTheSetsItems() {
        auto w = windowWith(Alkanes);
        QVERIFY(w);
        QAccessibleInterface* boardIface = QAccessible::queryAccessibleInterface(w->boardView());
        const std::vector<FocusItem> items = board::allItems(w->board());
        QCOMPARE(items.size(), std::size_t(16));
        QStringList places;
        for (std::size_t i = 0; i < items.size(); ++i)
            places << boardIface->child(int(i))->text(QAccessible::Description);
        QVERIFY(places[0].endsWith(QStringLiteral(u"όνομα 1 από 8 στη στήλη")));
        QVERIFY(places[7].endsWith(QStringLiteral(u"όνομα 8 από 8 στη στήλη")));
        QVERIFY(places[8].endsWith(QStringLiteral(u"τύπος 1 από 8")));
        QVERIFY(places[15].endsWith(QStringLiteral(u"τύπος 8 από 8")));
        QCOMPARE(boardIface->child(8)->text(QAccessible::Name), QStringLiteral("CH4"));
        QVERIFY(places[15].contains(QStringLiteral(u"διακλάδωση C H3 στον 2ο άνθρακα")));
    }

    // The set's worksheet: its title, every formula and every name.
    void theWorksheetOfASetHoldsEveryFormulaAndName() {
        SKIP_PDF_READING_UNDER_WINE();
        auto w = windowWith(Alkanes);
        QVERIFY(w);
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("φύλλο.pdf"));
        QString error;
        QVERIFY2(worksheet::writeWorksheet(pdf, w->board().HomeRow(), &error, w->compounds()),
                 qPrintable(error));
        const QStringList lines = testing_support::pdfTextLines(pdf);
        QVERIFY(lines.contains(QStringLiteral(u"Αλκάνια")));
        for (int k = 0; k < 8; ++k)
            QVERIFY2(lines.contains(w->compounds().nameText(k)),
                     qPrintable(w->compounds().nameText(k)));
        const QString text = lines.join(u' ');
        QVERIFY2(text.contains(QStringLiteral("CH4")) || text.contains(QStringLiteral("CH 4")),
                 qPrintable(text));
    }

    // A CSV file dropped on the window opens; any other file is not taken.
    void aDroppedSetFileOpens() {
        auto w = testing_support::makeWindow(7u, testing_support::Activation::Active);
        QVERIFY(w);
        const auto drop = [&](const QString& path) {
            QMimeData data;
            data.setUrls({QUrl::fromLocalFile(path)});
            const QPoint at = w->rect().center();
            QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(w.get(), &enter);
            if (!enter.isAccepted())
                return false;
            QDropEvent dropped(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(w.get(), &dropped);
            return true;
        };
        QVERIFY(!drop(QStringLiteral(EXAMPLES_DIR "/../README.md")));
        QVERIFY(drop(Alkanes));
        QTRY_COMPARE(w->windowTitle(), QStringLiteral(u"Αλκάνια"));
        QCOMPARE(w->board().formulaCount(), 8);
        QVERIFY(w->boardView()->hasFocus());
    }

    // A bad file: one dialog with its problems, and the exercise goes on.
    void aBadFileIsToldAndTheExerciseGoesOn() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("λάθη.csv"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QByteArray rows = "Τύπος;Όνομα;Άτομα άνθρακα;Αιτιολογία;Είδος δεσμών μεταξύ ατόμων C;"
                          "Αιτιολογία;Είδος ένωσης;Αιτιολογία;Θέση και είδος δεσμών και "
                          "υποκαταστατών;Αιτιολογία\n";
        for (int k = 0; k < 12; ++k)
            rows += "ch4;όνομα " + QByteArray::number(k) + ";;;;;;;;\n";
        file.write(rows);
        file.close();

        auto w = testing_support::makeWindow(7u, testing_support::Activation::Active);
        QVERIFY(w);
        QString told;
        QTimer::singleShot(0, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                told = box->text();
                box->accept();
            }
        });
        w->openSetFile(path);
        QVERIFY2(told.contains(QStringLiteral(u"γραμμή 2, «Τύπος» (A)")), qPrintable(told));
        QVERIFY(told.contains(QStringLiteral(u"… και 2 ακόμη")));
        QCOMPARE(w->board().formulaCount(), 20);
        QCOMPARE(w->windowTitle(), Form1::caption());
    }

    // A bad file opened on a teacher's set leaves that set as it was.
    void aBadFileDroppedOnASetKeepsTheSet() {
        auto w = windowWith(Alkanes);
        QVERIFY(w);
        QTemporaryDir dir;
        const QString bad = writeSet(dir, QStringLiteral("κενό.csv"), QByteArray());
        QString told;
        QTimer::singleShot(0, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                told = box->text() + u'|' + box->buttons().constFirst()->text();
                box->accept();
            }
        });
        w->openSetFile(bad); // as a drop, Open With or the command line opens it
        QVERIFY(told.endsWith(QStringLiteral(u"|Εντάξει")));
        QVERIFY2(told.contains(QStringLiteral(u"το αρχείο είναι κενό")), qPrintable(told));
        QCOMPARE(w->windowTitle(), QStringLiteral(u"Αλκάνια"));
        QCOMPARE(w->board().formulaCount(), 8);
        QCOMPARE(w->compounds().nameText(7), QStringLiteral(u"διμεθυλοπροπάνιο"));
    }

    // A set with a warning alone opens; the warning is shown once, in a box
    // that leaves the board working, and a set opened after it takes it away.
    void aSetWithAWarningOpensAndShowsItOnce() {
        QTemporaryDir dir;
        const QString path =
            writeSet(dir, QStringLiteral("διένια.csv"),
                     Header + "CH4;μεθάνιο;;;;;;;;\nCH2=CHCH=CH2;1,3-βουταδιένιο;;;;;;;13;γιατί\n");
        auto w = testing_support::makeWindow(7u, testing_support::Activation::Active);
        QVERIFY(w);
        w->openSetFile(path);
        QVERIFY(w->setWarnings());
        QCOMPARE(w->windowTitle(), QStringLiteral(u"διένια"));
        QCOMPARE(w->board().formulaCount(), 2);
        QVERIFY(!QApplication::activeModalWidget());
        const QPointer<QMessageBox> first = w->setWarnings();
        QVERIFY(first->isVisible());
        QCOMPARE(first->text().count(QStringLiteral(u"«13» δεν υπάρχει στο όνομα")), 1);
        QCOMPARE(first->buttons().constFirst()->text(), QStringLiteral(u"Εντάξει"));
        w->openSetFile(Alkanes);
        QTRY_VERIFY(!first);
        QVERIFY(!w->setWarnings());
    }
};

QTEST_MAIN(TestOpenSet)
#include "tst_open_set.moc"
