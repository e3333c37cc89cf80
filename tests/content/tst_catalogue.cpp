// SPDX-License-Identifier: GPL-3.0-or-later
// The built-in catalogue: every one of its texts exactly as taught, no field
// absent, the window loading it afresh, its agreement with the name cards, and
// that every text fits the explanation window's labels.

#include "content/CardPictures.h"
#include "content/Catalogue.h"
#include "content/Fonts.h"
#include "exercise/Form1.h"
#include "shared/Module1.h"
#include "shared/TwipScale.h"

#include <QCryptographicHash>
#include <QFontMetrics>
#include <QTextLayout>
#include <QtTest>

#include <array>
#include <vector>

namespace {

constexpr int FieldCount = 9;
constexpr std::array<const char*, FieldCount> FieldNames{
    "FullName",  "CarbonPart",  "CarbonReason", "BondPart",      "BondReason",
    "ClassPart", "ClassReason", "PositionPart", "PositionReason"};

std::array<QString, FieldCount> fieldsOf(const NameInfo& r) {
    return {r.FullName,  r.CarbonPart,  r.CarbonReason, r.BondPart,      r.BondReason,
            r.ClassPart, r.ClassReason, r.PositionPart, r.PositionReason};
}

const std::array<NameInfo, 20>& table() {
    static const std::array<NameInfo, 20> t = content::compoundCatalogue();
    return t;
}

// The 180 texts as taught, code point for code point (Latin "C", "H" and "o"
// hidden among Greek letters, row 11's doubled first word, the three empty
// position fields and all): SHA-256 over rows 0 to 19, each row's nine fields in the
// order of FieldNames, each text as UTF-8 followed by the byte 0x1F, so that
// a text moved into the next field changes the digest too.
constexpr char TaughtTableSha256[] =
    "c975b220b84db6b3163d05e4f88b670b3c7060f0ad1100fa2a9d7cfeb9665882";

// To say where a difference lies: per row, the first eight hex digits of the
// SHA-256 of each field's UTF-8 text, in the order of FieldNames.
constexpr std::array<const char*, 20> TaughtFieldDigests{
    "16f293a7 8788e04d 5410558b f2e5907b 1c58c049 349a47fe 4bc517c9 ef96f1f6 bb953f57",
    "964df1f7 fd43417c 503f7705 fafabb7c e10f5b7e 349a47fe ba23e082 7a7e08bc e44d631e",
    "0b720a07 fd43417c 503f7705 fafabb7c e10f5b7e 349a47fe 3730254f 779420e9 87d832dc",
    "f0df224a f890f353 92c96aec b48b556d e7a79652 349a47fe 4bc517c9 6b86b273 805303aa",
    "6245d447 ec436ac4 146e95f9 fafabb7c e10f5b7e 349a47fe 4bc517c9 090f3499 da6196f2",
    "111cda79 8788e04d 5410558b 13b80fc4 a90f6622 349a47fe 4bc517c9 d4735e3a 16909cae",
    "26d12485 fd43417c 503f7705 23eff6f6 e10f5b7e 1f333752 49159cba a4cb1620 985424e8",
    "89f0ba77 8788e04d 5410558b fafabb7c e10f5b7e 349a47fe 4bc517c9 4102293d b5332092",
    "2cf75168 8788e04d 5410558b c3795f0a e7a79652 1f333752 49159cba 4e074085 2433497a",
    "2acf91a5 f890f353 92c96aec 23eff6f6 e10f5b7e bf66a408 db6e1f5d 3d8a8727 3ebaa832",
    "0ac1bf7a f890f353 92c96aec 23eff6f6 e10f5b7e bf66a408 db6e1f5d 4e074085 5edeebc3",
    "4d1d1135 f890f353 92c96aec a81bce63 ee9e1948 7940d0a8 c68c3678 aa78828f d75b3e47",
    "4b78c4c2 ec436ac4 146e95f9 f2e5907b 1c58c049 349a47fe 3730254f aa2c5f04 3b63dca3",
    "332324fa 8f52a92e a883ade7 23eff6f6 e10f5b7e 961a3cf1 99b25db2 e3b0c442 e3b0c442",
    "7d9d3f80 8f52a92e a883ade7 23eff6f6 e10f5b7e 8ec936f9 3cb0da9f 38ee2c5e fbf937b2",
    "38cb9637 fd43417c 503f7705 23eff6f6 e10f5b7e 1f333752 49159cba 98dbaa8a 8e2cfd91",
    "3efe58ec 8f52a92e a883ade7 23eff6f6 e10f5b7e 349a47fe f393fc6f fe786f63 aa0bbadc",
    "1e7a45d5 8788e04d 5410558b fafabb7c e10f5b7e 349a47fe 4bc517c9 8ea4024b 00e506c9",
    "26237232 fd43417c 503f7705 23eff6f6 e10f5b7e 1f333752 49159cba e3b0c442 e3b0c442",
    "4fec0861 fd43417c 503f7705 fafabb7c e10f5b7e 349a47fe 4bc517c9 e3b0c442 e3b0c442",
};

QByteArray sha256Hex(const QByteArray& bytes) {
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
}

QByteArray tableDigest(const std::array<NameInfo, 20>& rows) {
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (const NameInfo& r : rows) {
        for (const QString& t : fieldsOf(r)) {
            hash.addData(t.toUtf8());
            hash.addData(QByteArrayView("\x1f", 1));
        }
    }
    return hash.result().toHex();
}

// The label sizes of the explanation window, in twips.
constexpr double ReasonWidth = 6375, ReasonHeight = 615;
constexpr double FragmentWidth = 3495, FragmentHeight = 315;
constexpr double LabelPoints = 12;

struct Wrapped {
    int lines = 0;
    qreal widest = 0;
    qreal height = 0;
};

// Lays the text out the way a word-wrapping label does.
Wrapped wrap(const QString& text, const QFont& font, int width) {
    QTextLayout layout(text, font);
    QTextOption option(Qt::AlignLeft);
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    Wrapped w;
    const QFontMetricsF fm(font);
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        line.setPosition(QPointF(0, w.height));
        w.height += fm.lineSpacing();
        w.widest = std::max(w.widest, line.naturalTextWidth());
        ++w.lines;
    }
    layout.endLayout();
    // The last line needs only its own height, not the spacing below it.
    if (w.lines > 0)
        w.height -= fm.lineSpacing() - fm.height();
    return w;
}

} // namespace

