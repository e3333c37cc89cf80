// SPDX-License-Identifier: GPL-3.0-or-later
// The exercise window's Help, Worksheet and About commands: the exact help
// text, the one document or address each command hands to the system, and that none
// of them touches the board, with or without anything to open addresses.

#include "about/frmAbout.h"
#include "content/Fonts.h"
#include "exercise/BoardView.h"
#include "exercise/Form1.h"
#include "exercise/rules/RandomSource.h"
#include "shared/WebPage.h"
#include "support/PdfText.h"
#include "support/UrlCatcher.h"
#include "worksheet/Worksheet.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <optional>

namespace {

// Everything of the board a command could disturb, and what the grade shows.
struct BoardSnapshot {
    std::vector<board::TwipRect> cards;
    std::vector<std::array<int16_t, 3>> slotFields;
    bool gradeVisible = false;
    std::string gradeCaption;
    bool gradeLabelVisible = false;
    QString gradeLabelText;
    bool operator==(const BoardSnapshot&) const = default;

    static BoardSnapshot of(const Form1& form) {
        BoardSnapshot s;
        const board::Board& b = form.board();
        s.cards.assign(b.ImgName().begin(), b.ImgName().end());
        for (const auto& slot : b.Slots())
            s.slotFields.push_back({slot.Points, slot.Correct, slot.Placed});
        s.gradeVisible = b.gradeVisible();
        s.gradeCaption = b.gradeCaption();
        s.gradeLabelVisible = form.gradeLabel()->isVisible();
        s.gradeLabelText = form.gradeLabel()->text();
        return s;
    }
};

// A board with something on it: the right name under formula 0, a wrong one
// under formula 1, optionally checked, then a third card under formula 2.
void fillBoard(Form1& form, bool checked) {
    const auto& table = form.board().Slots();
    const auto place = [&](int16_t card, int16_t formula) {
        form.boardView()->perform([&](board::Exercise& e) {
            e.ImgName_MouseDown(card, board::Button::Left);
            e.ImgSyntactic_DragDrop(formula);
        });
    };
    place(table[0].Correct, 0);
    place(int16_t(board::NameCount + (table[1].Correct + 1) % board::NameCount), 1);
    if (checked)
        form.mnuCheck_Click();
    place(int16_t(2 * board::NameCount + table[2].Correct), 2);
}

// Runs `body` on the modal window that `open` brings up, and closes that
// window afterwards if the body did not.
void onModal(const std::function<void()>& open, const std::function<void(QWidget*)>& body) {
    QTimer::singleShot(0, qApp, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        QVERIFY(modal);
        body(modal);
        if (QWidget* still = QApplication::activeModalWidget())
            still->close();
    });
    open();
}

const QString HelpLines[] = {
    QStringLiteral(
        u"Σύρετε με πατημένο κλικ τα ονόματα ενώσεων που βρίσκονται σε πράσινο πλαίσιο στα δεξιά, "
        u"πάνω στις αντίστοιχες οργανικές ενώσεις που βρίσκονται σε κίτρινο πλαίσιο."),
    QStringLiteral(u"Με δεξί κλικ πάνω στα ονόματα ενώσεων ανοίγει παράθυρο με επεξηγήσεις για τη "
                   u"δημιουργία του ονόματος."),
    QStringLiteral(u"Όταν τελειώσετε ζητήστε έλεγχο της προσπάθειάς σας."),
};

} // namespace

class TestHelpAndLinks : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { content::registerBundledFonts(); }

    void helpShowsThreeLinesSeparatedByCrLfEveryTime();
    void worksheetHandsOneDocumentToTheSystem();
    void commandsLeaveTheBoardAsItWas_data();
    void commandsLeaveTheBoardAsItWas();
};

void TestHelpAndLinks::helpShowsThreeLinesSeparatedByCrLfEveryTime() {
    Form1 form(std::make_unique<board::RandomSource>(7u));
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QStringList texts;
    for (int time = 0; time < 2; ++time) {
        onModal([&] { form.mnuHelp_Click(); },
                [&](QWidget* modal) {
                    auto* box = qobject_cast<QMessageBox*>(modal);
                    QVERIFY(box);
                    QCOMPARE(box->windowTitle(), QStringLiteral(u"Βοήθεια"));
                    QCOMPARE(box->icon(), QMessageBox::Information);
                    QCOMPARE(box->buttons().size(), 1);
                    QCOMPARE(box->standardButtons(), QMessageBox::Ok);
                    texts << box->text();
                    box->button(QMessageBox::Ok)->click();
                });
    }
    QCOMPARE(texts.size(), 2);
    QCOMPARE(texts[1], texts[0]);
    const QString& text = texts[0];
    // Exactly the three sentences, CR LF between them and nowhere else.
    QCOMPARE(text, HelpLines[0] + QStringLiteral("\r\n") + HelpLines[1] + QStringLiteral("\r\n") +
                       HelpLines[2]);
    QCOMPARE(text.count(QLatin1Char('\r')), 2);
    QCOMPARE(text.count(QLatin1Char('\n')), 2);
    QVERIFY(!QApplication::activeModalWidget());
    QVERIFY(form.isVisible());
}

