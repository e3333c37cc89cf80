// SPDX-License-Identifier: GPL-3.0-or-later
#include "content/notation/FormulaNotation.h"

#include "chemistry/structure/StructureReader.h"
#include "chemistry/structure/StructureWriter.h"
#include "content/notation/GreekKeyboard.h"

#include <algorithm>
#include <array>
#include <optional>

namespace content {

namespace {

// Whether `utf8` reads as a formula, no proposal made on the way.
bool isAccepted(std::string_view utf8);

constexpr std::array<std::string_view, 15> AcceptedElements = {
    "C", "H", "O", "N", "S", "P", "F", "Cl", "Br", "I", "Na", "K", "Li", "Mg", "Ca"};

bool isUpper(char32_t c) {
    return c >= U'A' && c <= U'Z';
}
bool isLower(char32_t c) {
    return c >= U'a' && c <= U'z';
}
bool isDigit(char32_t c) {
    return c >= U'0' && c <= U'9';
}
bool isLetterOrDigit(char32_t c) {
    return isUpper(c) || isLower(c) || isDigit(c);
}
bool isBondSign(char32_t c) {
    return c == U'-' || c == U'=' || c == U'#' || c == U'≡';
}
char upper(char32_t c) {
    return char(isLower(c) ? c - U'a' + U'A' : c);
}
char lower(char32_t c) {
    return char(isUpper(c) ? c - U'A' + U'a' : c);
}

const std::string AcceptedList = "C, H, O, N, S, P, F, Cl, Br, I, Na, K, Li, Mg, Ca";

class Parser {
public:
    // Without `suggest`, no formula is proposed: what checks a proposal
    // reads it so, and never proposes in turn.
    Parser(const std::vector<NotationChar>& chars, bool suggest) : s_(chars), suggest_(suggest) {}

    FormulaParse run() {
        while (i_ < s_.size()) {
            const char32_t c = s_[i_].c;
            if (isUpper(c) || isLower(c))
                symbolInRow();
            else if (isDigit(c))
                digitsInRow();
            else if (isBondSign(c))
                bond();
            else if (c == U'(')
                branch();
            else if (c == U')')
                tell(i_++, "η παρένθεση κλείνει χωρίς να έχει ανοίξει — σβήστε την ή γράψτε ( "
                           "πριν από τη διακλάδωση");
            else
                unknownCharacter(i_++);
        }
        if (!f_.mainRow.empty() && f_.mainRow.back().isBond)
            problems_.push_back({f_.mainRow.back().column,
                                 "ο τύπος τελειώνει με δεσμό — σβήστε τον ή γράψτε μετά από "
                                 "αυτόν την ομάδα που συνδέει"});
        suggestCaseFixed();
        return {std::move(f_), std::move(problems_)};
    }

private:
    void tell(std::size_t at, std::string message, std::string suggestion = {}) {
        problems_.push_back({s_[at].column, std::move(message), std::move(suggestion)});
    }

    // ---- symbols --------------------------------------------------------------

    // Reads the element symbol at k ("C", "Cl", or an unknown one) and moves on.
    std::string readSymbol(std::size_t& k) {
        const std::size_t start = k;
        std::string symbol(1, char(s_[k].c));
        ++k;
        if (isUpper(s_[start].c) && k < s_.size() && isLower(s_[k].c))
            symbol += char(s_[k++].c);
        if (!isUpper(s_[start].c) || !isAcceptedElement(symbol))
            unknownSymbol(start);
        return symbol;
    }

    // One message for a run of letters and digits however many of its letters
    // are wrong, with the run written right where that can be worked out.
    void unknownSymbol(std::size_t at) {
        if (at < toldUntil_)
            return;
        std::size_t from = at, to = at;
        while (from > 0 && isLetterOrDigit(s_[from - 1].c))
            --from;
        while (to < s_.size() && isLetterOrDigit(s_[to].c))
            ++to;
        toldUntil_ = to;
        std::string run;
        for (std::size_t k = from; k < to; ++k)
            run += char(s_[k].c);
        const std::string fixed = fixedRun(from, to);
        std::string message = "άγνωστο σύμβολο στοιχείου στο «" + run + "» — ";
        if (!fixed.empty() && fixed != run)
            message += "μήπως εννοείτε " + fixed + ";", caseProblems_.push_back(problems_.size());
        else
            message += "γράψτε ένα από τα " + AcceptedList;
        tell(at, std::move(message));
    }

