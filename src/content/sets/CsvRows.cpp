// SPDX-License-Identifier: GPL-3.0-or-later
#include "content/sets/CsvRows.h"

#include <algorithm>

namespace content {

namespace {

std::string trimmed(std::string_view s) {
    const auto spaceAt = [&](std::size_t i, bool fromEnd) -> std::size_t {
        // Spaces, tabs and no-break spaces (C2 A0), from either end.
        if (fromEnd) {
            if (i >= 1 && (s[i - 1] == ' ' || s[i - 1] == '\t'))
                return 1;
            if (i >= 2 && s[i - 2] == '\xC2' && s[i - 1] == '\xA0')
                return 2;
        } else {
            if (i < s.size() && (s[i] == ' ' || s[i] == '\t'))
                return 1;
            if (i + 1 < s.size() && s[i] == '\xC2' && s[i + 1] == '\xA0')
                return 2;
        }
        return 0;
    };
    std::size_t from = 0, to = s.size();
    while (std::size_t n = spaceAt(from, false))
        from += n;
    while (to > from) {
        const std::size_t n = spaceAt(to, true);
        if (n == 0)
            break;
        to -= n;
    }
    return std::string(s.substr(from, to - from));
}

CsvTable bounded(char separator, std::vector<CsvRow> rows) {
    const bool more = rows.size() > MaxCsvRows;
    if (more)
        rows.resize(MaxCsvRows);
    return {separator, std::move(rows), more};
}

} // namespace

std::vector<CsvRow> splitCsv(std::string_view text, char separator, std::size_t maxRows) {
    std::vector<CsvRow> rows;
    CsvRow current{1, {}, {}, false};
    std::string field;
    bool quoted = false, inQuotes = false, fieldBroken = false;
    int line = 1;

    const auto endField = [&] {
        if (current.fields.size() < MaxCsvFields) {
            current.fields.push_back(trimmed(field));
            if (fieldBroken)
                current.brokenFields.push_back(int(current.fields.size()));
        } else if (!trimmed(field).empty()) {
            current.moreFields = true;
        }
        field.clear();
        quoted = inQuotes = fieldBroken = false;
    };
    const auto endRow = [&] {
        endField();
        const bool blank = std::all_of(current.fields.begin(), current.fields.end(),
                                       [](const std::string& f) { return f.empty(); });
        if (!blank || current.moreFields)
            rows.push_back(std::move(current));
        current = CsvRow{line, {}, {}, false};
    };

    for (std::size_t i = 0; i < text.size() && rows.size() < maxRows; ++i) {
        const char c = text[i];
        const bool lineEnd = c == '\n' || c == '\r';
        if (lineEnd && c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        if (inQuotes) {
            if (c == '"') {
                if (i + 1 < text.size() && text[i + 1] == '"') {
                    field += '"';
                    ++i;
                } else {
                    inQuotes = false;
                }
            } else if (lineEnd) {
                ++line;
                fieldBroken = true;
                field += '\n';
            } else {
                field += c;
            }
            continue;
        }
        if (c == '"' && trimmed(field).empty() && !quoted) {
            field.clear();
            quoted = inQuotes = true;
        } else if (c == separator) {
            endField();
        } else if (lineEnd) {
            ++line;
            endRow();
        } else {
            field += c;
        }
    }
    if (rows.size() < maxRows && (!field.empty() || !current.fields.empty() || quoted))
        endRow();
    return rows;
}

bool isTitleRow(const CsvRow& row) {
    return std::count_if(row.fields.begin(), row.fields.end(),
                         [](const std::string& f) { return !f.empty(); }) == 1 &&
           !row.fields.front().empty();
}

std::size_t usedFields(const CsvRow& row) {
    std::size_t n = row.fields.size();
    while (n > 0 && row.fields[n - 1].empty())
        --n;
    return n;
}

CsvTable readCsv(std::string_view text, std::span<const std::string_view> header) {
    // Excel's first line "sep=;" names the separator and is no row of data.
    if (text.size() >= 5 && (text.substr(0, 4) == "sep=" || text.substr(0, 4) == "SEP=") &&
        (text.size() == 5 || text[5] == '\r' || text[5] == '\n')) {
        const char separator = text[4];
        std::size_t skip = 5;
        if (skip < text.size() && text[skip] == '\r')
            ++skip;
        if (skip < text.size() && text[skip] == '\n')
            ++skip;
        std::vector<CsvRow> rows = splitCsv(text.substr(skip), separator, MaxCsvRows + 1);
        for (CsvRow& r : rows)
            ++r.row;
        return bounded(separator, std::move(rows));
    }
    // The separator is judged from the header alone (a title may hold any
    // separator): under each, the first two rows, and whether the header's
    // first two fields are the columns' own names; failing a named header of
    // the right width, one of the right width, else the separator that
    // splits the header most. The whole text is split once, at the end.
    char chosen = ';', counted = 0;
    std::size_t bestFields = 0;
    for (const char separator : {';', ',', '\t'}) {
        const std::vector<CsvRow> rows = splitCsv(text, separator, 2);
        std::size_t at = 0;
        if (rows.size() > 1 && isTitleRow(rows[0]) && usedFields(rows[1]) > 1)
            at = 1;
        const CsvRow* h = at < rows.size() ? &rows[at] : nullptr;
        const std::size_t fields = h ? usedFields(*h) : 0;
        if (fields == header.size() && header.size() >= 2 && h->fields[0] == header[0] &&
            h->fields[1] == header[1]) {
            counted = separator;
            break;
        }
        if (fields == header.size() && counted == 0)
            counted = separator;
        if (fields > bestFields) {
            bestFields = fields;
            chosen = separator;
        }
    }
    if (counted != 0)
        chosen = counted;
    return bounded(chosen, splitCsv(text, chosen, MaxCsvRows + 1));
}

} // namespace content
