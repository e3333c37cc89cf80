#include "exercise/Form1.h"

#include "about/frmAbout.h"
#include "content/Catalogue.h"
#include "content/Fonts.h"
#include "exercise/BoardAccessible.h"
#include "exercise/BoardView.h"
#include "exercise/RandomSource.h"
#include "explain/Form2.h"
#include "shared/AppIcon.h"
#include "shared/Module1.h"
#include "shared/WebPage.h"
#include "shared/WindowPlacement.h"

#include <QAccessible>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

using board::Hit;

namespace {

// Room the window system takes around the client area before it can tell:
// borders on both sides and a title bar. Generous on purpose (a 125 % title
// bar with its border is about 39 pixels).
constexpr QMargins AssumedFrame(8, 32, 8, 8);

} // namespace

double Form1::fitForArea(QSize available, int menuBarHeight) {
    const QSize room =
        available - QSize(AssumedFrame.left() + AssumedFrame.right(),
                          AssumedFrame.top() + AssumedFrame.bottom() + menuBarHeight);
    const TwipScale full;
    return TwipScale::fitFor(room, full.size(board::Board::ScaleWidth, board::Board::ScaleHeight));
}

Form1::Form1(std::unique_ptr<board::UniformSource> random, QWidget* parent)
    : QMainWindow(parent), random_(std::move(random)) {
    if (!random_)
        random_ = std::make_unique<board::RandomSource>();
    setWindowTitle(QStringLiteral(u"Γενίκευση της ονοματολογίας των οργανικών ενώσεων"));
    setWindowIcon(appIcon());
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    buildMenu();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        scale_ = TwipScale(
            fitForArea(screen->availableGeometry().size(), menuBar()->sizeHint().height()));

    view_ = new BoardView(*this, board_, scale_, this);
    setCentralWidget(view_);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    LGrade = new QLabel(QStringLiteral("100%"), view_);
    LGrade->setObjectName(QStringLiteral("LGrade"));
    LGrade->setGeometry(scale_.rect(board_.LGrade.Left, board_.LGrade.Top, board_.LGrade.Width,
                                    board_.LGrade.Height));
    LGrade->setFont(scale_.font(content::sansBold(), 24));
    LGrade->setAlignment(Qt::AlignCenter);
    LGrade->setAccessibleDescription(QStringLiteral(u"Βαθμός"));
    LGrade->setStyleSheet(
        QStringLiteral("QLabel { background-color: rgb(255, 0, 0); color: rgb(255, 255, 255);"
                       " border: 1px solid rgb(0, 0, 0); }"));

    Form_Load();

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        adjustSize();
        centreOnScreen(*this, screen->availableGeometry(), AssumedFrame);
    }
}

Form1::~Form1() {
    // Hidden while still whole: the board's hide and focus handlers call back
    // into this window, which QWidget's own destructor would be too late for.
    hide();
}

void Form1::buildMenu() {
    QMenuBar* bar = menuBar();
    // The commands are top-level items of the window's own bar; a native
    // (macOS) menu bar shows only drop-down menus and would hide them.
    bar->setNativeMenuBar(false);
    const auto item = [bar](const char* name, const QString& caption) {
        QAction* a = bar->addAction(caption);
        a->setObjectName(QString::fromLatin1(name));
        return a;
    };
    connect(item("mnuHelp", QStringLiteral(u"Βοήθεια")), &QAction::triggered, this,
            &Form1::mnuHelp_Click);
    connect(item("mnuCheck", QStringLiteral(u"Έλεγχος")), &QAction::triggered, this,
            &Form1::mnuCheck_Click);
    connect(item("mnuRestart", QStringLiteral(u"Απ' την αρχή")), &QAction::triggered, this,
            &Form1::mnuRestart_Click);
    connect(item("mnuSheet", QStringLiteral(u"Φύλλο εργασίας")), &QAction::triggered, this,
            &Form1::mnuSheet_Click);
    // A divider between the exercise's commands and the program's; it does nothing.
    item("mnuVSeperator", QStringLiteral("|"));
    connect(item("mnuAbout", QStringLiteral(u"Περί...")), &QAction::triggered, this,
            &Form1::mnuAbout_Click);
    connect(item("mnuExit", QStringLiteral(u"Έξοδος")), &QAction::triggered, this,
            &Form1::mnuExit_Click);
}