    // The run with every letter read as the symbol it most likely means
    // ("ch3" CH3, "CL" Cl, "co" CO); empty when some letter means none.
    std::string fixedRun(std::size_t from, std::size_t to) const {
        std::string out;
        for (std::size_t k = from; k < to; ++k) {
            const char32_t c = s_[k].c;
            if (isDigit(c)) {
                out += char(c);
                continue;
            }
            if (k + 1 < to && !isDigit(s_[k + 1].c)) {
                const char32_t next = s_[k + 1].c;
                const std::string pair = {upper(c), lower(next)};
                if (isAcceptedElement(pair) &&
                    (isLower(next) || !isAcceptedElement(std::string(1, upper(next))))) {
                    out += pair;
                    ++k;
                    continue;
                }
            }
            const std::string single(1, upper(c));
            if (!isAcceptedElement(single))
                return {};
            out += single;
        }
        return out;
    }

    void unknownCharacter(std::size_t at) {
        tell(at, "ο χαρακτήρας «" + utf8Of(s_[at].c) +
                     "» δεν γράφεται σε τύπο — γράψτε σύμβολα στοιχείων, αριθμούς, δεσμούς "
                     "(- = ≡) και παρενθέσεις");
    }

    // ---- the main row ----------------------------------------------------------

    void symbolInRow() {
        const int column = s_[i_].column;
        const std::string symbol = readSymbol(i_);
        const bool newGroup = !inGroup_ || symbol == "C" || (lastWasDigit_ && symbol != "H");
        if (newGroup)
            f_.mainRow.push_back({symbol, Bond::Bar, false, column});
        else
            f_.mainRow.back().text += symbol;
        inGroup_ = true;
        lastWasDigit_ = false;
        branchesOf_ = -1;
    }

    void digitsInRow() {
        const std::size_t start = i_;
        std::string digits;
        while (i_ < s_.size() && isDigit(s_[i_].c))
            digits += char(s_[i_++].c);
        if (!inGroup_) {
            tell(start, "ο αριθμός δεν ακολουθεί σύμβολο στοιχείου — γράψτε τον αμέσως μετά "
                        "το σύμβολο, π.χ. CH3");
            return;
        }
        f_.mainRow.back().text += digits;
        lastWasDigit_ = true;
        branchesOf_ = -1;
    }

    void bond() {
        const std::size_t at = i_++;
        const char32_t c = s_[at].c;
        const Bond b = c == U'-' ? Bond::Bar : c == U'=' ? Bond::Double : Bond::Triple;
        if (f_.mainRow.empty()) {
            tell(at, "ο τύπος αρχίζει με δεσμό — σβήστε τον ή γράψτε πριν από αυτόν την ομάδα "
                     "που συνδέει");
            return;
        }
        if (f_.mainRow.back().isBond) {
            tell(at, "δύο δεσμοί στη σειρά — κρατήστε έναν (- απλός, = διπλός, ≡ ή # τριπλός)");
            return;
        }
        f_.mainRow.push_back({{}, b, true, s_[at].column});
        inGroup_ = false;
        lastWasDigit_ = false;
        branchesOf_ = -1;
    }

    // ---- branches ----------------------------------------------------------------

