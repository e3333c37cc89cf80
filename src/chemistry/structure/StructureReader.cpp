// SPDX-License-Identifier: GPL-3.0-or-later
#include "chemistry/structure/StructureReader.h"

#include "chemistry/structure/BondsMessage.h"
#include "chemistry/structure/Elements.h"
#include "chemistry/structure/StructureWriter.h"

#include <algorithm>
#include <array>
#include <optional>
#include <utility>

namespace chemistry {

using content::NotationChar;
using content::NotationProblem;

namespace {

// Copies of one group or branch beyond this are no formula a card could hold;
// nor are more atoms than this, however the copies nest.
constexpr int MaxCopies = 12;
constexpr std::size_t MaxAtoms = 120;

struct Token {
    enum Kind { Symbol, BondSign, Open, Close } kind = Symbol;
    std::optional<Element> element; // for Symbol
    std::string text;               // the symbol as written
    int count = 1;                  // digits after a symbol or a ")"
    bool counted = false;           // whether digits were written
    int order = 1;                  // for BondSign
    int column = 0;
    std::size_t from = 0, to = 0; // the characters it was read from
};

// Where an atom's hydrogens were written (or would be): characters [from, to).
struct HydrogenSpan {
    std::size_t from = 0, to = 0;
    bool known = false;
};

// Groups of several atoms that textbooks print and the cards do not read.
constexpr std::array<std::string_view, 8> UnreadGroups = {"NO2", "COCl", "COBr", "COI",
                                                          "COF", "SO3H", "SO2",  "PO4"};

bool isUpper(char32_t c) {
    return c >= U'A' && c <= U'Z';
}
bool isLower(char32_t c) {
    return c >= U'a' && c <= U'z';
}
bool isDigit(char32_t c) {
    return c >= U'0' && c <= U'9';
}

// What a chain (the main row or one branch) has read so far.
struct Chain {
    int anchor = -1;        // the atom a branch hangs from
    std::vector<int> group; // atoms of the group being read
    int last = -1;          // the atom hydrogens written now go to
    int pendingOrder = 0;   // a written bond waiting for its next atom
    int pendingColumn = 0;
    int pendingHydrogens = 0; // "H2C=", "HO": hydrogens before their atom
    struct Copies {
        std::size_t from, to;
        int count;
    };
    std::vector<Copies> pendingBranches; // "(CH3)2" before its atom
};

class Reader {
public:
    Reader(const std::vector<NotationChar>& chars, bool suggest) : c_(chars), suggest_(suggest) {}

    StructureRead run() {
        tokenize();
        if (problems_.empty())
            tellUnreadGroups();
        if (problems_.empty())
            readChain(0, t_.size(), -1);
        if (problems_.empty())
            checkBonds();
        return {std::move(s_), std::move(problems_), std::move(columns_)};
    }

private:
    void tell(int column, std::string message) {
        problems_.push_back({column, std::move(message)});
    }

    // ---- characters into tokens --------------------------------------------------

    int digitsAt(std::size_t& k) {
        int n = 0;
        while (k < c_.size() && isDigit(c_[k].c))
            n = std::min(n * 10 + int(c_[k++].c - U'0'), 1000);
        return n;
    }

    void tokenize() {
        for (std::size_t k = 0; k < c_.size();) {
            const char32_t c = c_[k].c;
            Token t;
            t.column = c_[k].column;
            t.from = k;
            if (isUpper(c) || isLower(c)) {
                t.text = std::string(1, char(c));
                ++k;
                if (isUpper(c) && k < c_.size() && isLower(c_[k].c))
                    t.text += char(c_[k++].c);
                t.element = elementOf(t.text);
                if (!t.element)
                    tell(t.column, "άγνωστο σύμβολο στοιχείου «" + t.text + "»");
            } else if (isDigit(c)) {
                tell(t.column, "ο αριθμός δεν ακολουθεί σύμβολο στοιχείου — γράψτε τον αμέσως "
                               "μετά το σύμβολο, π.χ. CH3");
                digitsAt(k);
                continue;
            } else if (c == U'-' || c == U'=' || c == U'#' || c == U'≡') {
                t.kind = Token::BondSign;
                t.order = c == U'-' ? 1 : c == U'=' ? 2 : 3;
                ++k;
            } else if (c == U'(' || c == U')') {
                t.kind = c == U'(' ? Token::Open : Token::Close;
                ++k;
            } else {
                tell(t.column, "ο χαρακτήρας «" + content::utf8Of(c) + "» δεν γράφεται σε τύπο");
                ++k;
                continue;
            }
            if (t.kind == Token::Symbol || t.kind == Token::Close) {
                t.counted = k < c_.size() && isDigit(c_[k].c);
                if (t.counted)
                    t.count = digitsAt(k);
            }
            t.to = k;
            t_.push_back(std::move(t));
        }
    }

