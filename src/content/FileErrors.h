// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Why a file cannot be read or written, in the Greek a teacher reads. The
// system's own words are English and an open error alone does not tell a
// missing file from a folder or a file without permission, so the path is
// looked at first, and the system's error number tells the rest.

#include <QString>

namespace content {

// Why `path` cannot be read as a file: missing, a folder, no permission;
// empty when nothing stands in the way.
QString unreadableReason(const QString& path);

// Why `path` cannot be written before anything is tried: it is a folder,
// its folder is missing or not writable, or, unless `replace`, it exists
// already; empty when nothing stands in the way.
QString unwritableReason(const QString& path, bool replace = false);

// The words for the system's error number `errorNumber` met while writing:
// no permission, disk full, read-only, or "(σφάλμα N)".
QString writeErrorText(int errorNumber);

} // namespace content
