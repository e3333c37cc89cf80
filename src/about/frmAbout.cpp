// SPDX-License-Identifier: GPL-3.0-or-later
#include "about/frmAbout.h"

#include "about/FocusRing.h"
#include "about/SchoolLogo.h"
#include "content/Fonts.h"
#include "shared/AppIcon.h"
#include "shared/Cursors.h"
#include "shared/WebPage.h"
#include "shared/WindowPlacement.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPalette>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>

namespace {

// Positions and sizes in twips from the client area's top-left corner.
constexpr double ClientWidth = 8055;
constexpr double ClientHeight = 5325;

const QColor DarkGrey(64, 64, 64);
const QColor CreditGreen(0, 128, 0);

} // namespace

frmAbout::frmAbout(const TwipScale& scale) : QDialog(nullptr), scale_(scale) {
    // A fixed dialog frame: a title and a close box, nothing to resize,
    // minimise or maximise.
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setWindowModality(Qt::ApplicationModal);
    setWindowTitle(caption());
    setWindowIcon(appIcon());
    setFixedSize(scale_.size(ClientWidth, ClientHeight));

    QPalette grey = palette();
    grey.setColor(QPalette::Window, DarkGrey);
    setPalette(grey);
    setAutoFillBackground(true);

    buildControls();

    hiddenOwner_.create();
    winId();
    windowHandle()->setTransientParent(&hiddenOwner_);
}

QString frmAbout::caption() {
    return QStringLiteral(u"Γενίκευση της ονοματολογίας των οργανικών ενώσεων, 2014");
}

QString frmAbout::creditLine() {
    return QStringLiteral(u"Δημιουργοί: εκπαιδευτικοί Χημείας");
}

QString frmAbout::noticeSentence() {
    return QStringLiteral(u"Το πρόγραμμα είναι ελεύθερο λογισμικό: ο καθένας μπορεί να το "
                          u"χρησιμοποιεί, να το αντιγράφει, να το μοιράζεται και να το τροποποιεί "
                          u"με τους όρους της Γενικής Άδειας Δημόσιας Χρήσης GNU, έκδοση 3 ή "
                          u"νεότερη (GPL-3.0-or-later).");
}