    // ---- atoms and bonds -------------------------------------------------------------

    int freeBonds(int atom) const {
        return valenceOf(s_.atoms[std::size_t(atom)].element) - s_.bondsOf(atom);
    }

    int newAtom(Element e, int hydrogens, int column) {
        if (s_.atoms.size() == MaxAtoms && problems_.empty())
            tell(column, "ο τύπος έχει πάρα πολλά άτομα για μια κάρτα — γράψτε μικρότερο τύπο");
        columns_.push_back(column);
        hydrogensAt_.push_back({});
        return s_.addAtom(e, hydrogens);
    }

    // Where the chain goes on: the group's last atom with a free bond, else
    // its first, whose count of bonds then tells what is wrong.
    static int continuation(const Structure& s, const std::vector<int>& group) {
        for (auto it = group.rbegin(); it != group.rend(); ++it)
            if (s.bondsOf(*it) < valenceOf(s.atoms[std::size_t(*it)].element))
                return *it;
        return group.empty() ? -1 : group.front();
    }

    bool isHydrogenAt(std::size_t k, std::size_t end) const {
        return k < end && t_[k].kind == Token::Symbol && t_[k].element == Element::H;
    }

    // An atom that begins a group: bonded to where the chain goes on.
    int startGroup(Chain& chain, Element e, int column) {
        const int from = chain.group.empty() ? chain.anchor : continuation(s_, chain.group);
        const int atom = newAtom(e, std::exchange(chain.pendingHydrogens, 0), column);
        if (from >= 0)
            s_.addBond(from, atom, chain.pendingOrder > 0 ? chain.pendingOrder : 1);
        chain.pendingOrder = 0;
        chain.group = {atom};
        chain.last = atom;
        attachPendingBranches(chain, atom);
        return atom;
    }

    void attachPendingBranches(Chain& chain, int atom) {
        for (const Chain::Copies& copies : std::exchange(chain.pendingBranches, {}))
            for (int n = 0; n < copies.count; ++n)
                readChain(copies.from, copies.to, atom);
    }

    // ---- reading -----------------------------------------------------------------------

    void readChain(std::size_t from, std::size_t to, int anchor) {
        Chain chain;
        chain.anchor = anchor;
        if (anchor < 0)
            from = backToFrontStart(chain, from, to);
        readTokens(chain, from, to);
        if (problems_.empty())
            finish(chain, from, to);
    }

    void finish(const Chain& chain, std::size_t from, std::size_t to) {
        const int column = from < t_.size() ? t_[from].column : (t_.empty() ? 1 : t_.back().column);
        if (chain.pendingOrder > 0)
            tell(chain.pendingColumn, "ο τύπος τελειώνει με δεσμό — σβήστε τον ή γράψτε μετά "
                                      "από αυτόν την ομάδα που συνδέει");
        else if (chain.group.empty() && from >= to)
            tell(column, chain.anchor >= 0 ? "κενή παρένθεση — γράψτε μέσα τη διακλάδωση, π.χ. "
                                             "(CH3), ή σβήστε την"
                                           : "ο τύπος είναι κενός — γράψτε έναν συντακτικό τύπο, "
                                             "π.χ. CH3CH2CH3");
        else if (chain.group.empty() || chain.pendingHydrogens > 0 ||
                 !chain.pendingBranches.empty())
            tell(column, "τα υδρογόνα ή οι διακλαδώσεις δεν ακολουθούνται από το άτομο που τα "
                         "κρατά — γράψτε το άτομο, π.χ. CH3");
    }

