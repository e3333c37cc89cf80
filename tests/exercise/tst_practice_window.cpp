// SPDX-License-Identifier: GPL-3.0-or-later
// A practice in the window: «Απ' την αρχή» draws the next set of the same
// classes, once, going on in the same random sequence; the built-in exercise
// and a teacher's set restart as they always did. Its worksheet's answer page.

#include "content/Fonts.h"
#include "content/PracticeSets.h"
#include "content/SetCheck.h"
#include "exercise/BoardView.h"
#include "exercise/Form1.h"
#include "exercise/rules/RandomSource.h"
#include "support/PdfText.h"
#include "support/RealWindow.h"
#include "worksheet/Worksheet.h"

#include <QTemporaryDir>
#include <QTest>
#include <numeric>

using chemistry::practice::readClasses;

namespace {

QStringList namesOf(const content::ExerciseSet& s) {
    QStringList out;
    for (int k = 0; k < s.size(); ++k)
        out << s.nameText(k);
    return out;
}

QStringList namesOf(const content::CompoundSet& s) {
    QStringList out;
    for (const content::Compound& c : s.compounds)
        out << QString::fromStdString(c.name);
    return out;
}

const auto AlcoholsAndKetones = readClasses("αλκοόλες,κετόνες").classes;

} // namespace

class TestPracticeWindow : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { content::registerBundledFonts(); }

    void restartDrawsTheNextSetOfTheSameClasses() {
        // A twin of the same seed tells what the window's sets must be.
        content::PracticeSets twin(AlcoholsAndKetones, 11, 6);
        const QStringList first = namesOf(twin.nextCompoundSet());
        const QStringList second = namesOf(twin.nextCompoundSet());
        QVERIFY(first != second);

        auto practice = std::make_shared<content::PracticeSets>(AlcoholsAndKetones, 11, 6);
        Form1 w(std::make_unique<board::RandomSource>(3u), nullptr, practice->next());
        w.continuePractice(practice);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.windowTitle(), QStringLiteral(u"Εξάσκηση: αλκοόλες, κετόνες"));
        QCOMPARE(namesOf(w.compounds()), first);

        w.mnuRestart_Click();
        QCOMPARE(namesOf(w.compounds()), second);
        QCOMPARE(w.windowTitle(), QStringLiteral(u"Εξάσκηση: αλκοόλες, κετόνες"));
        QCOMPARE(int(w.board().HomeRow().size()), 6);
        QVERIFY(!w.board().gradeVisible());
    }

    void builtInAndTeachersSetsRestartAsBefore() {
        auto w = testing_support::makeWindow(5u);
        QVERIFY(w);
        const content::ExerciseSet* builtIn = &w->compounds();
        const BoardView* view = w->boardView();
        w->mnuRestart_Click();
        QCOMPARE(&w->compounds(), builtIn);
        QCOMPARE(w->boardView(), view);

        // A set opened over a practice ends it: its Restart keeps its compounds.
        auto practice = std::make_shared<content::PracticeSets>(AlcoholsAndKetones, 4, 5);
        w->continuePractice(practice);
        auto teachers = content::ExerciseSet::of(practice->nextCompoundSet());
        w->openCompounds(teachers);
        view = w->boardView();
        w->mnuRestart_Click();
        QCOMPARE(&w->compounds(), teachers.get());
        QCOMPARE(w->boardView(), view);
    }

    // Any set drawn is one a teacher's file could hold, with no problem.
    void everySetChecksClean() {
        const auto all = readClasses("όλα").classes;
        for (std::uint64_t seed = 1; seed <= 25; ++seed) {
            content::PracticeSets sets(all, seed, 20);
            const std::string file = content::writeCompoundSet(sets.nextCompoundSet());
            const content::SetCheck check = content::checkSet(file, "practice.csv");
            QVERIFY2(check.errors.empty() && check.warnings.empty(),
                     qPrintable(check.lines().join(u'\n')));
            QCOMPARE(check.compounds->size(), 20);
        }
    }

    // The answer page holds every name once, after the page of the exercise.
    void answerPageNamesEveryCompound_data() {
        QTest::addColumn<bool>("builtIn");
        QTest::addRow("built-in") << true;
        QTest::addRow("practice") << false;
    }
    void answerPageNamesEveryCompound() {
        SKIP_PDF_READING_UNDER_WINE();
        QFETCH(bool, builtIn);
        auto compounds = builtIn ? content::ExerciseSet::builtIn()
                                 : content::PracticeSets(AlcoholsAndKetones, 9, 12).next();
        worksheet::ColumnOrder order(std::size_t(compounds->size()));
        std::iota(order.begin(), order.end(), int16_t(0));
        QTemporaryDir dir;
        const QString plain = dir.filePath(QStringLiteral("plain.pdf"));
        const QString answers = dir.filePath(QStringLiteral("answers.pdf"));
        QVERIFY(worksheet::writeWorksheet(plain, order, nullptr, *compounds));
        QVERIFY(worksheet::writeWorksheet(answers, order, nullptr, *compounds, true));
        QCOMPARE(testing_support::pdfInfo(plain, QStringLiteral("Pages")), QStringLiteral("1"));
        QCOMPARE(testing_support::pdfInfo(answers, QStringLiteral("Pages")), QStringLiteral("2"));
        QCOMPARE(testing_support::pdfTextLines(answers, 1),
                 testing_support::pdfTextLines(plain, 1));
        const QStringList key = testing_support::pdfTextLines(answers, 2);
        QVERIFY(key.contains(QStringLiteral(u"Λύσεις")));
        for (const QString& name : namesOf(*compounds))
            QVERIFY2(key.count(name) == 1, qPrintable(name));
    }
};

QTEST_MAIN(TestPracticeWindow)
#include "tst_practice_window.moc"
