// SPDX-License-Identifier: GPL-3.0-or-later
#include "chemistry/practice/Classes.h"

#include "content/notation/NotationText.h"

#include <algorithm>
#include <array>

namespace chemistry::practice {

namespace {

constexpr std::array<std::string_view, ClassCount> Words = {
    "αλκάνια",  "αλκένια", "αλκαδιένια", "αλκίνια", "αλογονοπαράγωγα", "αλκοόλες", "αιθέρες",
    "αλδεΰδες", "κετόνες", "οξέα",       "εστέρες", "αμίνες",          "νιτρίλια",
};

constexpr std::string_view Hydrocarbons = "υδρογονάνθρακες";
constexpr std::string_view Everything = "όλα";

constexpr std::array<CompoundClass, 4> HydrocarbonClasses = {
    CompoundClass::Alkanes, CompoundClass::Alkenes, CompoundClass::Alkadienes,
    CompoundClass::Alkynes};

// A Greek letter without its accent, diaeresis or capital, and σ for ς.
char32_t plainLetter(char32_t c) {
    static constexpr std::array<std::pair<char32_t, char32_t>, 20> Accented = {{
        {U'ά', U'α'}, {U'έ', U'ε'}, {U'ή', U'η'}, {U'ί', U'ι'}, {U'ό', U'ο'},
        {U'ύ', U'υ'}, {U'ώ', U'ω'}, {U'ϊ', U'ι'}, {U'ϋ', U'υ'}, {U'ΐ', U'ι'},
        {U'ΰ', U'υ'}, {U'Ά', U'α'}, {U'Έ', U'ε'}, {U'Ή', U'η'}, {U'Ί', U'ι'},
        {U'Ό', U'ο'}, {U'Ύ', U'υ'}, {U'Ώ', U'ω'}, {U'Ϊ', U'ι'}, {U'Ϋ', U'υ'},
    }};
    for (const auto& [from, to] : Accented)
        if (c == from)
            return to;
    if (c >= U'Α' && c <= U'Ω')
        return c + 0x20;
    if (c == U'ς')
        return U'σ';
    return c;
}

// The word as it is compared: plain letters, combining marks and spaces gone.
std::u32string comparable(std::string_view utf8) {
    std::u32string out;
    for (const char32_t c : content::decodeUtf8(utf8)) {
        const bool combining = c >= 0x0300 && c <= 0x036F;
        if (!combining && !content::isNotationSpace(c))
            out += plainLetter(c);
    }
    return out;
}

std::string knownWords() {
    std::string out(Hydrocarbons);
    for (const std::string_view w : Words)
        out += ", " + std::string(w);
    return out + ", " + std::string(Everything);
}

// The classes one word stands for; empty when it names none.
std::vector<CompoundClass> classesOfWord(const std::u32string& word) {
    if (word == comparable(Everything)) {
        std::vector<CompoundClass> all;
        for (int i = 0; i < ClassCount; ++i)
            all.push_back(CompoundClass(i));
        return all;
    }
    if (word == comparable(Hydrocarbons))
        return {HydrocarbonClasses.begin(), HydrocarbonClasses.end()};
    for (int i = 0; i < ClassCount; ++i)
        if (word == comparable(Words[std::size_t(i)]))
            return {CompoundClass(i)};
    return {};
}

} // namespace

std::string_view wordOf(CompoundClass c) {
    return Words[std::size_t(c)];
}

ClassesRead readClasses(std::string_view utf8) {
    ClassesRead read;
    std::array<bool, ClassCount> asked{};
    std::size_t start = 0;
    while (start <= utf8.size()) {
        const std::size_t comma = std::min(utf8.find(',', start), utf8.size());
        const std::string_view word = utf8.substr(start, comma - start);
        start = comma + 1;
        const std::u32string plain = comparable(word);
        if (plain.empty())
            continue; // "αλκάνια," or a doubled comma asks for nothing more
        const auto classes = classesOfWord(plain);
        if (classes.empty()) {
            read.problem = "Άγνωστη κατηγορία ενώσεων «" + std::string(word) +
                           "». Οι κατηγορίες είναι: " + knownWords() + ".";
            return read;
        }
        for (const CompoundClass c : classes)
            asked[std::size_t(c)] = true;
    }
    for (int i = 0; i < ClassCount; ++i)
        if (asked[std::size_t(i)])
            read.classes.push_back(CompoundClass(i));
    if (read.classes.empty())
        read.problem = "Δεν δόθηκε κατηγορία ενώσεων. Οι κατηγορίες είναι: " + knownWords() + ".";
    return read;
}

std::string describeClasses(const std::vector<CompoundClass>& classes) {
    if (int(classes.size()) == ClassCount)
        return std::string(Everything);
    std::string out;
    const auto add = [&out](std::string_view w) {
        out += (out.empty() ? "" : ", ") + std::string(w);
    };
    const bool allHydrocarbons = std::ranges::all_of(
        HydrocarbonClasses, [&](CompoundClass c) { return std::ranges::count(classes, c) > 0; });
    for (const CompoundClass c : classes) {
        const bool hydrocarbon = std::ranges::count(HydrocarbonClasses, c) > 0;
        if (!hydrocarbon || !allHydrocarbons)
            add(wordOf(c));
        else if (c == CompoundClass::Alkanes)
            add(Hydrocarbons);
    }
    return out;
}

} // namespace chemistry::practice