    // "HOOC", "OHC" and "NC" at the left end are a carbon's group written
    // back to front.
    std::size_t backToFrontStart(Chain& chain, std::size_t from, std::size_t to) {
        const auto is = [&](std::size_t k, Element e) {
            return k < to && t_[k].kind == Token::Symbol && t_[k].element == e && t_[k].count == 1;
        };
        const auto carbon = [&](std::size_t k) {
            const int c = newAtom(Element::C, 0, t_[k].column);
            chain.group = {c};
            chain.last = c;
            return c;
        };
        if (is(from, Element::H) && is(from + 1, Element::O) && is(from + 2, Element::O) &&
            is(from + 3, Element::C)) {
            const int c = carbon(from + 3);
            s_.addBond(c, newAtom(Element::O, 0, t_[from + 2].column), 2);
            s_.addBond(c, newAtom(Element::O, 1, t_[from + 1].column));
            return from + 4;
        }
        if (is(from, Element::O) && is(from + 1, Element::H) && is(from + 2, Element::C)) {
            const int c = carbon(from + 2);
            s_.atoms[std::size_t(c)].hydrogens = 1;
            s_.addBond(c, newAtom(Element::O, 0, t_[from].column), 2);
            return from + 3;
        }
        if (is(from, Element::N) && is(from + 1, Element::C)) {
            const int c = carbon(from + 1);
            s_.addBond(c, newAtom(Element::N, 0, t_[from].column), 3);
            return from + 2;
        }
        return from;
    }

    void readTokens(Chain& chain, std::size_t from, std::size_t to) {
        for (std::size_t k = from; k < to && problems_.empty();) {
            const Token& t = t_[k];
            if (t.kind == Token::BondSign) {
                bondSign(chain, t);
                ++k;
            } else if (t.kind == Token::Open) {
                k = parenthesis(chain, k, to);
            } else if (t.kind == Token::Close) {
                tell(t.column, "η παρένθεση κλείνει χωρίς να έχει ανοίξει — σβήστε την ή "
                               "γράψτε ( πριν από τη διακλάδωση");
                ++k;
            } else {
                k = symbol(chain, k, to);
            }
        }
    }

    void bondSign(Chain& chain, const Token& t) {
        if (chain.pendingOrder > 0)
            tell(t.column, "δύο δεσμοί στη σειρά — κρατήστε έναν (- απλός, = διπλός, ≡ ή # "
                           "τριπλός)");
        else if (chain.group.empty() && chain.anchor < 0)
            tell(t.column, "ο τύπος αρχίζει με δεσμό — σβήστε τον ή γράψτε πριν από αυτόν την "
                           "ομάδα που συνδέει");
        chain.pendingOrder = t.order;
        chain.pendingColumn = t.column;
    }

    std::size_t symbol(Chain& chain, std::size_t k, std::size_t to) {
        const Token& t = t_[k];
        const Element e = *t.element;
        if (e == Element::H) {
            if (chain.last < 0 || chain.pendingOrder > 0)
                chain.pendingHydrogens += t.count;
            else
                s_.atoms[std::size_t(chain.last)].hydrogens += t.count;
            return k + 1;
        }
        if (e == Element::C && t.count > 1)
            return carbons(chain, k, to);
        if (t.count > MaxCopies) {
            tell(t.column, "πάρα πολλά άτομα «" + t.text + "» σε μία ομάδα");
            return k + 1;
        }
        const bool hydrogensAhead = chain.pendingHydrogens > 0;
        for (int n = 0; n < t.count; ++n) {
            if (e == Element::C || chain.group.empty() || chain.pendingOrder > 0)
                startGroup(chain, e, t.column);
            else
                hang(chain, e, t.column, n + 1 == t.count && isHydrogenAt(k + 1, to));
        }
        if (t.count == 1 && !hydrogensAhead) {
            const bool written = isHydrogenAt(k + 1, to);
            hydrogensAt_.back() = {written ? t_[k + 1].from : t.to, written ? t_[k + 1].to : t.to,
                                   true};
        }
        return k + 1;
    }

    // An atom written right after a group's atoms, joined to the last of them
    // that has a free bond.
    void hang(Chain& chain, Element e, int column, bool hydrogensFollow) {
        const int target = continuation(s_, chain.group);
        const int order = valenceOf(e) == 1 || hydrogensFollow
                              ? 1
                              : std::clamp(freeBonds(target), 1, valenceOf(e));
        const int atom = newAtom(e, 0, column);
        s_.addBond(target, atom, order);
        chain.group.push_back(atom);
        chain.last = atom;
    }

