// icontool <icon.svg> <outdir>: writes <outdir>/hicolor/<N>x<N>/tolvanmere.png for the
// usual sizes and <outdir>/tolvanmere.ico holding the same images as PNG entries.
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

QImage render(QSvgRenderer &renderer, int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    renderer.render(&painter, QRectF(0, 0, size, size));
    painter.end();
    return image;
}

template <typename T>
void put(QByteArray &out, T value)
{
    value = qToLittleEndian(value);
    out.append(reinterpret_cast<const char *>(&value), sizeof value);
}

// ICO with PNG-compressed entries, which Windows reads since Vista.
QByteArray icoFile(const QList<QByteArray> &pngs, const QList<int> &sizes)
{
    QByteArray out;
    put<quint16>(out, 0);
    put<quint16>(out, 1);
    put<quint16>(out, quint16(pngs.size()));
    quint32 offset = 6 + 16 * quint32(pngs.size());
    for (qsizetype i = 0; i < pngs.size(); ++i) {
        const int s = sizes[i];
        out.append(char(s >= 256 ? 0 : s));
        out.append(char(s >= 256 ? 0 : s));
        out.append(char(0));
        out.append(char(0));
        put<quint16>(out, 1);
        put<quint16>(out, 32);
        put<quint32>(out, quint32(pngs[i].size()));
        put<quint32>(out, offset);
        offset += quint32(pngs[i].size());
    }
    for (const QByteArray &png : pngs)
        out.append(png);
    return out;
}

}  // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: icontool <icon.svg> <outdir>\n");
        return 2;
    }
    QSvgRenderer renderer(QString::fromLocal8Bit(argv[1]));
    if (!renderer.isValid()) {
        std::fprintf(stderr, "icontool: cannot read %s\n", argv[1]);
        return 1;
    }
    const QDir outdir(QString::fromLocal8Bit(argv[2]));
    const QList<int> sizes = {16, 32, 48, 64, 128, 256};
    QList<QByteArray> pngs;
    for (int size : sizes) {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        render(renderer, size).save(&buffer, "PNG");
        pngs.append(png);
        const QString dir = QStringLiteral("hicolor/%1x%1").arg(size);
        QFile file(outdir.filePath(dir + QStringLiteral("/tolvanmere.png")));
        if (!outdir.mkpath(dir) || !file.open(QIODevice::WriteOnly)
            || file.write(png) != png.size()) {
            std::fprintf(stderr, "icontool: cannot write %s\n", qPrintable(file.fileName()));
            return 1;
        }
    }
    // The .ico keeps to the sizes Windows shows; 64 and 128 add nothing there.
    QList<QByteArray> icoPngs;
    QList<int> icoSizes;
    for (qsizetype i = 0; i < sizes.size(); ++i) {
        if (sizes[i] == 64 || sizes[i] == 128)
            continue;
        icoPngs.append(pngs[i]);
        icoSizes.append(sizes[i]);
    }
    QFile ico(outdir.filePath(QStringLiteral("tolvanmere.ico")));
    const QByteArray data = icoFile(icoPngs, icoSizes);
    if (!ico.open(QIODevice::WriteOnly) || ico.write(data) != data.size()) {
        std::fprintf(stderr, "icontool: cannot write %s\n", qPrintable(ico.fileName()));
        return 1;
    }
    return 0;
}
