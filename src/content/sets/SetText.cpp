// SPDX-License-Identifier: GPL-3.0-or-later
#include "content/sets/SetText.h"

#include "content/notation/NotationText.h"
#include "content/sets/Windows1253.h"

namespace content {

namespace {

bool startsWith(std::string_view s, std::string_view prefix) {
    return s.substr(0, prefix.size()) == prefix;
}

} // namespace

SetText decodeSetBytes(std::string_view bytes) {
    SetText out;
    if (startsWith(bytes, "\xFF\xFE") || startsWith(bytes, "\xFE\xFF")) {
        out.problems.push_back({0, 0,
                                "το αρχείο είναι σε UTF-16 (\"Unicode Text\") — αποθηκεύστε το "
                                "ως CSV UTF-8 (οριοθετημένο με κόμματα)"});
        return out;
    }
    if (startsWith(bytes, "\xEF\xBB\xBF"))
        bytes.remove_prefix(3);
    if (isValidUtf8(bytes)) {
        out.utf8 = std::string(bytes);
        return out;
    }
    out.encoding = SetEncoding::Windows1253;
    int row = 1, column = 0;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        ++column;
        if (byte == '\n') {
            ++row;
            column = 0;
        }
        const char32_t decoded = windows1253(byte);
        if (decoded == 0 && byte != 0) {
            out.problems.push_back(
                {row, 0,
                 "ο χαρακτήρας " + std::to_string(column) +
                     " της γραμμής δεν είναι ούτε UTF-8 ούτε Windows-1253 — αποθηκεύστε το "
                     "αρχείο ως CSV UTF-8"});
            continue;
        }
        out.utf8 += utf8Of(decoded);
    }
    return out;
}

} // namespace content