    // "C2H5" is ethyl; any other group of several carbons does not say how
    // they are joined.
    std::size_t carbons(Chain& chain, std::size_t k, std::size_t to) {
        const Token& t = t_[k];
        const bool withHydrogens = isHydrogenAt(k + 1, to);
        const int hydrogens = withHydrogens ? t_[k + 1].count : 0;
        std::string written = t.text + std::to_string(t.count);
        if (withHydrogens)
            written.append("H").append(t_[k + 1].counted ? std::to_string(hydrogens) : "");
        if (t.count == 2 && hydrogens == 5) {
            const int first = startGroup(chain, Element::C, t.column);
            const int second = newAtom(Element::C, 3, t.column);
            s_.atoms[std::size_t(first)].hydrogens += 2;
            s_.addBond(first, second);
            // The CH2 holds the CH3 and goes on when nothing came before it.
            chain.group = {first, second};
            chain.last = second;
            return k + 2;
        }
        if (withHydrogens && hydrogens <= 2 * t.count - 1)
            tell(t.column, "η ομάδα «" + written +
                               "» έχει πολύ λίγα υδρογόνα για ανοιχτή "
                               "αλυσίδα — οι κάρτες σχεδιάζουν μόνο ανοιχτές αλυσίδες");
        else
            tell(t.column, "η ομάδα «" + written +
                               "» δεν δείχνει πώς ενώνονται οι άνθρακές της "
                               "— γράψτε τους άνθρακες έναν έναν, π.χ. CH3CH2CH2");
        return k + (withHydrogens ? 2 : 1);
    }

    std::size_t matchingClose(std::size_t open, std::size_t to) const {
        int depth = 0;
        for (std::size_t k = open; k < to; ++k) {
            if (t_[k].kind == Token::Open)
                ++depth;
            else if (t_[k].kind == Token::Close && --depth == 0)
                return k;
        }
        return to;
    }

    // "(CH2)" and "(O)" repeated are links of the chain, not branches.
    bool isLink(std::size_t from, std::size_t to) const {
        if (from >= to)
            return false;
        for (std::size_t k = from; k < to; ++k) {
            const Token& t = t_[k];
            const bool carbon = t.kind == Token::Symbol && t.element == Element::C && t.count == 1;
            const bool twoHydrogens = t.kind == Token::Symbol && t.element == Element::H &&
                                      t.count == 2 && k > from && t_[k - 1].element == Element::C;
            const bool oxygen = t.kind == Token::Symbol && t.element == Element::O && t.count == 1;
            if (!carbon && !twoHydrogens && !oxygen)
                return false;
            if (carbon && !isHydrogenAt(k + 1, to))
                return false;
        }
        return true;
    }

    std::size_t parenthesis(Chain& chain, std::size_t open, std::size_t to) {
        const std::size_t close = matchingClose(open, to);
        if (close >= to) {
            tell(t_[open].column, "η παρένθεση δεν κλείνει — γράψτε ) μετά τη διακλάδωση");
            return to;
        }
        const int copies = t_[close].count;
        if (copies > MaxCopies || copies < 1) {
            tell(t_[close].column, "δεν γράφονται τόσες ίδιες ομάδες — γράψτε τις μία μία");
            return close + 1;
        }
        if (t_[close].counted && !chain.group.empty() && isLink(open + 1, close)) {
            for (int n = 0; n < copies; ++n)
                readTokens(chain, open + 1, close);
        } else if (chain.group.empty() && chain.anchor < 0) {
            chain.pendingBranches.push_back({open + 1, close, copies});
        } else if (chain.group.empty() || chain.pendingOrder > 0) {
            tell(t_[open].column, "η διακλάδωση δεν ακολουθεί άτομο — γράψτε την αμέσως μετά "
                                  "από το άτομο που την κρατά, π.χ. CH3CH(CH3)CH3");
        } else {
            const int anchor = continuation(s_, chain.group);
            for (int n = 0; n < copies && problems_.empty(); ++n)
                readChain(open + 1, close, anchor);
        }
        return close + 1;
    }

    // ---- every atom's bonds ---------------------------------------------------------

