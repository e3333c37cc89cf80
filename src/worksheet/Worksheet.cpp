// SPDX-License-Identifier: GPL-3.0-or-later
#include "worksheet/Worksheet.h"

#include "content/CardPictures.h"
#include "content/ExerciseSet.h"
#include "content/FileErrors.h"
#include "content/Fonts.h"
#include "exercise/rules/Board.h"
#include "shared/ExerciseTitle.h"
#include "shared/WebPage.h"

#include <QDesktopServices>
#include <QDir>
#include <QFontMetricsF>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <QUrl>
#include <algorithm>
#include <array>
#include <cerrno>
#include <cmath>
#include <memory>
#include <utility>

namespace worksheet {

namespace {

// The page is laid out in hundredths of a millimetre: the writer's resolution
// makes one device unit exactly that, so no transform stands between the
// layout and the page.
constexpr int Resolution = 2540;
constexpr qreal Mm = 100;
constexpr qreal PageWidth = 210 * Mm;
constexpr qreal PageHeight = 297 * Mm;
constexpr qreal Margin = 15 * Mm;
constexpr qreal Usable = PageWidth - 2 * Margin;

// Font sizes in points, turned into device units.
constexpr qreal pointsToUnits(qreal points) {
    return points * 25.4 / 72 * Mm;
}

constexpr int FormulaColumns = 3;
constexpr qreal WidestCard = 56 * Mm;
constexpr qreal CardSideRoom = 6 * Mm;
constexpr qreal AnswerLineInset = 1.5 * Mm;
// Under each card: room to write a name, then its line.
constexpr qreal AnswerLineDrop = 8.5 * Mm;
constexpr qreal LeastGapBelowAnswer = 2.5 * Mm;

constexpr int NameColumns = 3;
constexpr int NamesPerColumn = 7;
constexpr qreal NameRowPitch = 6 * Mm;

const QColor Ink(31, 26, 23);

QFont sized(QFont font, qreal points) {
    font.setPixelSize(int(std::lround(pointsToUnits(points))));
    return font;
}

// The largest size up to `points` at which every one of `texts` is at most
// `width` wide.
QFont fitted(const QFont& base, qreal points, const QStringList& texts, qreal width) {
    QFont font = sized(base, points);
    for (;;) {
        const QFontMetricsF fm(font);
        qreal widest = 0;
        for (const QString& t : texts)
            widest = std::max(widest, fm.horizontalAdvance(t));
        if (widest <= width || font.pixelSize() <= 100)
            return font;
        font.setPixelSize(font.pixelSize() * 95 / 100);
    }
}

bool isColumnOrder(const ColumnOrder& homeRow, int names) {
    if (homeRow.size() != std::size_t(names))
        return false;
    std::vector<bool> seen(std::size_t(names), false);
    for (const int16_t row : homeRow) {
        if (row < 0 || row >= names || seen[std::size_t(row)])
            return false;
        seen[std::size_t(row)] = true;
    }
    return true;
}

void drawLabelledLine(QPainter& p, const QString& label, qreal left, qreal right, qreal baseline) {
    p.drawText(QPointF(left, baseline), label);
    const qreal start = left + QFontMetricsF(p.font()).horizontalAdvance(label) + 2 * Mm;
    p.drawLine(QPointF(start, baseline + 0.8 * Mm), QPointF(right, baseline + 0.8 * Mm));
}

// Draws the heading and the student's lines; returns where the next part may begin.
qreal drawHeader(QPainter& p, const QString& heading) {
    p.setPen(Ink);
    const QFont headingFont = fitted(content::sansBold(), 16, {heading}, Usable);
    p.setFont(headingFont);
    qreal y = Margin + QFontMetricsF(headingFont).ascent();
    p.drawText(QRectF(Margin, Margin, Usable, QFontMetricsF(headingFont).height()),
               Qt::AlignHCenter, heading);

    p.setFont(sized(content::sansBold(), 10.5));
    p.setPen(QPen(Ink, 0.25 * Mm));
    y += 14 * Mm;
    drawLabelledLine(p, studentNameLabel(), Margin, PageWidth - Margin, y);
    y += 10 * Mm;
    const qreal split = Margin + Usable * 0.45;
    drawLabelledLine(p, classLabel(), Margin, split - 6 * Mm, y);
    drawLabelledLine(p, dateLabel(), split, PageWidth - Margin, y);

    p.setFont(sized(content::sansBold(), 10));
    y += 10 * Mm;
    p.drawText(QPointF(Margin, y), instruction());
    return y + 4 * Mm;
}

// A name centred on its answer line, just above it.
void drawAnswer(QPainter& p, const QFont& font, const QString& name, qreal centre, qreal line) {
    p.setFont(font);
    const qreal width = QFontMetricsF(font).horizontalAdvance(name);
    p.drawText(QPointF(centre - width / 2, line - 1.5 * Mm), name);
}

qreal cardHeightFor(const content::ExerciseSet& compounds, int formula, qreal width) {
    const QSizeF space = compounds.formulaSpace(formula);
    return width * space.height() / space.width();
}

// The three columns of cards, each card with its answer line, spread evenly
// down the band from `top` to `bottom`. Each column has a third of the page's
// width; the card stands in its middle and the line spans nearly all of it,
// since a written name takes more room than a printed one. With `names`, each
// line carries its formula's name, as the student should have written it.
void drawFormulas(QPainter& p, const content::ExerciseSet& compounds, qreal top, qreal bottom,
                  bool names = false) {
    const qreal height = bottom - top;
    const qreal slot = Usable / FormulaColumns;
    // The formulas stand in the same three columns as in the exercise window.
    const std::array<int, 4> starts = board::columnStarts(compounds.size());
    // The card width that lets the fullest column fit the band.
    qreal width = std::min(WidestCard, slot - CardSideRoom);
    for (int c = 0; c < FormulaColumns; ++c) {
        qreal perWidth = 0;
        qreal fixed = 0;
        for (int f = starts[std::size_t(c)]; f < starts[std::size_t(c) + 1]; ++f) {
            perWidth += cardHeightFor(compounds, f, 1);
            fixed += AnswerLineDrop + LeastGapBelowAnswer;
        }
        if (perWidth > 0)
            width = std::min(width, (height - fixed) / perWidth);
    }

    p.setPen(QPen(Ink, 0.25 * Mm));
    QStringList answers;
    for (int f = 0; names && f < compounds.size(); ++f)
        answers << compounds.nameText(compounds.correctNameFor(f));
    const QFont answerFont =
        fitted(content::serifBold(), 11, answers, slot - 2 * AnswerLineInset - 2 * Mm);
    for (int c = 0; c < FormulaColumns; ++c) {
        const int first = starts[std::size_t(c)], last = starts[std::size_t(c) + 1] - 1;
        if (last < first)
            continue;
        const qreal slotLeft = Margin + c * slot;
        const qreal left = slotLeft + (slot - width) / 2;
        qreal used = 0;
        for (int f = first; f <= last; ++f)
            used += cardHeightFor(compounds, f, width) + AnswerLineDrop;
        const qreal gap = (height - used) / (last - first + 1);
        qreal y = top;
        for (int f = first; f <= last; ++f) {
            const qreal h = cardHeightFor(compounds, f, width);
            compounds.paintFormula(p, f, QRectF(left, y, width, h));
            y += h + AnswerLineDrop;
            if (names)
                drawAnswer(p, answerFont, answers[f], slotLeft + slot / 2, y);
            p.drawLine(QPointF(slotLeft + AnswerLineInset, y),
                       QPointF(slotLeft + slot - AnswerLineInset, y));
            y += gap;
        }
    }
}

// The framed band of names at the foot of the page: a heading, then the rows.
qreal namesHeight() {
    return 9 * Mm + NamesPerColumn * NameRowPitch + 2 * Mm;
}

// The names in three columns, read down each column, in the order the
// exercise's column shows them.
void drawNames(QPainter& p, const content::ExerciseSet& compounds, qreal top,
               const ColumnOrder& homeRow) {
    const int count = compounds.size();
    std::vector<int> nameAtRow(std::size_t(count), 0);
    for (int name = 0; name < count; ++name)
        nameAtRow[std::size_t(homeRow[std::size_t(name)])] = name;

    p.setPen(QPen(Ink, 0.25 * Mm));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(Margin, top, Usable, namesHeight()), 2 * Mm, 2 * Mm);
    p.setFont(sized(content::sansBold(), 11));
    p.drawText(QPointF(Margin + 4 * Mm, top + 6.5 * Mm), namesHeading());