    void branch() {
        const std::size_t open = i_;
        std::size_t close = open + 1;
        std::optional<std::size_t> inner;
        for (int depth = 1; close < s_.size(); ++close) {
            if (s_[close].c == U'(') {
                ++depth;
                inner = inner.value_or(close);
            } else if (s_[close].c == U')' && --depth == 0) {
                break;
            }
        }
        if (close >= s_.size()) {
            tell(open, "η παρένθεση δεν κλείνει — γράψτε ) μετά τη διακλάδωση");
            i_ = s_.size();
            return;
        }
        std::size_t next = close + 1;
        while (next < s_.size() && isDigit(s_[next].c))
            ++next;
        const int owner = branchesOf_ >= 0 ? branchesOf_ : openAnchorGroup();
        i_ = next;
        inGroup_ = false;
        lastWasDigit_ = false;
        branchesOf_ = -1;

        if (open + 1 < close && s_[open + 1].c == U'=') {
            carbonylShorthand(open, close);
            return;
        }
        if (next > close + 1) {
            repeatShorthand(open, close, next);
            return;
        }
        if (inner) {
            tell(*inner, "παρένθεση μέσα σε διακλάδωση — η διακλάδωση είναι μία ομάδα χωρίς "
                         "δεσμούς και παρενθέσεις, π.χ. (CH3) ή (OH)");
            return;
        }
        if (close == open + 1) {
            tell(open, "κενή παρένθεση — γράψτε μέσα τη διακλάδωση, π.χ. (CH3), ή σβήστε την");
            return;
        }
        for (std::size_t k = open + 1; k < close; ++k)
            if (isBondSign(s_[k].c)) {
                tell(k, "δεσμός μέσα σε διακλάδωση — η διακλάδωση είναι μία ομάδα χωρίς "
                        "δεσμούς, π.χ. (CH3) ή (OH)");
                return;
            }
        if (owner < 0) {
            tell(open, "η διακλάδωση δεν ακολουθεί άνθρακα — γράψτε την αμέσως μετά από C, CH "
                       "ή CH2, π.χ. CH3CH(CH3)CH3");
            return;
        }
        const int atom = atomNumber(owner);
        const auto onCarbon = std::count_if(f_.branches.begin(), f_.branches.end(),
                                            [&](const Branch& b) { return b.atom == atom; });
        if (onCarbon >= 2) {
            tell(open, "τρίτη διακλάδωση στον ίδιο άνθρακα — η κάρτα δείχνει το πολύ δύο, μία "
                       "κάτω και μία πάνω από τον άνθρακα");
            return;
        }
        std::string group;
        for (std::size_t k = open + 1; k < close;) {
            const char32_t c = s_[k].c;
            if (isUpper(c) || isLower(c)) {
                group += readSymbol(k);
            } else if (isDigit(c)) {
                if (group.empty())
                    tell(k, "ο αριθμός δεν ακολουθεί σύμβολο στοιχείου — γράψτε τον αμέσως μετά "
                            "το σύμβολο, π.χ. (CH3)");
                group += char(c);
                ++k;
            } else {
                unknownCharacter(k++);
            }
        }
        f_.branches.push_back({atom, group, onCarbon == 1, s_[open].column});
        branchesOf_ = owner;
    }

    // The main row's last group when it is a carbon group, or a nitrogen,
    // that a bond or a parenthesis has not closed: a branch written now hangs
    // from it.
    int openAnchorGroup() const {
        if (!inGroup_ || f_.mainRow.empty())
            return -1;
        const std::size_t last = f_.mainRow.size() - 1;
        const std::string& text = f_.mainRow[last].text;
        return isCarbonGroup(text) || text == "N" || text == "NH" ? int(last) : -1;
    }

    int atomNumber(int item) const {
        int before = 0;
        for (int k = 0; k < item; ++k)
            before +=
                f_.mainRow[std::size_t(k)].isBond ? 0 : atomCount(f_.mainRow[std::size_t(k)].text);
        return before + 1;
    }

    // The formula as written, with [from, to) written as `replacement`.
    std::string rewritten(std::size_t from, std::size_t to, const std::string& replacement) const {
        std::string out;
        for (std::size_t k = 0; k < from; ++k)
            out += utf8Of(s_[k].c);
        out += replacement;
        for (std::size_t k = to; k < s_.size(); ++k)
            out += utf8Of(s_[k].c);
        return out;
    }

