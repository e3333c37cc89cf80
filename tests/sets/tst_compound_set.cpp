// SPDX-License-Identifier: GPL-3.0-or-later
// A teacher's CSV file read into a set of compounds, without a window: what
// LibreOffice Calc and Excel save (separators, quotes, line ends, byte-order
// mark, Windows-1253), every kind of problem with its row and column, and a
// set written out reading back the same.

#include "content/sets/CompoundSet.h"
#include "content/sets/Windows1253.h"

#include <QTest>

using namespace content;

namespace {

const char* const Header =
    "Τύπος;Όνομα;Άτομα άνθρακα;Αιτιολογία;Είδος δεσμών μεταξύ ατόμων C;Αιτιολογία;"
    "Είδος ένωσης;Αιτιολογία;Θέση και είδος δεσμών και υποκαταστατών;Αιτιολογία";

const char* const Methane =
    "CH4;μεθάνιο;μεθ;γιατί έχει 1 άτομο C;άν;γιατί είναι κορεσμένη;ιο;γιατί είναι "
    "υδρογονάνθρακας;;";
const char* const Ethane =
    "CH3CH3;αιθάνιο;αιθ;γιατί έχει 2 άτομα C;άν;γιατί είναι κορεσμένη;ιο;γιατί είναι "
    "υδρογονάνθρακας;;";
const char* const Butyne =
    "CH≡CCH2CH3;1-βουτίνιο;βουτ;γιατί έχει 4 άτομα C;ίν;γιατί έχει τριπλό δεσμό;ιο;γιατί είναι "
    "υδρογονάνθρακας;1;γιατί ο τριπλός δεσμός είναι στο 1ο άτομο C";

QByteArray file(const QList<QByteArray>& rows, const char* separator = ";",
                const char* lineEnd = "\n") {
    QByteArray out;
    for (const QByteArray& r : rows)
        out += QByteArray(r).replace(";", separator) + lineEnd;
    return out;
}

QString problemsOf(const SetReading& r) {
    QStringList all;
    for (const SetProblem& p : r.problems)
        all << QString::fromStdString(describeSetProblem(p));
    return all.join(u'\n');
}

} // namespace

