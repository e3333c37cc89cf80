#pragma once
// The exercise window: the board of formulas and name cards, its menu bar and
// every handler of the exercise. The truth lives in board::Board; this window
// places and paints from it and feeds it the student's gestures.

#include "exercise/Board.h"
#include "shared/TwipScale.h"

#include <QMainWindow>
#include <QSize>
#include <QString>
#include <array>
#include <memory>

class QAction;
class QLabel;
class BoardView;
class Form2;
class frmAbout;

class Form1 : public QMainWindow {
    Q_OBJECT

public:
    // `random` drives the column's shuffle; by default it is seeded from the clock.
    explicit Form1(std::unique_ptr<board::UniformSource> random = nullptr,
                   QWidget* parent = nullptr);
    ~Form1() override;

    const board::Board& board() const { return board_; }
    const TwipScale& scale() const { return scale_; }
    BoardView* boardView() const { return view_; }
    QLabel* gradeLabel() const { return LGrade; }

    // The card handlers. Positions are in twips: the drag-over handlers get the
    // pointer relative to the control the event is for, like any control event.
    void ImgName_MouseDown(int16_t index, Qt::MouseButton button);
    void ImgName_MouseMove(int16_t index);
    void ImgName_MouseUp(int16_t index, float x, float y);
    void ImgName_DblClick(int16_t index);
    void ImgName_DragOver(int16_t index, float x, float y);
    void ImgName_DragDrop();
    void ImgSyntactic_DragOver(int16_t index, float x, float y);
    void ImgSyntactic_DragDrop(int16_t index);
    void Form_DragOver(float x, float y);
    void Form_DragDrop();

    // The menu commands.
    void mnuHelp_Click();
    void mnuCheck_Click();
    void mnuRestart_Click();
    void mnuSheet_Click();
    void mnuAbout_Click();
    void mnuExit_Click();

    // Pointer routing, as a real pointer would deliver it: a drag-over or a drop
    // goes to whatever lies under the pointer (window coordinates in twips).
    void dragOverAt(float x, float y);
    void dropAt(float x, float y);
    // A drag broken off by anything but a release (focus or grab lost, the
    // window hidden or minimised): the card goes home, never stays on the board.
    void breakOffDrag();
    // A name placed without dragging (keyboard, or a click on the name and then
    // on the formula): the same press on its front card and the same drop on
    // the formula as a mouse drag, so the outcome is the drag's. Returns
    // whether a copy of the name was left in the column to place.
    bool placeName(int16_t name, int16_t formula);

    // The uniform shrink that lets the window, frame and menu bar included, fit
    // a screen's available area; 1 when it fits as designed.
    static double fitForArea(QSize available, int menuBarHeight);

    QString toolTipText(int16_t card) const { return toolTips_[card]; }

    static QString placedToolTip();
    static QString columnToolTip();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void Form_Load();
    void ArrangeFormulas();
    void InitBoard();
    void LoadNames();
    void SendHome(int16_t index);
    void buildMenu();
    void showModel();
    void showDragStep();
    void showGrade();

    board::Board board_;
    std::unique_ptr<board::UniformSource> random_;
    TwipScale scale_;
    BoardView* view_ = nullptr;
    QLabel* LGrade = nullptr;
    std::array<QString, board::CardCount> toolTips_;
    // The two dialogs are made on first use and kept; each opening loads afresh.
    std::unique_ptr<Form2> form2_;
    std::unique_ptr<frmAbout> about_;
};