    std::string slice(std::size_t from, std::size_t to) const {
        std::string out;
        for (std::size_t k = from; k < to && k < s_.size(); ++k)
            out += utf8Of(s_[k].c);
        return out;
    }

public:
    // The whole formula with every letter read as the symbol it most likely
    // means; empty when some run of letters means nothing.
    std::string caseFixed() const {
        std::string out;
        for (std::size_t k = 0; k < s_.size();) {
            if (!isLetterOrDigit(s_[k].c)) {
                out += utf8Of(s_[k++].c);
                continue;
            }
            std::size_t to = k;
            while (to < s_.size() && isLetterOrDigit(s_[to].c))
                ++to;
            const std::string fixed = fixedRun(k, to);
            if (fixed.empty())
                return {};
            out += fixed;
            k = to;
        }
        return out;
    }

private:
    // Every "μήπως εννοείτε" carries the whole formula with all its runs
    // fixed, when that is a formula.
    void suggestCaseFixed() {
        if (caseProblems_.empty() || !suggest_)
            return;
        const std::string fixed = caseFixed();
        if (fixed.empty() || !isAccepted(fixed))
            return;
        for (const std::size_t k : caseProblems_)
            problems_[k].suggestion = fixed;
    }

    // The whole formula with all its shorthands written out, as the compound
    // it stands for is written; empty when it is no compound.
    std::string writtenOut() {
        if (!suggest_)
            return {};
        if (!writtenOut_) {
            const chemistry::StructureRead read = chemistry::readStructure(slice(0, s_.size()));
            std::string out = read.ok() ? chemistry::writeStructure(read.structure) : std::string();
            writtenOut_ = !out.empty() && isAccepted(out) ? out : std::string();
        }
        return *writtenOut_;
    }

    void carbonylShorthand(std::size_t open, std::size_t close) {
        const std::string rest = slice(open + 2, close);
        const std::size_t from = open > 0 && s_[open - 1].c == U'C' ? open - 1 : open;
        // Only the whole compound written anew: the carbonyl written inline
        // where it stood can read as another compound (CH≡C(=O) as CH≡CO).
        const std::string fix = writtenOut();
        std::string message = "η κάρτα δεν σχεδιάζει τη συντομογραφία «" + slice(from, close + 1) +
                              "» — γράψτε το καρβονύλιο μέσα στη σειρά ως C" + rest;
        if (!fix.empty())
            message += ": " + fix;
        tell(open, std::move(message), fix);
    }

    // "(CH2)4" in a row, "(CH3)2CH" at its start: the card draws every carbon
    // where it stands, so the carbons are written out.
    void repeatShorthand(std::size_t open, std::size_t close, std::size_t next) {
        const std::string group = slice(open + 1, close);
        std::string message =
            "η κάρτα δεν σχεδιάζει τη συντομογραφία «" + slice(open, next) + "» — ";
        // All the shorthands of the formula are written out in one, so that
        // following the suggestion leaves none of them behind.
        const std::string whole = writtenOut();
        if (!whole.empty())
            message += (group.front() == 'C' ? "γράψτε τους άνθρακες έναν έναν: "
                                             : "γράψτε κάθε ομάδα χωριστά: ") +
                       whole;
        else
            message += "γράψτε κάθε άνθρακα χωριστά, π.χ. CH3CH(CH3)CH3 αντί για (CH3)2CHCH3";
        tell(open, std::move(message), whole);
    }