// The command hands the system one document: the school's worksheet when a
// server is built in, otherwise the page written here for the column as it
// stands now.
void TestHelpAndLinks::worksheetHandsOneDocumentToTheSystem() {
    QStandardPaths::setTestModeEnabled(true);
    UrlCatcher catcher;
    const UrlHandlerScope scope(&catcher, {"file", "http", "https"});
    Form1 form(std::make_unique<board::RandomSource>(7u));
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.mnuSheet_Click();
    QCOMPARE(catcher.urls.size(), 1);
    const QUrl url = catcher.urls.first();
    QVERIFY(!QApplication::activeModalWidget());
    if (web::hasSchoolServer()) {
        QCOMPARE(url.toString(), web::worksheetUrl());
        QCOMPARE(
            url.path(),
            QStringLiteral("/Vadidiv/04DIVURADODE/Vidozador/VuzurazEzuDadaVedozu/QM/WS_KT_31.pdf"));
        // Plain ASCII: nothing is lost on the way to an 8-bit code page.
        QCOMPARE(QString::fromLatin1(web::worksheetUrl().toLatin1()), web::worksheetUrl());
        return;
    }
    QVERIFY(url.isLocalFile());
    const QTemporaryDir dir;
    const QString expected = dir.filePath(QStringLiteral("expected.pdf"));
    QVERIFY(worksheet::writeWorksheet(expected, form.board().HomeRow()));
    const QStringList opened = testing_support::pdfTextLines(url.toLocalFile());
    QVERIFY(!opened.isEmpty());
    QCOMPARE(opened, testing_support::pdfTextLines(expected));
    QFile::remove(url.toLocalFile());
}

void TestHelpAndLinks::commandsLeaveTheBoardAsItWas_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("checked");
    QTest::addColumn<bool>("handler");
    for (const bool checked : {false, true}) {
        const char* when = checked ? "after_check" : "before_check";
        for (const bool handler : {false, true}) {
            const char* how = handler ? "caught" : "no_handler";
            for (const char* command : {"sheet", "about_links"})
                QTest::addRow("%s_%s_%s", command, how, when) << command << checked << handler;
        }
        QTest::addRow("help_%s", when) << "help" << checked << false;
    }
}

void TestHelpAndLinks::commandsLeaveTheBoardAsItWas() {
    QFETCH(QString, command);
    QFETCH(bool, checked);
    QFETCH(bool, handler);
    QStandardPaths::setTestModeEnabled(true);
    UrlCatcher catcher;
    std::optional<UrlHandlerScope> scope;
    if (handler)
        scope.emplace(&catcher, QStringList{"file", "http", "https"});

    Form1 form(std::make_unique<board::RandomSource>(11u));
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    fillBoard(form, checked);
    const BoardSnapshot before = BoardSnapshot::of(form);
    QVERIFY(before.slotFields[0][2] != board::NoCard);
    QCOMPARE(before.gradeCaption == "5%", checked);

    QStringList expected;
    if (command == QLatin1String("sheet")) {
        form.mnuSheet_Click();
        expected << (web::hasSchoolServer() ? web::worksheetUrl() : QStringLiteral("file"));
    } else if (command == QLatin1String("help")) {
        onModal([&] { form.mnuHelp_Click(); }, [](QWidget* modal) { modal->close(); });
    } else {
        bool stayedOpen = false;
        onModal([&] { form.mnuAbout_Click(); },
                [&](QWidget* modal) {
                    auto* about = qobject_cast<frmAbout*>(modal);
                    QVERIFY(about);
                    about->Image1_Click();
                    about->Label1_Click();
                    about->logo2_Click();
                    stayedOpen = QApplication::activeModalWidget() == about;
                    about->cmdClose_Click();
                });
        QVERIFY(stayedOpen);
        expected << web::schoolHomeUrl() << web::exercisesIndexUrl() << web::freeProgramsUrl();
    }

    QVERIFY(!QApplication::activeModalWidget());
    QVERIFY(form.isVisible());
    QVERIFY(BoardSnapshot::of(form) == before);
    QStringList sent;
    for (const QUrl& url : catcher.urls) {
        // A worksheet written here has a new name every time: its kind counts.
        sent << (url.isLocalFile() ? url.scheme() : url.toString());
        if (url.isLocalFile())
            QFile::remove(url.toLocalFile());
    }
    QCOMPARE(sent, handler ? expected : QStringList());
}

QTEST_MAIN(TestHelpAndLinks)
#include "tst_help_and_links.moc"
