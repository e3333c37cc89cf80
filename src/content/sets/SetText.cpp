// SPDX-License-Identifier: GPL-3.0-or-later
#include "content/sets/SetText.h"

#include "content/notation/NotationText.h"
#include "content/sets/Windows1253.h"

#include <algorithm>
#include <array>

namespace content {

namespace {

bool startsWith(std::string_view s, std::string_view prefix) {
    return s.substr(0, prefix.size()) == prefix;
}

// A ZIP archive (xlsx, ods) or an old Excel file (the OLE compound file).
bool isWorkbook(std::string_view bytes) {
    return startsWith(bytes, std::string_view("PK\x03\x04", 4)) ||
           startsWith(bytes, "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1");
}

// UTF-16 without a byte-order mark: no CSV has NUL bytes, and in UTF-16 one
// byte of every pair is the high byte of Latin (0x00), Greek (0x03) or
// punctuation (0x20), nearly always.
bool looksLikeUtf16(std::string_view bytes) {
    const std::string_view sample = bytes.substr(0, 4096);
    if (sample.size() < 2 || sample.find('\0') == std::string_view::npos)
        return false;
    std::array<std::size_t, 2> high{}, count{};
    for (std::size_t i = 0; i < sample.size(); ++i) {
        const auto b = static_cast<unsigned char>(sample[i]);
        ++count[i % 2];
        if (b == 0x00 || b == 0x03 || b == 0x20)
            ++high[i % 2];
    }
    const auto mostlyHigh = [&](std::size_t parity) {
        return high[parity] * 10 >= count[parity] * 9;
    };
    return mostlyHigh(0) || mostlyHigh(1);
}

// The bytes of one row of the file, and where the next one starts: a row
// ends at LF, CRLF or a lone CR, as the row splitter ends it.
std::size_t rowEnd(std::string_view bytes, std::size_t from, std::size_t* next) {
    const std::size_t end = std::min(bytes.find_first_of("\r\n", from), bytes.size());
    *next = end;
    if (end < bytes.size())
        *next =
            end + (bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n' ? 2 : 1);
    return end;
}

void decodeWindows1253(std::string_view bytes, SetText& out) {
    out.encoding = SetEncoding::Windows1253;
    out.utf8.reserve(bytes.size() * 2);
    int row = 1;
    for (std::size_t start = 0, next = 0; start < bytes.size(); start = next, ++row) {
        const std::size_t end = rowEnd(bytes, start, &next);
        std::size_t firstBad = 0, bad = 0;
        for (std::size_t i = start; i < end; ++i) {
            const auto byte = static_cast<unsigned char>(bytes[i]);
            const char32_t decoded = windows1253(byte);
            if (decoded == 0 && byte != 0) {
                if (bad++ == 0)
                    firstBad = i - start + 1;
                continue;
            }
            out.utf8 += utf8Of(decoded);
        }
        out.utf8.append(bytes.substr(end, next - end));
        if (bad == 0)
            continue;
        out.problems.add(row, 0, false, [&] {
            std::string message = "ο χαρακτήρας " + std::to_string(firstBad) +
                                  " της γραμμής δεν είναι ούτε UTF-8 ούτε Windows-1253";
            if (bad > 1)
                message += " (και " + std::to_string(bad - 1) + " ακόμη στη γραμμή)";
            return message + " — αποθηκεύστε το αρχείο ως CSV UTF-8";
        });
    }
}

} // namespace

std::string workbookMessage() {
    return "το αρχείο είναι βιβλίο εργασίας (xlsx, ods ή xls), όχι CSV — αποθηκεύστε το ως CSV: "
           "στο LibreOffice Calc Αρχείο > Αποθήκευση ως > Κείμενο CSV (.csv), στο Excel Αρχείο > "
           "Αποθήκευση ως > CSV UTF-8 (οριοθετημένο με κόμματα)";
}

SetText decodeSetBytes(std::string_view bytes) {
    SetText out;
    const auto whole = [&](std::string message) { out.problems.add({0, 0, std::move(message)}); };
    if (startsWith(bytes, "\xEF\xBB\xBF"))
        bytes.remove_prefix(3);
    if (bytes.empty()) {
        whole("το αρχείο είναι κενό — ξεκινήστε από το πρότυπο (onomatologia --export-set)");
    } else if (isWorkbook(bytes)) {
        whole(workbookMessage());
    } else if (startsWith(bytes, "\xFF\xFE") || startsWith(bytes, "\xFE\xFF") ||
               looksLikeUtf16(bytes)) {
        whole("το αρχείο είναι σε UTF-16 (\"Unicode Text\") — αποθηκεύστε το ως CSV UTF-8 "
              "(οριοθετημένο με κόμματα)");
    } else if (isValidUtf8(bytes)) {
        out.utf8 = std::string(bytes);
    } else {
        decodeWindows1253(bytes, out);
    }
    return out;
}

} // namespace content