void Form1::Form_Load() {
    ArrangeFormulas();
    InitBoard();
    LoadNames();
    mnuRestart_Click();
}

void Form1::ArrangeFormulas() {
    board_.ArrangeFormulas();
}
void Form1::InitBoard() {
    board_.InitBoard();
}
void Form1::LoadNames() {
    Module1::CompoundNames = content::compoundCatalogue();
}
void Form1::SendHome(int16_t index) {
    board_.SendHome(index);
}

void Form1::showModel() {
    view_->repaintTwips(board_.takeDirty());
    showGrade();
    view_->afterModelChange();
}

void Form1::showDragStep() {
    // While the card only follows the pointer nothing but its place changes:
    // repaint its old and new rectangles and leave the rest alone.
    if (board_.dragging())
        view_->repaintTwips(board_.takeDirty());
    else
        showModel();
}

void Form1::showGrade() {
    const QString caption = QString::fromStdString(board_.gradeCaption);
    if (LGrade->text() != caption)
        LGrade->setText(caption);
    LGrade->setVisible(board_.gradeVisible);
}

QString Form1::placedToolTip() {
    return QStringLiteral(u"αφαιρέστε το με διπλό κλικ, με δεξί κλικ δείτε τις επεξηγήσεις");
}

QString Form1::columnToolTip() {
    return QStringLiteral(
        u"η μεταφορά ξεκινάει με πατημένο κλικ, με δεξί κλικ δείτε τις επεξηγήσεις");
}

// ---- card handlers ----------------------------------------------------------

void Form1::ImgName_MouseDown(int16_t index, Qt::MouseButton button) {
    if (button == Qt::RightButton) {
        Module1::ExplainIndex = int16_t(index % board::NameCount);
        if (!form2_)
            form2_ = std::make_unique<Form2>(scale_);
        form2_->showModal();
        return;
    }
    if (board_.beginDrag(index)) {
        view_->showPointer(BoardView::Pointer::Drop);
        showModel();
    }
}

void Form1::ImgName_MouseMove(int16_t index) {
    toolTips_[index] = board_.isPlaced(index) ? placedToolTip() : columnToolTip();
}

void Form1::ImgName_MouseUp(int16_t index, float x, float y) {
    (void)index; // the drag being ended is always the one under way
    dropAt(x, y);
}

void Form1::ImgName_DblClick(int16_t index) {
    if (board_.takeBack(index))
        showModel();
}

void Form1::ImgName_DragOver(int16_t index, float x, float y) {
    const board::TwipRect& card = board_.ImgName[index];
    board_.followPointer(card.Left + x, card.Top + y);
    showDragStep();
}

void Form1::ImgName_DragDrop() {
    board_.sendDraggedHome();
    showModel();
}

void Form1::ImgSyntactic_DragOver(int16_t index, float x, float y) {
    const board::TwipRect& formula = board_.ImgSyntactic[index];
    board_.followPointer(formula.Left + x, formula.Top + y);
    showDragStep();
}

void Form1::ImgSyntactic_DragDrop(int16_t index) {
    board_.dropOnFormula(index);
    showModel();
}

void Form1::Form_DragOver(float x, float y) {
    if (board::Board::nearEdge(x, y))
        board_.sendDraggedHome();
    else
        board_.followPointer(x, y);
    showDragStep();
}

void Form1::Form_DragDrop() {
    board_.sendDraggedHome();
    showModel();
}

