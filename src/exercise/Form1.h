// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The exercise window: the board, its grade label, the menu bar and the two
// dialogs. The exercise's rules live in board::Exercise; the board view shows
// them and feeds them the student's gestures; this window runs the menu
// commands, opens the dialogs and fits itself to the screen.

#include "content/ExerciseSet.h"
#include "content/SetCheck.h"
#include "exercise/rules/Exercise.h"
#include "shared/TwipScale.h"

#include <QMainWindow>
#include <QMessageBox>
#include <QPointer>
#include <QSize>
#include <QString>
#include <array>
#include <memory>

class QLabel;

class BoardView;
class MenuBarKeyboard;
class Form2;
class frmAbout;
namespace content {
class PracticeSets;
}

class Form1 : public QMainWindow {
    Q_OBJECT

public:
    // The menu bar's items, in order: object name and caption.
    struct MenuItem {
        const char* name;
        const char16_t* caption;
    };
    static constexpr std::array<MenuItem, 7> MenuItems = {{
        {"mnuHelp", u"Βοήθεια"},
        {"mnuCheck", u"Έλεγχος"},
        {"mnuRestart", u"Απ' την αρχή"},
        {"mnuSheet", u"Φύλλο εργασίας"},
        // A divider between the exercise's commands and the program's; it does nothing.
        {"mnuVSeperator", u"|"},
        {"mnuAbout", u"Περί..."},
        {"mnuExit", u"Έξοδος"},
    }};
    static QString caption();

    // `random` drives the column's shuffle; by default it is seeded from the clock.
    // `compounds` are the exercise's, by default the built-in twenty.
    explicit Form1(std::unique_ptr<board::UniformSource> random = nullptr,
                   QWidget* parent = nullptr,
                   std::shared_ptr<const content::ExerciseSet> compounds = nullptr);
    ~Form1() override;

    // The board starts afresh with these compounds; a practice going on ends.
    void openCompounds(std::shared_ptr<const content::ExerciseSet> compounds);
    // From now on «Απ' την αρχή» draws the practice's next set of the same
    // classes instead of dealing the names of this one again.
    void continuePractice(std::shared_ptr<content::PracticeSets> practice);
    // Opens a teacher's set of compounds (CSV), checked as every way of
    // opening one checks it. A file with problems is told of in one dialog,
    // and the exercise goes on with what it had.
    void openSetFile(const QString& path);
    // What a check of the file at `path` found: a set that cannot be used is
    // told in one dialog; a set opened with warnings shows them once, in a
    // box beside the board that the lesson goes on under.
    void tellSetCheck(const QString& path, const content::SetCheck& check);
    // The box of the last set's warnings, while it is open.
    QMessageBox* setWarnings() const { return warnings_; }
    const content::ExerciseSet& compounds() const { return *compounds_; }

    const board::Exercise& exercise() const { return *exercise_; }
    const board::Board& board() const { return exercise_->board(); }
    const TwipScale& scale() const { return scale_; }
    BoardView* boardView() const { return view_; }
    QLabel* gradeLabel() const { return LGrade; }

    // The menu commands.
    void mnuHelp_Click();
    void mnuCheck_Click();
    void mnuRestart_Click();
    void mnuSheet_Click();
    void mnuAbout_Click();
    void mnuExit_Click();

    // The uniform shrink that lets the window, frame and menu bar included, fit
    // a screen's available area; 1 when it fits as designed.
    static double fitForArea(QSize available, int menuBarHeight);

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    // A CSV file dropped on the window opens as a set of compounds.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void buildBoard();
    void showCompounds(std::shared_ptr<const content::ExerciseSet> compounds);
    void Form_Load();
    void LoadNames();
    void buildMenu();
    void showGrade();
    void explain(int16_t name);
    void keyboardToBoard();

    std::unique_ptr<board::UniformSource> random_;
    std::shared_ptr<const content::ExerciseSet> compounds_;
    std::shared_ptr<content::PracticeSets> practice_;
    // True while the board's start-up deals its first order through the
    // Restart handler, which must not draw a set then: drawing one builds a
    // board, whose start-up would come back here.
    bool startingUp_ = false;
    std::unique_ptr<board::Exercise> exercise_;
    TwipScale scale_;
    BoardView* view_ = nullptr;
    MenuBarKeyboard* menuKeys_ = nullptr;
    QLabel* LGrade = nullptr;
    // The two dialogs are made on first use and kept; each opening loads afresh.
    std::unique_ptr<Form2> form2_;
    std::unique_ptr<frmAbout> about_;
    QPointer<QMessageBox> warnings_;
};
