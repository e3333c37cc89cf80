// SPDX-License-Identifier: GPL-3.0-or-later
#include "exercise/Form1.h"

#include "about/frmAbout.h"
#include "content/Catalogue.h"
#include "content/Fonts.h"
#include "content/PracticeSets.h"
#include "exercise/BoardAccessible.h"
#include "exercise/BoardView.h"
#include "exercise/MenuBarKeyboard.h"
#include "exercise/rules/RandomSource.h"
#include "explain/Form2.h"
#include "shared/AppIcon.h"
#include "shared/ExerciseTitle.h"
#include "shared/Module1.h"
#include "shared/WindowPlacement.h"
#include "worksheet/Worksheet.h"

#include <QAccessible>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QScreen>
#include <QShortcut>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>

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

namespace {

std::unique_ptr<board::UniformSource> clockSeeded(std::unique_ptr<board::UniformSource> given) {
    return given ? std::move(given) : std::make_unique<board::RandomSource>();
}

} // namespace

QString Form1::caption() {
    return exerciseTitle();
}

Form1::Form1(std::unique_ptr<board::UniformSource> random, QWidget* parent,
             std::shared_ptr<const content::ExerciseSet> compounds)
    : QMainWindow(parent), random_(clockSeeded(std::move(random))),
      compounds_(compounds ? std::move(compounds) : content::ExerciseSet::builtIn()) {
    setWindowIcon(appIcon());
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setAcceptDrops(true);
    buildMenu();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        scale_ = TwipScale(
            fitForArea(screen->availableGeometry().size(), menuBar()->sizeHint().height()));
    buildBoard();

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        adjustSize();
        centreOnScreen(*this, screen->availableGeometry(), AssumedFrame);
    }
}

void Form1::openCompounds(std::shared_ptr<const content::ExerciseSet> compounds) {
    practice_.reset();
    showCompounds(std::move(compounds));
}

void Form1::continuePractice(std::shared_ptr<content::PracticeSets> practice) {
    practice_ = std::move(practice);
}

void Form1::showCompounds(std::shared_ptr<const content::ExerciseSet> compounds) {
    compounds_ = std::move(compounds);
    buildBoard();
    // A widget put into a shown window shows only at the next turn of the
    // event loop; the board is there at once.
    view_->show();
    layout()->activate();
    view_->setFocus(Qt::OtherFocusReason);
}

void Form1::buildBoard() {
    setWindowTitle(compounds_->title());
    // The old board goes first, at once and while the exercise it shows is
    // still there: hidden while whole (which ends a drag), then deleted.
    if (QWidget* old = takeCentralWidget()) {
        old->hide();
        old->disconnect(this);
        delete old;
    }
    exercise_ = std::make_unique<board::Exercise>(*random_, compounds_->boardShape());
    view_ = new BoardView(*exercise_, scale_, *compounds_, this);
    setCentralWidget(view_);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    connect(view_, &BoardView::gradeChanged, this, &Form1::showGrade);
    connect(view_, &BoardView::explainRequested, this, &Form1::explain);

    const board::TwipRect& grade = board().LGrade();
    LGrade = new QLabel(QString::fromStdString(board().gradeCaption()), view_);
    LGrade->setObjectName(QStringLiteral("LGrade"));
    LGrade->setGeometry(scale_.rect(grade.Left, grade.Top, grade.Width, grade.Height));
    LGrade->setFont(scale_.font(content::sansBold(), 24));
    LGrade->setAlignment(Qt::AlignCenter);
    LGrade->setAccessibleDescription(QStringLiteral(u"Βαθμός"));
    LGrade->setStyleSheet(
        QStringLiteral("QLabel { background-color: rgb(255, 0, 0); color: rgb(255, 255, 255);"
                       " border: 1px solid rgb(0, 0, 0); }"));

    Form_Load();
}

Form1::~Form1() {
    // Hidden while still whole: hiding the board ends a drag, which the grade
    // label and this window still hear of.
    hide();
}