    const qreal columnWidth = (Usable - 8 * Mm) / NameColumns;
    QStringList names;
    for (int k = 0; k < count; ++k)
        names << compounds.nameText(k);
    p.setFont(fitted(content::serifBold(), 11, names, columnWidth - 5 * Mm));
    for (int row = 0; row < count; ++row) {
        const int column = row / NamesPerColumn;
        const qreal x = Margin + 4 * Mm + column * columnWidth;
        const qreal y = top + 9 * Mm + (row % NamesPerColumn + 0.75) * NameRowPitch;
        p.drawText(QPointF(x, y), compounds.nameText(nameAtRow[std::size_t(row)]));
    }
}

// The answer key: the page's formulas where the worksheet has them, each
// with its name on its line, under the heading and the set's title.
void drawAnswerPage(QPainter& p, const content::ExerciseSet& compounds) {
    p.setPen(Ink);
    const QFont heading = sized(content::sansBold(), 16);
    p.setFont(heading);
    const qreal headingHeight = QFontMetricsF(heading).height();
    p.drawText(QRectF(Margin, Margin, Usable, headingHeight), Qt::AlignHCenter, answersHeading());
    const QFont titleFont = fitted(content::sansBold(), 11, {compounds.title()}, Usable);
    p.setFont(titleFont);
    const qreal titleTop = Margin + headingHeight + 2 * Mm;
    p.drawText(QRectF(Margin, titleTop, Usable, QFontMetricsF(titleFont).height()),
               Qt::AlignHCenter, compounds.title());
    drawFormulas(p, compounds, titleTop + 14 * Mm, PageHeight - Margin, true);
}

bool paintWorksheet(QIODevice& device, const ColumnOrder& homeRow,
                    const content::ExerciseSet& compounds, bool answers) {
    content::registerBundledFonts();
    QPdfWriter pdf(&device);
    pdf.setResolution(Resolution);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    pdf.setTitle(compounds.title());
    pdf.setCreator(QStringLiteral("onomatologia"));
    QPainter p;
    if (!p.begin(&pdf))
        return false;
    p.setRenderHint(QPainter::Antialiasing);
    const qreal formulasTop = drawHeader(p, compounds.title());
    const qreal namesTop = PageHeight - Margin - namesHeight();
    drawFormulas(p, compounds, formulasTop, namesTop - 6 * Mm);
    drawNames(p, compounds, namesTop, homeRow);
    if (answers) {
        if (!pdf.newPage())
            return false;
        drawAnswerPage(p, compounds);
    }
    return p.end();
}

// A file name of our own in the user's cache folder (the temporary folder when
// there is none), never one that exists already.
std::unique_ptr<QTemporaryFile> newWorksheetFile() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    if (folder.isEmpty() || !QDir().mkpath(folder))
        folder = QDir::tempPath();
    auto file = std::make_unique<QTemporaryFile>(folder + QStringLiteral("/worksheet-XXXXXX.pdf"));
    file->setAutoRemove(false);
    if (!file->open())
        return nullptr;
    return file;
}

} // namespace