void Form1::dragOverAt(float x, float y) {
    if (!board_.dragging())
        return;
    const Hit hit = board_.hitTest(x, y);
    switch (hit.kind) {
    case Hit::Card: {
        const board::TwipRect& c = board_.ImgName[hit.index];
        ImgName_DragOver(hit.index, x - c.Left, y - c.Top);
        break;
    }
    case Hit::Formula: {
        const board::TwipRect& f = board_.ImgSyntactic[hit.index];
        ImgSyntactic_DragOver(hit.index, x - f.Left, y - f.Top);
        break;
    }
    case Hit::Window:
        Form_DragOver(x, y);
        break;
    }
}

void Form1::dropAt(float x, float y) {
    if (!board_.dragging())
        return;
    const Hit hit = board_.hitTest(x, y);
    switch (hit.kind) {
    case Hit::Card:
        ImgName_DragDrop();
        break;
    case Hit::Formula:
        ImgSyntactic_DragDrop(hit.index);
        break;
    case Hit::Window:
        Form_DragDrop();
        break;
    }
}

bool Form1::placeName(int16_t name, int16_t formula) {
    const int16_t card = board_.frontCardAtHome(name);
    if (card == board::NoCard || board_.dragging())
        return false;
    ImgName_MouseDown(card, Qt::LeftButton);
    ImgSyntactic_DragDrop(formula);
    view_->updateCursor(view_->mapFromGlobal(QCursor::pos()));
    return true;
}

void Form1::breakOffDrag() {
    if (!board_.dragging())
        return;
    board_.sendDraggedHome();
    view_->showPointer(BoardView::Pointer::Arrow);
    showModel();
}

// ---- menu -------------------------------------------------------------------

void Form1::mnuHelp_Click() {
    const QString crlf = QStringLiteral("\r\n");
    const QString text =
        QStringLiteral(u"Σύρετε με πατημένο κλικ τα ονόματα ενώσεων που βρίσκονται σε πράσινο "
                       u"πλαίσιο στα δεξιά, πάνω στις αντίστοιχες οργανικές ενώσεις που "
                       u"βρίσκονται σε κίτρινο πλαίσιο.") +
        crlf +
        QStringLiteral(u"Με δεξί κλικ πάνω στα ονόματα ενώσεων ανοίγει παράθυρο με επεξηγήσεις "
                       u"για τη δημιουργία του ονόματος.") +
        crlf + QStringLiteral(u"Όταν τελειώσετε ζητήστε έλεγχο της προσπάθειάς σας.");
    QMessageBox box(QMessageBox::Information, QStringLiteral(u"Βοήθεια"), text, QMessageBox::Ok,
                    this);
    box.exec();
}

void Form1::mnuCheck_Click() {
    breakOffDrag();
    const QString before = LGrade->text();
    board_.check();
    showModel();
    // A screen reader hears the grade of every check, also when it is the same
    // as last time (a new caption tells of itself).
    if (LGrade->text() == before) {
        QAccessibleEvent again(LGrade, QAccessible::NameChanged);
        announce(again);
    }
}

void Form1::mnuRestart_Click() {
    board_.Restart(*random_);
    view_->showPointer(BoardView::Pointer::Arrow);
    showModel();
}

void Form1::mnuSheet_Click() {
    OpenWebPage(web::worksheetUrl(), web::SW_SHOW);
}

void Form1::mnuAbout_Click() {
    if (!about_)
        about_ = std::make_unique<frmAbout>(scale_);
    about_->showModal();
}

void Form1::mnuExit_Click() {
    close();
}

// ---- window -----------------------------------------------------------------

void Form1::closeEvent(QCloseEvent* event) {
    // Closing the exercise ends the program at once; nothing is kept or asked.
    event->accept();
    QCoreApplication::quit();
}

void Form1::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && !isActiveWindow())
        breakOffDrag();
    if (event->type() == QEvent::WindowStateChange && isMinimized())
        breakOffDrag();
    QMainWindow::changeEvent(event);
}
