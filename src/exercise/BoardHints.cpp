// SPDX-License-Identifier: GPL-3.0-or-later
#include "exercise/BoardHints.h"

namespace boardHints {

QString placedToolTip() {
    return QStringLiteral(u"αφαιρέστε το με διπλό κλικ, με δεξί κλικ δείτε τις επεξηγήσεις");
}

QString columnToolTip() {
    return QStringLiteral(
        u"η μεταφορά ξεκινάει με πατημένο κλικ, με δεξί κλικ δείτε τις επεξηγήσεις");
}

QString keyboardHelp() {
    return QStringLiteral(
        u"Με το πληκτρολόγιο: το Tab περνά από τα ονόματα στους τύπους και πίσω, τα βέλη, το "
        u"Home και το End μετακινούν, το Enter ή το διάστημα σηκώνει ένα όνομα και το βάζει κάτω "
        u"από έναν τύπο, το Esc το αφήνει, το Delete παίρνει πίσω ένα όνομα από τον τύπο του και "
        u"το πλήκτρο μενού ή το Shift+F10 ανοίγει τις επεξηγήσεις και το F10 πηγαίνει στο μενού, "
        u"όπου είναι ο Έλεγχος, και το Esc γυρίζει από εκεί πίσω");
}

} // namespace boardHints