class TestCompoundSet : public QObject {
    Q_OBJECT

private slots:
    // What a spreadsheet saves reads as the same three compounds.
    void readsWhatASpreadsheetSaves_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("title");
        const QList<QByteArray> plain = {Header, Methane, Ethane, Butyne};
        QTest::addRow("semicolons, LF") << file(plain) << "αλκάνια";
        QTest::addRow("commas") << file(plain, ",") << "αλκάνια";
        QTest::addRow("tabs") << file(plain, "\t") << "αλκάνια";
        QTest::addRow("CRLF") << file(plain, ";", "\r\n") << "αλκάνια";
        QTest::addRow("byte-order mark") << "\xEF\xBB\xBF" + file(plain) << "αλκάνια";
        QTest::addRow("title row")
            << file({"Τα πρώτα;;;;;;;;;", Header, Methane, Ethane, Butyne}) << "Τα πρώτα";
        // A title may hold any separator; the header says which one the file uses.
        QTest::addRow("a title full of semicolons in a file of commas")
            << "α;β;γ;δ;ε;ζ;η;θ;ι;κ\n" + file(plain, ",") << "α;β;γ;δ;ε;ζ;η;θ;ι;κ";
        QTest::addRow("Excel's sep line") << "sep=,\r\n" + file(plain, ",", "\r\n") << "αλκάνια";
        QTest::addRow("blank rows and rows of separators")
            << file({Header, "", Methane, ";;;;;;;;;", Ethane, "  ", Butyne}) << "αλκάνια";
        QTest::addRow("empty fields after the tenth")
            << file({Header + QByteArray(";;"), Methane + QByteArray(";;;"), Ethane, Butyne})
            << "αλκάνια";
        QTest::addRow("spaces and no-break spaces around fields")
            << file({Header,
                     " CH4 ;\xC2\xA0μεθάνιο\xC2\xA0;μεθ;γιατί έχει 1 άτομο C;άν;γιατί "
                     "είναι κορεσμένη;ιο;γιατί είναι υδρογονάνθρακας;;",
                     Ethane, Butyne})
            << "αλκάνια";
        QTest::addRow("quoted fields, doubled quotes")
            << file({Header,
                     "\"CH4\";\"μεθάνιο\";μεθ;\"γιατί έχει 1 άτομο C\";άν;γιατί είναι "
                     "κορεσμένη;ιο;\"γιατί είναι υδρογονάνθρακας\";;",
                     Ethane, Butyne})
            << "αλκάνια";
        QTest::addRow("Windows-1253")
            << QByteArray("\xd4\xfd\xf0\xef\xf2;\xbc\xed\xef\xec\xe1;\xa2\xf4\xef\xec\xe1 "
                          "\xdc\xed\xe8\xf1\xe1"
                          "\xea\xe1;\xc1\xe9\xf4\xe9\xef\xeb\xef\xe3\xdf\xe1;\xc5\xdf\xe4\xef\xf2 "
                          "\xe4\xe5\xf3"
                          "\xec\xfe\xed \xec\xe5\xf4\xe1\xee\xfd \xe1\xf4\xfc\xec\xf9\xed "
                          "C;\xc1\xe9\xf4\xe9"
                          "\xef\xeb\xef\xe3\xdf\xe1;\xc5\xdf\xe4\xef\xf2 "
                          "\xdd\xed\xf9\xf3\xe7\xf2;\xc1\xe9\xf4"
                          "\xe9\xef\xeb\xef\xe3\xdf\xe1;\xc8\xdd\xf3\xe7 \xea\xe1\xe9 "
                          "\xe5\xdf\xe4\xef\xf2 \xe4"
                          "\xe5\xf3\xec\xfe\xed \xea\xe1\xe9 "
                          "\xf5\xf0\xef\xea\xe1\xf4\xe1\xf3\xf4\xe1\xf4\xfe"
                          "\xed;\xc1\xe9\xf4\xe9\xef\xeb\xef\xe3\xdf\xe1\x0a"
                          "CH4;\xec\xe5\xe8\xdc\xed\xe9\xef"
                          ";;;;;;;;\x0a"
                          "CH3CH3;\xe1\xe9\xe8\xdc\xed\xe9\xef;;;;;;;;\x0a"
                          "CH#CCH2CH3;1-\xe2"
                          "\xef\xf5\xf4\xdf\xed\xe9\xef;;;;;;;;\x0a")
            << "αλκάνια";
    }
    void readsWhatASpreadsheetSaves() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, title);
        const SetReading r = readCompoundSet(bytes.toStdString(), "αλκάνια.csv");
        QVERIFY2(r.ok() && r.problems.empty(), qPrintable(problemsOf(r)));
        QCOMPARE(QString::fromStdString(r.set.title), title);
        QCOMPARE(r.set.compounds.size(), std::size_t(3));
        QCOMPARE(QString::fromStdString(r.set.compounds[0].name), QStringLiteral(u"μεθάνιο"));
        QCOMPARE(QString::fromStdString(r.set.compounds[2].name), QStringLiteral(u"1-βουτίνιο"));
        QCOMPARE(r.set.compounds[2].formula.mainRow[1].bond, Bond::Triple);
    }

    // Every problem: where it is and words of what to do.
    void everyProblemIsToldWithItsRowAndColumn_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("words");
        QTest::addColumn<bool>("warning");
        QTest::addRow("UTF-16") << QByteArray("\xFF\xFE"
                                              "T\0")
                                << 0 << 0 << u"αποθηκεύστε το ως CSV UTF-8"_qs << false;
        QTest::addRow("byte Windows-1253 leaves undefined")
            << QByteArray("\xd4\xfd\xf0\xef\xf2;\xbc\xed\xef\xec\xe1;\xa2\xf4\xef\xec\xe1 "
                          "\xdc\xed\xe8\xf1\xe1\xea\xe1;\xc1\xe9\xf4\xe9\xef\xeb\xef\xe3\xdf\xe1;"
                          "\xc5\xdf\xe4\xef\xf2 \xe4\xe5\xf3\xec\xfe\xed \xec\xe5\xf4\xe1\xee\xfd "
                          "\xe1\xf4\xfc\xec\xf9\xed "
                          "C;\xc1\xe9\xf4\xe9\xef\xeb\xef\xe3\xdf\xe1;\xc5\xdf\xe4\xef\xf2 "
                          "\xdd\xed\xf9\xf3\xe7\xf2;\xc1\xe9\xf4\xe9\xef\xeb\xef\xe3\xdf\xe1;"
                          "\xc8\xdd\xf3\xe7 \xea\xe1\xe9 \xe5\xdf\xe4\xef\xf2 "
                          "\xe4\xe5\xf3\xec\xfe\xed \xea\xe1\xe9 "
                          "\xf5\xf0\xef\xea\xe1\xf4\xe1\xf3\xf4\xe1\xf4\xfe\xed;"
                          "\xc1\xe9\xf4\xe9\xef\xeb\xef\xe3\xdf\xe1\nCH4;"
                          "\xec\xe5\xe8\xdc\xed\xe9\xef\x81;;;;;;;;\n")
            << 2 << 0 << u"ούτε UTF-8 ούτε Windows-1253"_qs << false;
        QTest::addRow("fewer than ten fields")
            << file({Header, "CH4;μεθάνιο;μεθ;γιατί έχει 1 άτομο C", Ethane}) << 2 << 0
            << u"λείπουν οι «Είδος δεσμών μεταξύ ατόμων C»"_qs << false;
        QTest::addRow("an eleventh field") << file({Header, Methane + QByteArray(";x"), Ethane})
                                           << 2 << 11 << u"μετά τη δέκατη"_qs << false;
        QTest::addRow("a line break in a cell")
            << file({Header, "CH4;\"μεθά\nνιο\";;;;;;;;", Ethane}) << 2 << 2 << u"αλλαγή γραμμής"_qs
            << false;
        QTest::addRow("no formula") << file({Header, ";μεθάνιο;;;;;;;;", Ethane}) << 2 << 1
                                    << u"λείπει ο τύπος"_qs << false;
        QTest::addRow("no name") << file({Header, "CH4;;;;;;;;;", Ethane}) << 2 << 2
                                 << u"λείπει το όνομα"_qs << false;
        QTest::addRow("part without reason") << file({Header, "CH4;μεθάνιο;μεθ;;;;;;;", Ethane})
                                             << 2 << 4 << u"λείπει η αιτιολογία"_qs << false;
        QTest::addRow("reason without part")
            << file({Header, "CH4;μεθάνιο;;;;;;;;γιατί", Ethane}) << 2 << 9
            << u"υπάρχει αιτιολογία χωρίς το μέρος"_qs << false;
        QTest::addRow("formula mistake")
            << file({Header, "CH3CL;χλωρομεθάνιο;;;;;;;;", Ethane}) << 2 << 1
            << u"στον 5ο χαρακτήρα: άγνωστο σύμβολο"_qs << false;
        QTest::addRow("triple bond lost in saving")
            << file({Header, "CH?CH;αιθίνιο;;;;;;;;", Ethane}) << 2 << 1
            << u"τριπλός δεσμός που χάθηκε"_qs << false;
        QTest::addRow("a name twice") << file({Header, Methane, Ethane, "CH≡CH;μεθάνιο;;;;;;;;"})
                                      << 4 << 2 << u"υπάρχει ήδη, όπως στη γραμμή 2"_qs << false;
        QTest::addRow("a formula twice, written otherwise")
            << file({Header, Methane, Ethane, "CH₃CH₃;ξανά αιθάνιο;;;;;;;;"}) << 4 << 1
            << u"υπάρχει ήδη, όπως στη γραμμή 3"_qs << false;
        for (const char* end : {"\n", "\r\n", "\r"})
            QTest::addRow("a bad byte on row 3, rows ended %s", end == std::string_view("\r") ? "CR"
                                                                : end == std::string_view("\n")
                                                                    ? "LF"
                                                                    : "CRLF")
                << QByteArray("a;b") + end + "c;d" + end + "e;f\x81g\x81" + end + "h" + end << 3
                << 0
                << u"ο χαρακτήρας 4 της γραμμής δεν είναι ούτε UTF-8 ούτε Windows-1253 (και 1 ακόμη"_qs
                << false;
        QTest::addRow("one compound")
            << file({Header, Methane}) << 0 << 0 << u"το σύνολο έχει 1 ένωση"_qs << false;
        QByteArray many = QByteArray(Header) + "\n";
        for (int k = 0; k < 21; ++k)
            many += "CH3" + QByteArray("CH2").repeated(k) + "CH3;ένωση " + QByteArray::number(k) +
                    ";;;;;;;;\n";
        QTest::addRow("twenty-one compounds") << many << 0 << 0 << u"έχει 21 ενώσεις"_qs << false;
        QTest::addRow("a field over 300 characters")
            << file({Header, "CH4;" + QByteArray(301, 'x') + ";;;;;;;;", Ethane}) << 2 << 2
            << u"το κελί έχει 301 χαρακτήρες"_qs << false;
        QTest::addRow("a file over 1 MiB")
            << QByteArray(1024 * 1024 + 1, ';') << 0 << 0 << u"μεγαλύτερο από 1 MiB"_qs << false;
        QTest::addRow("no header of ten columns")
            << file({"Τύπος;Όνομα", Methane}) << 1 << 0 << u"αντί για 10"_qs << false;
        QTest::addRow("a header in other words, a warning")
            << file({QByteArray(Header).replace("Όνομα", "Ονομασία"), Methane, Ethane}) << 1 << 2
            << u"«Ονομασία» αντί για «Όνομα»"_qs << true;
        QTest::addRow("1,3 turned into 13, a warning")
            << file({Header, Methane,
                     "CH2=CHCH=CH2;1,3-βουταδιένιο;;;;;;;13;γιατί έχει διπλούς δεσμούς στο 1ο και "
                     "3ο άτομο C"})
            << 3 << 9 << u"«13» δεν υπάρχει στο όνομα"_qs << true;
    }
    void everyProblemIsToldWithItsRowAndColumn() {
        QFETCH(QByteArray, bytes);
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QString, words);
        QFETCH(bool, warning);
        const SetReading r = readCompoundSet(
            std::string_view(bytes.data(), std::size_t(bytes.size())), "σύνολο.csv");
        QCOMPARE(r.ok(), warning);
        const auto told =
            std::find_if(r.problems.begin(), r.problems.end(), [&](const SetProblem& p) {
                return QString::fromStdString(p.message).contains(words);
            });
        QVERIFY2(told != r.problems.end(), qPrintable(problemsOf(r)));
        QCOMPARE(told->row, row);
        QCOMPARE(told->column, column);
        QCOMPARE(told->warning, warning);
    }

    // How a problem reads: the row, the column by its header and letter.
    void aProblemReadsWithItsRowAndColumnName() {
        QCOMPARE(QString::fromStdString(describeSetProblem({5, 4, "λείπει", false})),
                 QStringLiteral(u"γραμμή 5, «Αιτιολογία» (D): λείπει"));
        QCOMPARE(QString::fromStdString(describeSetProblem({0, 0, "κενό", true})),
                 QStringLiteral(u"προσοχή: κενό"));
    }

    // Written out and read again, a set is the same, "≡" written "#".
    void aSetWrittenOutReadsBackTheSame() {
        const SetReading first =
            readCompoundSet(file({"Τα πρώτα;;;;;;;;;", Header, Methane, Ethane, Butyne,
                                  "CH3CH2OH;αιθανόλη;αιθ;\"γιατί; έχει \"\"2\"\"\";αν;x;όλη;y;;"})
                                .toStdString(),
                            "x.csv");
        QVERIFY2(first.ok(), qPrintable(problemsOf(first)));
        const std::string written = writeCompoundSet(first.set);
        QVERIFY(written.starts_with("\xEF\xBB\xBF"));
        QVERIFY(written.find("CH#CCH2CH3") != std::string::npos);
        QVERIFY(written.find("≡") == std::string::npos);
        const SetReading again = readCompoundSet(written, "y.csv");
        QVERIFY2(again.ok() && again.problems.empty(), qPrintable(problemsOf(again)));
        QCOMPARE(again.set.title, first.set.title);
        QCOMPARE(again.set.compounds.size(), first.set.compounds.size());
        for (std::size_t i = 0; i < first.set.compounds.size(); ++i) {
            QCOMPARE(again.set.compounds[i].name, first.set.compounds[i].name);
            QVERIFY(again.set.compounds[i].formula == first.set.compounds[i].formula);
            QVERIFY(again.set.compounds[i].parts == first.set.compounds[i].parts);
        }
        QCOMPARE(again.set.compounds[3].parts[0].reason, std::string("γιατί; έχει \"2\""));
    }

    // The code page as Greek Excel writes it: letters, accents, undefined bytes.
    void windows1253ReadsGreek_data() {
        QTest::addColumn<int>("byte");
        QTest::addColumn<uint>("character");
        QTest::addRow("capital alpha") << 0xC1 << 0x391u;
        QTest::addRow("capital rho") << 0xD1 << 0x3A1u;
        QTest::addRow("capital sigma after the hole") << 0xD3 << 0x3A3u;
        QTest::addRow("alpha with tonos") << 0xDC << 0x3ACu;
        QTest::addRow("capital alpha with tonos") << 0xA2 << 0x386u;
        QTest::addRow("final sigma") << 0xF2 << 0x3C2u;
        QTest::addRow("omega with tonos") << 0xFE << 0x3CEu;
        QTest::addRow("euro") << 0x80 << 0x20ACu;
        QTest::addRow("no-break space") << 0xA0 << 0xA0u;
        QTest::addRow("ASCII") << 0x41 << 0x41u;
        QTest::addRow("undefined D2") << 0xD2 << 0u;
        QTest::addRow("undefined FF") << 0xFF << 0u;
        QTest::addRow("undefined AA") << 0xAA << 0u;
        QTest::addRow("undefined 81") << 0x81 << 0u;
    }
    void windows1253ReadsGreek() {
        QFETCH(int, byte);
        QFETCH(uint, character);
        QCOMPARE(uint(windows1253(static_cast<unsigned char>(byte))), character);
    }
};

QTEST_MAIN(TestCompoundSet)
#include "tst_compound_set.moc"