void frmAbout::buildControls() {
    // Stacking, back to front: the white square and the photo, then the logo,
    // then the credit line.
    logo1 = new QWidget(this);
    logo1->setObjectName(QStringLiteral("logo1"));
    logo1->setGeometry(scale_.rect(60, 60, 4005, 4005));
    QPalette white = logo1->palette();
    white.setColor(QPalette::Window, Qt::white);
    logo1->setPalette(white);
    logo1->setAutoFillBackground(true);

    logo2 = new QLabel(this);
    logo2->setObjectName(QStringLiteral("logo2"));
    logo2->setGeometry(scale_.rect(4020, 60, 4005, 4005));
    logo2->setPixmap(QPixmap(QStringLiteral(":/about/photo.png")));
    logo2->setScaledContents(true);
    logo2->setCursor(cursors::pointingHand());
    logo2->setToolTip(
        QStringLiteral(u"Κάντε κλικ για να επισκεφθείτε τον ιστότοπο του κατασκευαστή"));

    Image1 = new SchoolLogo(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(scale_.rect(2460, 420, 3195, 3195));
    Image1->setCursor(cursors::pointingHand());
    Image1->setToolTip(
        QStringLiteral(u"Κάντε κλικ για να επισκεφθείτε την ιστοσελίδα του σχολείου"));

    Label1 = new QLabel(creditLine(), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(scale_.font(content::sansBold(), 24));
    Label1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label1->setWordWrap(true);
    QPalette credit = Label1->palette();
    credit.setColor(QPalette::WindowText, CreditGreen);
    // The system's window background is the colour behind text in a document
    // (white on most desktops), which Qt calls Base.
    credit.setColor(QPalette::Window, QGuiApplication::palette().color(QPalette::Base));
    Label1->setPalette(credit);
    Label1->setAutoFillBackground(true);
    Label1->setCursor(cursors::pointingHand());
    Label1->setToolTip(
        QStringLiteral(u"Κάντε κλικ για να δείτε τη συλλογή ασκήσεων και προγραμμάτων μας"));
    // The width is fixed; the height follows the wrapped text.
    const QRect labelBox = scale_.rect(165, 1260, 3705, 1665);
    Label1->setGeometry(labelBox.x(), labelBox.y(), labelBox.width(),
                        Label1->heightForWidth(labelBox.width()));

    Comment = new QPlainTextEdit(this);
    Comment->setObjectName(QStringLiteral("Comment"));
    Comment->setGeometry(scale_.rect(60, 4080, 7995, 795));
    Comment->setReadOnly(true);
    Comment->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    Comment->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Comment->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Comment->setFocusPolicy(Qt::StrongFocus);
    Comment->setPlainText(QStringLiteral("Text1"));

    cmdClose = new QPushButton(QStringLiteral("OK"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    cmdClose->setGeometry(scale_.rect(3120, 4980, 1935, 315));
    cmdClose->setDefault(true);
    connect(cmdClose, &QPushButton::clicked, this, &frmAbout::cmdClose_Click);

    // Screen readers announce each link by what clicking it does. The links
    // take the focus from the keyboard only: a click on one leaves it where
    // it was, so that Enter still closes the window.
    focusRing_ = new FocusRing(this);
    for (QWidget* link : {static_cast<QWidget*>(logo2), static_cast<QWidget*>(Image1),
                          static_cast<QWidget*>(Label1)}) {
        link->setAccessibleName(link->toolTip());
        link->setFocusPolicy(Qt::TabFocus);
        link->installEventFilter(this);
    }
    // Tab goes from the button to the notice, then to the links in reading order.
    Comment->setTabChangesFocus(true);
    setTabOrder(cmdClose, Comment);
    setTabOrder(Comment, Label1);
    setTabOrder(Label1, Image1);
    setTabOrder(Image1, logo2);
}

void frmAbout::follow(QWidget* link) {
    if (!link) {
        focusRing_->hide();
    } else if (link == Image1) {
        const QRect badge = Image1->badgeRect().toAlignedRect();
        focusRing_->surround(*link, badge.translated(Image1->pos()), FocusRing::Shape::Round);
    } else if (link == logo2) {
        // The photo reaches the window's edges: its ring lies inside it.
        const int inset = FocusRing::Width + 2;
        focusRing_->surround(*link, link->geometry().adjusted(inset, inset, -inset, -inset),
                             FocusRing::Shape::Square);
    } else {
        focusRing_->surround(*link, link->geometry(), FocusRing::Shape::Square);
    }
}

bool frmAbout::activate(QObject* link) {
    if (link == Image1)
        Image1_Click();
    else if (link == Label1)
        Label1_Click();
    else if (link == logo2)
        logo2_Click();
    else
        return false;
    return true;
}

bool frmAbout::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonRelease: {
        // A click is a left press and release on the same control.
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const auto* control = static_cast<QWidget*>(watched);
        if (mouse->button() == Qt::LeftButton &&
            control->rect().contains(mouse->position().toPoint()))
            return activate(watched);
        break;
    }
    case QEvent::KeyPress: {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool activates = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter ||
                               key->key() == Qt::Key_Space;
        if (activates && key->modifiers() == Qt::NoModifier && !key->isAutoRepeat())
            return activate(watched);
        break;
    }
    case QEvent::FocusIn:
        follow(static_cast<QWidget*>(watched));
        break;
    case QEvent::FocusOut:
        follow(nullptr);
        break;
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

void frmAbout::showModal() {
    Form_Load();
    exec();
}

void frmAbout::Form_Load() {
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        centreOnScreen(*this, screen->geometry());
    notice_ = noticeSentence() + QStringLiteral("\r\n");
    Comment->setPlainText(notice_);
    cmdClose->setFocus();
}

void frmAbout::cmdClose_Click() {
    accept();
}

void frmAbout::Image1_Click() {
    OpenWebPage(web::schoolHomeUrl(), web::ShowCommand::ShowNormal);
}

void frmAbout::Label1_Click() {
    OpenWebPage(web::exercisesIndexUrl(), web::ShowCommand::ShowNormal);
}

void frmAbout::logo2_Click() {
    OpenWebPage(web::freeProgramsUrl(), web::ShowCommand::ShowNormal);
}