QString title() {
    return exerciseTitle();
}
QString studentNameLabel() {
    return QStringLiteral(u"Ονοματεπώνυμο:");
}
QString classLabel() {
    return QStringLiteral(u"Τάξη:");
}
QString dateLabel() {
    return QStringLiteral(u"Ημερομηνία:");
}
QString instruction() {
    return QStringLiteral(
        u"Γράψτε κάτω από κάθε οργανική ένωση το όνομά της από τα ονόματα ενώσεων που ακολουθούν.");
}
QString namesHeading() {
    return QStringLiteral(u"Ονόματα ενώσεων");
}
QString answersHeading() {
    return QStringLiteral(u"Λύσεις");
}

bool writeWorksheet(const QString& path, const ColumnOrder& homeRow, QString* error,
                    const content::ExerciseSet& compounds, bool answers) {
    const auto fail = [error](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    if (!isColumnOrder(homeRow, compounds.size()))
        return fail(QStringLiteral(u"η σειρά της στήλης δεν έχει κάθε γραμμή μία φορά"));
    if (const QString reason = content::unwritableReason(path, true); !reason.isEmpty())
        return fail(reason);
    QSaveFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly))
        return fail(content::writeErrorText(errno));
    if (!paintWorksheet(file, homeRow, compounds, answers)) {
        const int why = errno;
        file.cancelWriting();
        return fail(content::writeErrorText(why));
    }
    if (!file.commit())
        return fail(content::writeErrorText(errno));
    return true;
}

void showWorksheet(const ColumnOrder& homeRow, const content::ExerciseSet& compounds) {
    // The school's server has the worksheet of the built-in exercise only.
    if (web::hasSchoolServer() && compounds.isBuiltIn()) {
        OpenWebPage(web::worksheetUrl(), web::ShowCommand::Show);
        return;
    }
    if (!isColumnOrder(homeRow, compounds.size()))
        return;
    const std::unique_ptr<QTemporaryFile> file = newWorksheetFile();
    if (!file)
        return;
    const bool written = paintWorksheet(*file, homeRow, compounds, false) && file->flush();
    file->close();
    if (!written) {
        file->remove();
        return;
    }
    // openUrl reports failure by its result only; a missing viewer stays silent.
    [[maybe_unused]] const bool opened =
        QDesktopServices::openUrl(QUrl::fromLocalFile(file->fileName()));
}

} // namespace worksheet