    const std::vector<NotationChar>& s_;
    std::size_t i_ = 0;
    FormulaDescription f_;
    std::vector<NotationProblem> problems_;
    bool inGroup_ = false;                  // the row's last group still takes symbols
    bool lastWasDigit_ = false;             // ... and ends in a count
    int branchesOf_ = -1;                   // the row item the branch just read hangs from
    std::size_t toldUntil_ = 0;             // end of the last run told of as unknown
    std::vector<std::size_t> caseProblems_; // problems that ask "μήπως εννοείτε"
    bool suggest_ = true;
    std::optional<std::string> writtenOut_; // made once, for all the shorthands
};

} // namespace

bool FormulaDescription::hasBranchRow() const {
    return std::any_of(branches.begin(), branches.end(), [](const Branch& b) { return !b.above; });
}

bool FormulaDescription::hasRowAbove() const {
    return std::any_of(branches.begin(), branches.end(), [](const Branch& b) { return b.above; });
}

bool isAcceptedElement(std::string_view symbol) {
    return std::find(AcceptedElements.begin(), AcceptedElements.end(), symbol) !=
           AcceptedElements.end();
}

bool isCarbonSymbol(std::string_view text, std::size_t i) {
    if (i >= text.size() || text[i] != 'C')
        return false;
    const bool followedByLowercase =
        i + 1 < text.size() && text[i + 1] >= 'a' && text[i + 1] <= 'z';
    return !followedByLowercase;
}

int carbonCount(std::string_view group) {
    int n = 0;
    for (std::size_t i = 0; i < group.size(); ++i)
        n += isCarbonSymbol(group, i) ? 1 : 0;
    return n;
}

bool isAtomSymbol(std::string_view text, std::size_t i) {
    return i < text.size() && text[i] >= 'A' && text[i] <= 'Z' && text[i] != 'H';
}

int atomCount(std::string_view group) {
    int n = 0;
    for (std::size_t i = 0; i < group.size(); ++i)
        n += isAtomSymbol(group, i) ? 1 : 0;
    return n;
}

bool isCarbonGroup(std::string_view group) {
    if (group.empty() || group[0] != 'C')
        return false;
    if (group.size() == 1)
        return true;
    if (group[1] != 'H')
        return false;
    return std::all_of(group.begin() + 2, group.end(), [](char c) { return isSubscript(c); });
}

std::string writeNotation(const FormulaDescription& formula) {
    std::string out;
    int atomsBefore = 0;
    for (const RowItem& item : formula.mainRow) {
        if (item.isBond) {
            out += item.bond == Bond::Bar ? "-" : item.bond == Bond::Double ? "=" : "≡";
            continue;
        }
        out += item.text;
        const int atomsAfter = atomsBefore + atomCount(item.text);
        // Below first, then above: the order that hangs them where they were.
        for (const bool above : {false, true})
            for (const Branch& b : formula.branches)
                if (b.above == above && b.atom > atomsBefore && b.atom <= atomsAfter)
                    out += "(" + b.group + ")";
        atomsBefore = atomsAfter;
    }
    return out;
}

namespace {

FormulaParse parseAsWritten(std::string_view utf8, bool suggest, bool countBonds = true) {
    NotationText text = readNotationText(utf8);
    if (!text.problems.empty() && text.chars.empty())
        return {{}, std::move(text.problems)};
    if (text.chars.empty())
        return {{}, {{1, "ο τύπος είναι κενός — γράψτε έναν συντακτικό τύπο, π.χ. CH3CH2CH3"}}};
    FormulaParse parsed = Parser(text.chars, suggest).run();
    parsed.problems.insert(parsed.problems.begin(), text.problems.begin(), text.problems.end());
    // Bonds are counted only on a row whose shape is certain: otherwise
    // every atom next to a mistake would be told of as well.
    if (parsed.ok() && countBonds)
        parsed.problems = chemistry::readStructure(utf8).problems;
    // The compound's reader proposes what reads as a compound; the card
    // must also be able to draw it.
    for (NotationProblem& p : parsed.problems)
        if (!suggest || (!p.suggestion.empty() && !isAccepted(p.suggestion)))
            p.suggestion.clear();
    return parsed;
}

bool isAccepted(std::string_view utf8) {
    return parseAsWritten(utf8, false).ok();
}

// `typed` with every letter read as the symbol it most likely means.
std::string caseFixedOf(const std::string& typed) {
    const NotationText text = readNotationText(typed);
    return text.problems.empty() ? Parser(text.chars, false).caseFixed() : std::string();
}

} // namespace

FormulaParse parseDrawing(std::string_view utf8) {
    return parseAsWritten(utf8, false, false);
}

FormulaParse parseFormula(std::string_view utf8) {
    FormulaParse parsed = parseAsWritten(utf8, true);
    if (parsed.ok())
        return parsed;
    // Greek letters that are no look-alike of the notation's: the text read
    // key by key as typed on the Latin layout, then its case fixed.
    const std::u32string text = decodeUtf8(utf8);
    const auto greek = std::find_if(text.begin(), text.end(), isGreekLetter);
    if (greek == text.end())
        return parsed;
    std::string typed;
    for (const char32_t c : text)
        typed += utf8Of(latinKeyOf(c));
    const std::string formula = isAccepted(typed) ? typed : caseFixedOf(typed);
    if (formula.empty() || !isAccepted(formula))
        return parsed;
    return {{}, {{int(greek - text.begin()) + 1, greekKeyboardQuestion(formula), formula}}};
}

} // namespace content