    // NO2, COCl...: told as groups the cards do not read, before any of
    // their atoms is told of as having too many bonds.
    void tellUnreadGroups() {
        for (std::size_t k = 0; k < t_.size(); ++k) {
            std::string run;
            for (std::size_t j = k; j < t_.size() && j < k + 4 && t_[j].kind == Token::Symbol;
                 ++j) {
                run += t_[j].text + (t_[j].counted ? std::to_string(t_[j].count) : "");
                const bool ends = j + 1 >= t_.size() || t_[j + 1].kind != Token::Symbol ||
                                  t_[j + 1].element != Element::H || run == "SO2";
                if (ends && std::find(UnreadGroups.begin(), UnreadGroups.end(), run) !=
                                UnreadGroups.end()) {
                    tell(t_[k].column, "η ομάδα «" + run +
                                           "» δεν διαβάζεται στις κάρτες — γράφονται οι ομάδες "
                                           "CH3, CH2, CH, C, OH, O, NH2, NH, N, SH, F, Cl, Br, I, "
                                           "CHO, CO, COOH, COO, CN, CONH2 και C2H5");
                    return;
                }
            }
        }
    }

    void checkBonds() {
        std::vector<std::pair<int, int>> fixes; // atom, the hydrogens it needs
        bool fixable = true;
        for (int atom = 0; atom < int(s_.atoms.size()); ++atom) {
            const Atom& a = s_.atoms[std::size_t(atom)];
            const int bonds = s_.bondsOf(atom);
            if (isUsualBondCount(a.element, bonds))
                continue;
            tellBonds(atom);
            const int needed = valenceOf(a.element) - (bonds - a.hydrogens);
            fixable = fixable && needed >= 0;
            fixes.emplace_back(atom, needed);
        }
        if (suggest_ && fixable && !fixes.empty()) {
            const std::string fixed = withHydrogensFixed(fixes);
            for (NotationProblem& p : problems_)
                p.suggestion = fixed;
        }
        std::stable_sort(
            problems_.begin(), problems_.end(),
            [](const NotationProblem& a, const NotationProblem& b) { return a.column < b.column; });
    }

    void tellBonds(int atom) {
        tell(columns_[std::size_t(atom)], bondsMessage(s_, columns_, atom));
    }

    // The formula with every atom given the hydrogens it needs, where it was
    // written when that is known, else written anew; empty unless that reads
    // without a problem.
    std::string withHydrogensFixed(const std::vector<std::pair<int, int>>& fixes) const {
        std::vector<std::pair<HydrogenSpan, int>> edits;
        Structure fixed = s_;
        bool inPlace = true;
        for (const auto& [atom, needed] : fixes) {
            fixed.atoms[std::size_t(atom)].hydrogens = needed;
            edits.emplace_back(hydrogensAt_[std::size_t(atom)], needed);
            inPlace = inPlace && hydrogensAt_[std::size_t(atom)].known;
        }
        std::string text;
        if (inPlace) {
            std::sort(edits.begin(), edits.end(),
                      [](const auto& a, const auto& b) { return a.first.from < b.first.from; });
            std::size_t k = 0;
            for (const auto& [span, needed] : edits) {
                for (; k < span.from; ++k)
                    text += content::utf8Of(c_[k].c);
                text += needed == 0   ? ""
                        : needed == 1 ? "H"
                                      : std::string("H").append(std::to_string(needed));
                k = span.to;
            }
            for (; k < c_.size(); ++k)
                text += content::utf8Of(c_[k].c);
        } else {
            text = writeStructure(fixed);
        }
        const content::NotationText again = content::readNotationText(text);
        return Reader(again.chars, false).run().ok() ? text : std::string();
    }

    const std::vector<NotationChar>& c_;
    bool suggest_ = true;
    std::vector<HydrogenSpan> hydrogensAt_;
    std::vector<Token> t_;
    Structure s_;
    std::vector<int> columns_;
    std::vector<NotationProblem> problems_;
};

} // namespace

StructureRead readStructure(std::string_view utf8) {
    content::NotationText text = content::readNotationText(utf8);
    if (!text.problems.empty())
        return {{}, std::move(text.problems), {}};
    return Reader(text.chars, true).run();
}

StructureRead readStructureAsIs(std::string_view utf8) {
    content::NotationText text = content::readNotationText(utf8);
    if (!text.problems.empty())
        return {{}, std::move(text.problems), {}};
    return Reader(text.chars, false).run();
}

} // namespace chemistry
