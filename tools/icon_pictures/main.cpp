// SPDX-License-Identifier: GPL-3.0-or-later
// Draws the program's vector icon at every size a desktop asks for, as PNG
// files and one Windows .ico holding them all: the Windows build carries
// these pictures instead of an SVG renderer.
//   icon_pictures ICON.svg OUTDIR
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QtEndian>
#include <cstdio>

namespace {

constexpr int sides[] = {16, 24, 32, 48, 64, 128, 256};

QByteArray png(QSvgRenderer& renderer, int side) {
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

template <typename T> void put(QByteArray& out, T value) {
    const T le = qToLittleEndian(value);
    out.append(reinterpret_cast<const char*>(&le), sizeof le);
}

// An .ico is a directory of images; since Windows Vista each may be a PNG.
QByteArray ico(const QList<QByteArray>& pngs) {
    QByteArray out;
    put<quint16>(out, 0);
    put<quint16>(out, 1);
    put<quint16>(out, static_cast<quint16>(pngs.size()));
    quint32 offset = 6 + 16 * static_cast<quint32>(pngs.size());
    for (qsizetype i = 0; i < pngs.size(); ++i) {
        const int side = sides[i];
        out.append(static_cast<char>(side >= 256 ? 0 : side)); // 0 stands for 256
        out.append(static_cast<char>(side >= 256 ? 0 : side));
        out.append('\0'); // no palette
        out.append('\0');
        put<quint16>(out, 1);  // planes
        put<quint16>(out, 32); // bits a pixel
        put<quint32>(out, static_cast<quint32>(pngs[i].size()));
        put<quint32>(out, offset);
        offset += static_cast<quint32>(pngs[i].size());
    }
    for (const QByteArray& p : pngs)
        out += p;
    return out;
}

bool save(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: icon_pictures ICON.svg OUTDIR\n");
        return 2;
    }
    QSvgRenderer renderer(args[1]);
    if (!renderer.isValid() || !QDir().mkpath(args[2])) {
        std::fprintf(stderr, "icon_pictures: cannot read %s or make %s\n", qPrintable(args[1]),
                     qPrintable(args[2]));
        return 1;
    }
    QList<QByteArray> pngs;
    for (const int side : sides) {
        pngs.append(png(renderer, side));
        if (!save(QStringLiteral("%1/onomatologia-%2.png").arg(args[2]).arg(side), pngs.last()))
            return 1;
    }
    return save(args[2] + QStringLiteral("/onomatologia.ico"), ico(pngs)) ? 0 : 1;
}