void Form1::buildMenu() {
    QMenuBar* bar = menuBar();
    // The commands are top-level items of the window's own bar; a native
    // (macOS) menu bar shows only drop-down menus and would hide them.
    bar->setNativeMenuBar(false);
    void (Form1::*const handlers[])() = {&Form1::mnuHelp_Click,
                                         &Form1::mnuCheck_Click,
                                         &Form1::mnuRestart_Click,
                                         &Form1::mnuSheet_Click,
                                         nullptr,
                                         &Form1::mnuAbout_Click,
                                         &Form1::mnuExit_Click};
    QAction* divider = nullptr;
    for (size_t i = 0; i < MenuItems.size(); ++i) {
        QAction* a = bar->addAction(QString::fromUtf16(MenuItems[i].caption));
        a->setObjectName(QString::fromLatin1(MenuItems[i].name));
        if (handlers[i])
            connect(a, &QAction::triggered, this, handlers[i]);
        else
            divider = a;
    }
    // F10 reaches the bar from the keyboard; it is no command of its own. A
    // dialog has its own window, where this shortcut does not reach.
    menuKeys_ = new MenuBarKeyboard(bar, divider);
    auto* f10 = new QShortcut(QKeySequence(Qt::Key_F10), this);
    f10->setContext(Qt::WindowShortcut);
    connect(f10, &QShortcut::activated, menuKeys_, &MenuBarKeyboard::toggle);
}

void Form1::Form_Load() {
    const QScopedValueRollback startingUp(startingUp_, true);
    exercise_->ArrangeFormulas();
    exercise_->InitBoard();
    LoadNames();
    mnuRestart_Click();
}

void Form1::LoadNames() {
    if (compounds_->isBuiltIn()) {
        Module1::CompoundNames = content::compoundCatalogue();
        return;
    }
    Module1::CompoundNames = {};
    for (int k = 0; k < compounds_->size(); ++k)
        Module1::CompoundNames[size_t(k)] = compounds_->nameInfo(k);
}

void Form1::showGrade() {
    const QString caption = QString::fromStdString(board().gradeCaption());
    if (LGrade->text() != caption)
        LGrade->setText(caption);
    LGrade->setVisible(board().gradeVisible());
}

void Form1::explain(int16_t name) {
    Module1::ExplainIndex = name;
    if (!form2_)
        form2_ = std::make_unique<Form2>(scale_);
    form2_->showModal();
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
    keyboardToBoard();
}

void Form1::mnuCheck_Click() {
    const QString before = LGrade->text();
    view_->perform(&board::Exercise::mnuCheck_Click);
    // A screen reader hears the grade of every check, also when it is the same
    // as last time (a new caption tells of itself).
    if (LGrade->text() == before) {
        QAccessibleEvent again(LGrade, QAccessible::NameChanged);
        announce(again);
    }
}

void Form1::mnuRestart_Click() {
    if (practice_ && !startingUp_) {
        showCompounds(practice_->next());
        return;
    }
    view_->perform(&board::Exercise::mnuRestart_Click);
}

void Form1::mnuSheet_Click() {
    worksheet::showWorksheet(board().HomeRow(), *compounds_);
}

void Form1::mnuAbout_Click() {
    if (!about_)
        about_ = std::make_unique<frmAbout>(scale_);
    about_->showModal();
    keyboardToBoard();
}

void Form1::keyboardToBoard() {
    // A dialog opened from the menu bar by keyboard closes while the bar still
    // holds the keyboard and has nowhere to give it back: the board takes it,
    // and has it when the window is active again.
    view_->setFocus(Qt::OtherFocusReason);
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
    if ((event->type() == QEvent::ActivationChange && !isActiveWindow()) ||
        (event->type() == QEvent::WindowStateChange && isMinimized()))
        view_->perform(&board::Exercise::breakOff);
    QMainWindow::changeEvent(event);
}

// ---- sets of compounds ----------------------------------------------------

