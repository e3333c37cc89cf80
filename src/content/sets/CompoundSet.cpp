// SPDX-License-Identifier: GPL-3.0-or-later
#include "content/sets/CompoundSet.h"

#include "content/notation/NotationText.h"
#include "content/sets/CsvRows.h"
#include "content/sets/SetText.h"

#include <algorithm>
#include <map>

namespace content {

namespace {

std::size_t codePoints(std::string_view utf8) {
    return std::size_t(std::count_if(utf8.begin(), utf8.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

std::string quoted(std::string_view text) {
    return "«" + std::string(text) + "»";
}

std::string titleFromFileName(std::string_view name) {
    if (name.size() > 4) {
        const std::string_view end = name.substr(name.size() - 4);
        if (end == ".csv" || end == ".CSV")
            name.remove_suffix(4);
    }
    return std::string(name);
}

// A Greek letter without its accent or diaeresis, and in small letters: a
// part of a name is found in the name however it is accented.
char32_t plainLetter(char32_t c) {
    static constexpr std::pair<char32_t, char32_t> accented[] = {
        {U'ά', U'α'}, {U'έ', U'ε'}, {U'ή', U'η'}, {U'ί', U'ι'}, {U'ό', U'ο'}, {U'ύ', U'υ'},
        {U'ώ', U'ω'}, {U'ϊ', U'ι'}, {U'ΐ', U'ι'}, {U'ϋ', U'υ'}, {U'ΰ', U'υ'}, {U'Ά', U'α'},
        {U'Έ', U'ε'}, {U'Ή', U'η'}, {U'Ί', U'ι'}, {U'Ό', U'ο'}, {U'Ύ', U'υ'}, {U'Ώ', U'ω'}};
    for (const auto& [from, to] : accented)
        if (c == from)
            return to;
    if (c >= U'Α' && c <= U'Ω')
        return c + (U'α' - U'Α');
    return c;
}

std::u32string plain(std::string_view utf8) {
    std::u32string out = decodeUtf8(utf8);
    for (char32_t& c : out)
        c = plainLetter(c);
    return out;
}

// Whether a part of a name stands in the name: letters in parentheses, as in
// "(α)διέν", may be missing, "..." may stand for letters left out, and
// accents do not count.
bool partOfName(std::string_view part, std::string_view name) {
    const std::u32string whole = plain(name);
    std::u32string piece;
    std::size_t from = 0;
    const auto found = [&] {
        while (!piece.empty() && piece.back() == U' ')
            piece.pop_back();
        std::size_t start = 0;
        while (start < piece.size() && piece[start] == U' ')
            ++start;
        if (start == piece.size()) {
            piece.clear();
            return true;
        }
        const std::size_t at = whole.find(piece.substr(start), from);
        if (at == std::u32string::npos)
            return false;
        from = at + piece.size() - start;
        piece.clear();
        return true;
    };
    int depth = 0;
    const std::u32string text = plain(part);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char32_t c = text[i];
        if (c == U'(') {
            ++depth;
        } else if (c == U')') {
            depth = std::max(0, depth - 1);
        } else if (c == U'…' || (c == U'.' && text.compare(i, 3, U"...") == 0)) {
            if (!found())
                return false;
            if (c == U'.')
                i += 2;
        } else if (depth == 0) {
            piece += c;
        }
    }
    return found();
}

class SetBuilder {
public:
    explicit SetBuilder(SetReading& out) : out_(out) {}

    void tell(int row, int column, std::string message, bool warning = false) {
        errors_ += warning ? 0 : 1;
        out_.add({row, column, std::move(message), warning});
    }

    bool fieldsFit(const std::vector<CsvRow>& rows) {
        bool fit = true;
        for (const CsvRow& r : rows)
            for (std::size_t f = 0; f < r.fields.size(); ++f)
                if (const std::size_t n = codePoints(r.fields[f]); n > MaxSetFieldLength) {
                    tell(r.row, int(f + 1),
                         "το κελί έχει " + std::to_string(n) + " χαρακτήρες, ενώ δεκτά είναι έως " +
                             std::to_string(MaxSetFieldLength) + " — γράψτε το συντομότερα");
                    fit = false;
                }
        return fit;
    }

    void header(const CsvRow& row) {
        for (std::size_t c = 0; c < SetColumns.size(); ++c)
            if (c < row.fields.size() && row.fields[c] != SetColumns[c]) {
                tell(row.row, int(c + 1),
                     "η επικεφαλίδα γράφει " + quoted(row.fields[c]) + " αντί για " +
                         quoted(SetColumns[c]) +
                         " — οι στήλες διαβάζονται με τη σειρά τους, ελέγξτε ότι είναι αυτή",
                     true);
                return;
            }
    }

    void compound(const CsvRow& row) {
        if (row.fields.size() < SetColumns.size()) {
            std::string missing;
            for (std::size_t c = row.fields.size(); c < SetColumns.size(); ++c)
                missing += (missing.empty() ? "" : ", ") + quoted(SetColumns[c]);
            tell(row.row, 0,
                 "η γραμμή έχει " + std::to_string(row.fields.size()) + " στήλες — λείπουν οι " +
                     missing);
            return;
        }
        for (std::size_t c = SetColumns.size(); c <= row.fields.size(); ++c)
            if (c == row.fields.size() ? row.moreFields : !row.fields[c].empty()) {
                tell(row.row, int(c + 1),
                     "η γραμμή έχει στήλη μετά τη δέκατη — μάλλον ένα κελί περιέχει το "
                     "διαχωριστικό· βάλτε το κελί σε εισαγωγικά ή αφαιρέστε το");
                break;
            }
        for (const int f : row.brokenFields)
            tell(row.row, f, "το κελί έχει αλλαγή γραμμής — γράψτε το σε μία γραμμή");
        const std::size_t errorsBefore = errors_;
        Compound c;
        c.row = row.row;
        c.formulaText = row.fields[0];
        c.name = row.fields[1];
        if (c.formulaText.empty())
            tell(row.row, 1, "λείπει ο τύπος — γράψτε τον, π.χ. CH3CH2OH");
        else
            formula(row.row, c);
        if (c.name.empty())
            tell(row.row, 2, "λείπει το όνομα — γράψτε το όνομα της ένωσης");
        for (std::size_t k = 0; k < c.parts.size(); ++k) {
            const int column = int(2 + 2 * k + 1);
            NamePart& p = c.parts[k];
            p.part = row.fields[std::size_t(column - 1)];
            p.reason = row.fields[std::size_t(column)];
            if (p.part.empty() != p.reason.empty()) {
                tell(row.row, p.part.empty() ? column : column + 1,
                     p.part.empty() ? "υπάρχει αιτιολογία χωρίς το μέρος του ονόματος — "
                                      "γράψτε το μέρος ή σβήστε και την αιτιολογία"
                                    : "λείπει η αιτιολογία — γράψτε την ή σβήστε και το μέρος "
                                      "του ονόματος");
            } else if (!p.part.empty() && !c.name.empty() && !partOfName(p.part, c.name)) {
                tell(row.row, column,
                     quoted(p.part) + " δεν υπάρχει στο όνομα " + quoted(c.name) +
                         " — ελέγξτε το· ένα υπολογιστικό φύλλο μπορεί να έκανε το 1,3 αριθμό "
                         "13 (μορφοποιήστε τη στήλη ως κείμενο)",
                     true);
            }
        }
        if (errors_ == errorsBefore)
            out_.set.compounds.push_back(std::move(c));
    }

    void formula(int row, Compound& c) {
        std::string text = c.formulaText;
        // Saved in a code page without "≡", a spreadsheet writes "?" instead.
        for (std::size_t i = 0; i < text.size(); ++i)
            if (text[i] == '?') {
                tell(row, 1,
                     "το «?» στον " + std::to_string(codePoints(text.substr(0, i)) + 1) +
                         "ο χαρακτήρα είναι μάλλον τριπλός δεσμός που χάθηκε στην αποθήκευση — "
                         "γράψτε # στη θέση του");
                text[i] = '#';
            }
        FormulaParse parsed = parseFormula(text);
        for (const NotationProblem& p : parsed.problems)
            tell(row, 1, "στον " + std::to_string(p.column) + "ο χαρακτήρα: " + p.message);
        c.formula = std::move(parsed.formula);
    }

    void wholeSet() {
        // Each name and formula with the row it stands in first.
        std::map<std::string, int> names, formulas;
        for (const Compound& c : out_.set.compounds) {
            if (const auto [at, first] = names.emplace(c.name, c.row); !first)
                tell(c.row, 2,
                     "το όνομα " + quoted(c.name) + " υπάρχει ήδη, όπως στη γραμμή " +
                         std::to_string(at->second) + " — κάθε όνομα μία φορά");
            if (const auto [at, first] = formulas.emplace(writeNotation(c.formula), c.row); !first)
                tell(c.row, 1,
                     "ο τύπος " + quoted(c.formulaText) + " υπάρχει ήδη, όπως στη γραμμή " +
                         std::to_string(at->second) + " — κάθε τύπος μία φορά");
        }
    }

private:
    SetReading& out_;
    std::size_t errors_ = 0; // every error told, built or only counted
};

} // namespace

std::string setFileTooLargeMessage() {
    return "το αρχείο είναι μεγαλύτερο από 1 MiB — ένα σύνολο ενώσεων χωράει σε πολύ λιγότερο· "
           "ελέγξτε ότι είναι το σωστό αρχείο";
}

SetReading readCompoundSet(std::string_view bytes, std::string_view fileName) {
    SetReading out;
    out.set.title = titleFromFileName(fileName);
    SetBuilder b(out);
    if (bytes.size() > MaxSetFileBytes) {
        b.tell(0, 0, setFileTooLargeMessage());
        return out;
    }
    SetText text = decodeSetBytes(bytes);
    static_cast<SetProblems&>(out) = std::move(text.problems);
    if (!out.ok())
        return out;
    const CsvTable table = readCsv(text.utf8, SetColumns);
    if (table.moreRows) {
        b.tell(0, 0,
               "το αρχείο έχει περισσότερες από " + std::to_string(MaxCsvRows) +
                   " γραμμές — ένα σύνολο έχει έως " + std::to_string(MaxSetSize) +
                   " ενώσεις· ελέγξτε ότι είναι το σωστό αρχείο");
        return out;
    }
    if (!b.fieldsFit(table.rows))
        return out;
    std::size_t at = 0;
    if (table.rows.size() > 1 && isTitleRow(table.rows[0]) && usedFields(table.rows[1]) > 1)
        out.set.title = table.rows[at++].fields[0];
    if (at >= table.rows.size()) {
        b.tell(0, 0,
               "το αρχείο δεν έχει γραμμή επικεφαλίδων — ξεκινήστε από το πρότυπο "
               "(onomatologia --export-set)");
        return out;
    }
    const CsvRow& header = table.rows[at++];
    if (usedFields(header) != SetColumns.size()) {
        b.tell(header.row, 0,
               "η γραμμή επικεφαλίδων έχει " + std::to_string(usedFields(header)) +
                   " στήλες αντί για 10 — αποθηκεύστε το αρχείο ως CSV με διαχωριστικό ; ή , "
                   "και τις δέκα στήλες του προτύπου");
        return out;
    }
    b.header(header);
    for (; at < table.rows.size(); ++at)
        b.compound(table.rows[at]);
    b.wholeSet();
    const std::size_t n = out.set.compounds.size();
    if (out.ok() && (n < MinSetSize || n > MaxSetSize))
        b.tell(0, 0,
               "το σύνολο έχει " + std::to_string(n) + (n == 1 ? " ένωση" : " ενώσεις") +
                   " — γράψτε από " + std::to_string(MinSetSize) + " έως " +
                   std::to_string(MaxSetSize));
    return out;
}

namespace {

std::string csvField(std::string_view text) {
    const bool needsQuotes = text.find_first_of(";\"\n\r,") != std::string_view::npos ||
                             (!text.empty() && (text.front() == ' ' || text.back() == ' '));
    if (!needsQuotes)
        return std::string(text);
    std::string out = "\"";
    for (const char c : text)
        out += c == '"' ? std::string("\"\"") : std::string(1, c);
    return out + "\"";
}

} // namespace

std::string writeCompoundSet(const CompoundSet& set) {
    std::string out = "\xEF\xBB\xBF";
    const auto row = [&](const std::vector<std::string_view>& fields) {
        for (std::size_t i = 0; i < SetColumns.size(); ++i) {
            if (i > 0)
                out += ';';
            if (i < fields.size())
                out += csvField(fields[i]);
        }
        out += "\r\n";
    };
    row({set.title});
    row({SetColumns.begin(), SetColumns.end()});
    for (const Compound& c : set.compounds) {
        // "≡" written "#", which every code page has.
        const std::string notation = writeNotation(c.formula);
        const std::string_view triple = "≡";
        std::string formula;
        for (std::size_t i = 0; i < notation.size();) {
            if (notation.compare(i, triple.size(), triple) == 0) {
                formula += '#';
                i += triple.size();
            } else {
                formula += notation[i++];
            }
        }
        row({formula, c.name, c.parts[0].part, c.parts[0].reason, c.parts[1].part,
             c.parts[1].reason, c.parts[2].part, c.parts[2].reason, c.parts[3].part,
             c.parts[3].reason});
    }
    return out;
}

std::string describeSetProblem(const SetProblem& p) {
    std::string where;
    if (p.row > 0) {
        where = "γραμμή " + std::to_string(p.row);
        if (p.column > 0 && std::size_t(p.column) <= SetColumns.size())
            where += ", " + quoted(SetColumns[std::size_t(p.column - 1)]) + " (" +
                     char('A' + p.column - 1) + ")";
        else if (p.column > 0)
            where += ", στήλη " + std::to_string(p.column);
        where += ": ";
    }
    return (p.warning ? "προσοχή: " : "") + where + p.message;
}

} // namespace content
