// SPDX-License-Identifier: GPL-3.0-or-later
#include "content/FileErrors.h"

#include <QDir>
#include <QFileInfo>
#include <cerrno>

namespace content {

QString unreadableReason(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists())
        return QStringLiteral(u"το αρχείο δεν υπάρχει");
    if (info.isDir())
        return QStringLiteral(u"είναι φάκελος, όχι αρχείο");
    if (!info.isReadable())
        return QStringLiteral(u"δεν έχετε άδεια να διαβάσετε το αρχείο");
    return {};
}

QString unwritableReason(const QString& path, bool replace) {
    const QFileInfo info(path);
    if (info.isDir())
        return QStringLiteral(u"είναι φάκελος, όχι αρχείο");
    if (!replace && (info.exists() || info.isSymLink()))
        return QStringLiteral(u"το αρχείο υπάρχει ήδη — το πρόγραμμα δεν γράφει ποτέ πάνω σε "
                              u"αρχείο· δώστε άλλο όνομα");
    const QFileInfo folder(info.absolutePath());
    if (!folder.isDir())
        return QStringLiteral(u"ο φάκελος δεν υπάρχει");
    if (!folder.isWritable())
        return QStringLiteral(u"δεν έχετε άδεια να γράψετε σε αυτόν τον φάκελο");
    return {};
}

QString writeErrorText(int errorNumber) {
    switch (errorNumber) {
    case EACCES:
    case EPERM:
        return QStringLiteral(u"δεν έχετε άδεια να γράψετε εκεί");
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return QStringLiteral(u"ο δίσκος είναι γεμάτος");
    case EROFS:
        return QStringLiteral(u"ο δίσκος είναι μόνο για ανάγνωση");
    case ENOENT:
        return QStringLiteral(u"ο φάκελος δεν υπάρχει");
    case EISDIR:
        return QStringLiteral(u"είναι φάκελος, όχι αρχείο");
    case EEXIST:
        return QStringLiteral(u"το αρχείο υπάρχει ήδη");
    default:
        return QStringLiteral(u"η εγγραφή απέτυχε (σφάλμα %1)").arg(errorNumber);
    }
}

} // namespace content