namespace {

// The first problems, a line each, and how many more there are.
QString problemList(const content::SetCheck& check) {
    constexpr qsizetype Shown = 10;
    const QStringList lines = check.lines();
    QString text = lines.mid(0, Shown).join(u'\n');
    if (const std::size_t shown = std::size_t(std::min(Shown, lines.size())); check.total() > shown)
        text += u'\n' + content::moreProblemsLine(check.total() - shown);
    return text;
}

// A box of the set's own, its one button in Greek.
QMessageBox* setBox(QMessageBox::Icon icon, const QString& text, QWidget* parent) {
    auto* box =
        new QMessageBox(icon, QStringLiteral(u"Σύνολο ενώσεων"), text, QMessageBox::Ok, parent);
    box->button(QMessageBox::Ok)->setText(QStringLiteral(u"Εντάξει"));
    return box;
}

// Beside the exercise window where the screen has room (right, below, left,
// above), so that the box covers no card; over it only on a screen too small.
void placeBeside(QWidget& box, const QRect& window) {
    const QScreen* screen = QGuiApplication::screenAt(window.center());
    if (!screen)
        return;
    const QRect room = screen->availableGeometry();
    const QSize size = box.frameGeometry().size();
    constexpr int Gap = 8;
    const int middleY = window.center().y() - size.height() / 2;
    const int middleX = window.center().x() - size.width() / 2;
    for (const QPoint at :
         {QPoint(window.right() + Gap, middleY), QPoint(middleX, window.bottom() + Gap),
          QPoint(window.left() - Gap - size.width(), middleY),
          QPoint(middleX, window.top() - Gap - size.height())}) {
        if (room.contains(QRect(at, size))) {
            box.move(at);
            return;
        }
    }
}

} // namespace

void Form1::openSetFile(const QString& path) {
    const content::SetCheck check = content::checkSetFile(path);
    if (check.usable())
        openCompounds(check.compounds);
    tellSetCheck(path, check);
}

void Form1::tellSetCheck(const QString& path, const content::SetCheck& check) {
    if (warnings_)
        warnings_->close();
    if (check.usable() && check.warnings.empty())
        return;
    if (check.usable()) {
        // Told once, and out of the lesson's way: the teacher who opened the
        // file reads it, while the board beside it already works.
        QMessageBox* box =
            setBox(QMessageBox::Information,
                   QStringLiteral(u"Το σύνολο «%1» άνοιξε. Ελέγξτε ό,τι ακολουθεί:\n\n")
                           .arg(check.compounds->title()) +
                       problemList(check),
                   this);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->setWindowModality(Qt::NonModal);
        warnings_ = box;
        box->show();
        placeBeside(*box, frameGeometry());
        return;
    }
    const QString text = QStringLiteral(u"Το αρχείο «%1» δεν ανοίγει ως σύνολο ενώσεων:\n\n")
                             .arg(QFileInfo(path).fileName()) +
                         problemList(check) +
                         QStringLiteral(u"\n\nΗ άσκηση συνεχίζει με τις ενώσεις που είχε.");
    const std::unique_ptr<QMessageBox> box(setBox(QMessageBox::Warning, text, this));
    box->exec();
    keyboardToBoard();
}

namespace {

QString droppedSetFile(const QMimeData* data) {
    if (!data || !data->hasUrls() || data->urls().size() != 1)
        return {};
    const QUrl url = data->urls().constFirst();
    if (!url.isLocalFile() ||
        !url.toLocalFile().endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive))
        return {};
    return url.toLocalFile();
}

} // namespace

void Form1::dragEnterEvent(QDragEnterEvent* event) {
    if (!droppedSetFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void Form1::dropEvent(QDropEvent* event) {
    const QString path = droppedSetFile(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    // Opened once the drop is over, so that the dialog of a bad file does not
    // hold the file manager's drag.
    QMetaObject::invokeMethod(
        this, [this, path] { openSetFile(path); }, Qt::QueuedConnection);
}