class TestCatalogue : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { content::registerBundledFonts(); }

    void textsAreExactlyAsTaught();
    void theWindowLoadsTheTableAfreshEachTime();
    void reasonsFitTwoLinesOfTheirLabel_data();
    void reasonsFitTwoLinesOfTheirLabel();
    void fragmentsFitOneLineOfTheirLabel_data();
    void fragmentsFitOneLineOfTheirLabel();
};

void TestCatalogue::textsAreExactlyAsTaught() {
    // Field by field first, so that a failure names the row and field that differ.
    for (int row = 0; row < 20; ++row) {
        const NameInfo& r = table()[size_t(row)];
        const QList<QByteArray> taught = QByteArray(TaughtFieldDigests[size_t(row)]).split(' ');
        QCOMPARE(taught.size(), FieldCount);
        const auto fields = fieldsOf(r);
        for (int f = 0; f < FieldCount; ++f) {
            const QString& t = fields[size_t(f)];
            const QByteArray where = QStringLiteral("row %1 %2: \"%3\"")
                                         .arg(row)
                                         .arg(QLatin1String(FieldNames[size_t(f)]), t)
                                         .toUtf8();
            // Empty, never absent: a null QString would be a different value.
            QVERIFY2(!t.isNull(), where.constData());
            QVERIFY2(sha256Hex(t.toUtf8()).left(8) == taught[f],
                     ("differs from the text as taught, " + where).constData());
        }
        // The name card shows its row's full name.
        QCOMPARE(content::nameText(row), r.FullName);
    }
    // Then the whole table, which no changed character escapes.
    QCOMPARE(tableDigest(table()), QByteArray(TaughtTableSha256));
}

void TestCatalogue::theWindowLoadsTheTableAfreshEachTime() {
    {
        Form1 form;
        QCOMPARE(tableDigest(Module1::CompoundNames), QByteArray(TaughtTableSha256));
    }
    // Spoil the shared table; a second start-up must build it afresh, not
    // append to it or keep what it holds.
    Module1::CompoundNames[0].FullName += QStringLiteral("x");
    Module1::CompoundNames[19] = NameInfo{};
    {
        Form1 form;
        QCOMPARE(tableDigest(Module1::CompoundNames), QByteArray(TaughtTableSha256));
    }
}

// The window's scale depends on the screen: full size, the factor the exercise
// window picks on this screen, and a few smaller ones.
static void addScaledRows(const char* what) {
    QTest::addColumn<int>("row");
    QTest::addColumn<double>("fit");
    std::vector<double> fits{1.0, 0.9, 0.75, 0.6};
    {
        Form1 form;
        fits.push_back(form.scale().fit());
    }
    for (double fit : fits)
        for (int row = 0; row < 20; ++row)
            QTest::addRow("%s_row%02d_fit%03d", what, row, int(std::lround(fit * 100)))
                << row << fit;
}

void TestCatalogue::reasonsFitTwoLinesOfTheirLabel_data() {
    addScaledRows("reasons");
}

void TestCatalogue::reasonsFitTwoLinesOfTheirLabel() {
    QFETCH(int, row);
    QFETCH(double, fit);
    const TwipScale scale(fit);
    const QFont font = scale.font(content::sansBold(), LabelPoints);
    QVERIFY(QFontInfo(font).family().startsWith(QStringLiteral("Liberation Sans")));
    const QSize label = scale.size(ReasonWidth, ReasonHeight);
    const NameInfo& r = table()[size_t(row)];
    for (const QString& reason : {r.CarbonReason, r.BondReason, r.ClassReason, r.PositionReason}) {
        const Wrapped w = wrap(reason, font, label.width());
        QVERIFY2(w.lines <= 2, qPrintable(reason));
        QVERIFY2(w.widest <= label.width(), qPrintable(reason));
        QVERIFY2(w.height <= label.height(), qPrintable(reason));
        // The label's own measure agrees.
        const QRect box = QFontMetrics(font).boundingRect(
            QRect(0, 0, label.width(), 10 * label.height()),
            Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, reason);
        QVERIFY2(box.width() <= label.width() && box.height() <= label.height(),
                 qPrintable(reason));
    }
}

void TestCatalogue::fragmentsFitOneLineOfTheirLabel_data() {
    addScaledRows("fragments");
}

void TestCatalogue::fragmentsFitOneLineOfTheirLabel() {
    QFETCH(int, row);
    QFETCH(double, fit);
    const TwipScale scale(fit);
    const QFont font = scale.font(content::sansBold(), LabelPoints);
    const QFontMetrics fm(font);
    const QSize label = scale.size(FragmentWidth, FragmentHeight);
    const NameInfo& r = table()[size_t(row)];
    QVERIFY(fm.height() <= label.height());
    for (const QString& part : {r.CarbonPart, r.BondPart, r.ClassPart, r.PositionPart})
        QVERIFY2(fm.horizontalAdvance(part) <= label.width(), qPrintable(part));
}

QTEST_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
