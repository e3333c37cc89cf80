// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Cards as SHA-256 digests of their pixels, and the digests of the built-in
// cards taken from a rendering a person looked at (content/card-digests.txt).
// Glyph rasterising belongs to Qt and FreeType, so those hold only for the
// versions they were taken with, the file's first line.

#include <QByteArray>
#include <QCryptographicHash>
#include <QFile>
#include <QHash>
#include <QImage>
#include <QPixmap>
#include <QString>

#if defined(Q_OS_LINUX)
#include <dlfcn.h>
#endif

namespace testing_support {

// FreeType's version as the library Qt loaded reports it, read without its
// headers; empty where it cannot be asked.
inline QString freeTypeVersion() {
#if defined(Q_OS_LINUX)
    void* lib = dlopen("libfreetype.so.6", RTLD_LAZY | RTLD_NOLOAD);
    if (!lib)
        return {};
    using Init = int (*)(void**);
    using Version = void (*)(void*, int*, int*, int*);
    using Done = int (*)(void*);
    const auto init = reinterpret_cast<Init>(dlsym(lib, "FT_Init_FreeType"));
    const auto version = reinterpret_cast<Version>(dlsym(lib, "FT_Library_Version"));
    const auto done = reinterpret_cast<Done>(dlsym(lib, "FT_Done_FreeType"));
    QString text;
    void* library = nullptr;
    if (init && version && done && init(&library) == 0) {
        int major = 0, minor = 0, patch = 0;
        version(library, &major, &minor, &patch);
        text = QStringLiteral("%1.%2.%3").arg(major).arg(minor).arg(patch);
        done(library);
    }
    dlclose(lib);
    return text;
#else
    return {};
#endif
}

inline QString renderingVersions() {
    return QStringLiteral("qt %1 freetype %2").arg(QLatin1String(qVersion()), freeTypeVersion());
}

inline QByteArray digest(const QPixmap& pixmap) {
    const QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(QByteArray::number(image.width()) + 'x' + QByteArray::number(image.height()));
    for (int y = 0; y < image.height(); ++y)
        hash.addData(QByteArrayView(reinterpret_cast<const char*>(image.constScanLine(y)),
                                    qsizetype(image.width()) * 4));
    return hash.result().toHex();
}

// "formula 3 @2" and its pinned digest, from `path`; empty unless they were
// taken with this Qt and FreeType.
inline QHash<QString, QByteArray> pinnedCardDigests(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QList<QByteArray> lines = file.readAll().trimmed().split('\n');
    if (QString::fromUtf8(lines.value(0)) != renderingVersions())
        return {};
    QHash<QString, QByteArray> pinned;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const qsizetype cut = lines[i].lastIndexOf(' ');
        pinned.insert(QString::fromUtf8(lines[i].left(cut)), lines[i].mid(cut + 1));
    }
    return pinned;
}

} // namespace testing_support
