#pragma once
// The exercise window's seven menu captions, for the empty window the start-up
// probe measures against: the same menu bar with nothing behind it.
#include <QString>
#include <array>

inline std::array<QString, 7> menuCaptions() {
    return {QStringLiteral(u"Βοήθεια"),
            QStringLiteral(u"Έλεγχος"),
            QStringLiteral(u"Απ' την αρχή"),
            QStringLiteral(u"Φύλλο εργασίας"),
            QStringLiteral(u"|"),
            QStringLiteral(u"Περί..."),
            QStringLiteral(u"Έξοδος")};
}
