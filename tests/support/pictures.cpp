#include "pictures.h"

#include "testtiles.h"

#include <QDir>
#include <QRegularExpression>

#include <cmath>

namespace {

QRgb rgb(ColorRef c) {
    return qRgb(colorRed(c), colorGreen(c), colorBlue(c));
}

bool onRing(int bx, int by, int column, int row) {
    const int left = 9 * column - 1, right = 9 * column + 8;
    const int top = 9 * row - 1, bottom = 9 * row + 8;
    const bool inX = bx >= left && bx <= right;
    const bool inY = by >= top && by <= bottom;
    return (inX && (by == top || by == bottom)) || (inY && (bx == left || bx == right));
}

bool onOutline(int x, int y, int x1, int y1, int x2, int y2) {
    const bool inX = x >= x1 && x <= x2;
    const bool inY = y >= y1 && y <= y2;
    return (inX && (y == y1 || y == y2)) || (inY && (x == x1 || x == x2));
}

int counts(int extent, int zoom, int cell) {
    return int(std::nearbyint(double(extent) / (zoom * cell)));
}

} // namespace

QImage expectedGreyBrowser(QSize box) {
    QImage image(box, QImage::Format_RGB32);
    image.fill(qRgb(191, 191, 191));
    return image;
}

QImage expectedBrowser(const QByteArray& file, const BrowserPicture& v) {
    const int cell = v.grid ? 9 : 8;
    const int columns = counts(v.box.width(), v.zoom, cell);
    const int rows = counts(v.box.height(), v.zoom, cell);
    QImage image(v.box, QImage::Format_RGB32);
    for (int y = 0; y < v.box.height(); ++y) {
        for (int x = 0; x < v.box.width(); ++x) {
            QRgb color = rgb(v.background);
            const int bx = x / v.zoom, by = y / v.zoom;
            if (x < columns * cell * v.zoom && y < rows * cell * v.zoom && bx < 255 && by < 255) {
                const int c = bx / cell, r = by / cell, px = bx % cell, py = by % cell;
                color = rgb(v.colors.grid);
                if (px < 8 && py < 8) {
                    const qint64 address = v.top + 16 * (qint64(c) + qint64(r) * columns);
                    color = rgb(v.colors.palette[size_t(pixelByHand(file, address, px, py))]);
                }
                if (v.grid && onRing(bx, by, v.markColumn, v.markRow))
                    color = rgb(v.colors.selection);
            }
            const int mx = v.markColumn * 8 * v.zoom, my = v.markRow * 8 * v.zoom;
            if (!v.grid && onOutline(x, y, mx, my, mx + 8 * v.zoom, my + 8 * v.zoom))
                color = rgb(v.colors.grid);
            image.setPixel(x, y, color);
        }
    }
    return image;
}

QImage expectedEditor(const EditorTileArray& tiles, const EditorPicture& v) {
    const int cell = v.grid ? 9 : 8;
    QImage image(v.box, QImage::Format_RGB32);
    for (int y = 0; y < v.box.height(); ++y) {
        for (int x = 0; x < v.box.width(); ++x) {
            QRgb color = rgb(v.colors.grid);
            const int bx = x / v.zoom, by = y / v.zoom;
            if (bx < 10 * cell && by < 8 * cell) {
                const int c = bx / cell, r = by / cell, px = bx % cell, py = by % cell;
                const TileRecord& t = tiles[size_t(c + 10 * r)];
                if (px < 8 && py < 8) {
                    if (v.hideNoncopied && t.Address == 0) {
                        color = rgb(v.colors.empty);
                    } else {
                        const int sx = t.FlipX ? 7 - px : px;
                        const int sy = t.FlipY ? 7 - py : py;
                        color = rgb(v.colors.palette[t.Pixels[size_t(8 * sy + sx)]]);
                    }
                }
                if (v.grid && onRing(bx, by, v.selColumn, v.selRow))
                    color = rgb(v.colors.selection);
            }
            const int sx = 8 * v.zoom * v.selColumn, sy = 8 * v.zoom * v.selRow;
            if (!v.grid && onOutline(x, y, sx, sy, sx + 8 * v.zoom, sy + 8 * v.zoom))
                color = qRgb(0, 0, 0);
            image.setPixel(x, y, color);
        }
    }
    return image;
}

QString pictureDifference(const QImage& actual, const QImage& expected, const QString& name) {
    const QImage a = actual.convertToFormat(QImage::Format_RGB32);
    const QImage e = expected.convertToFormat(QImage::Format_RGB32);
    QString difference;
    if (a.size() != e.size())
        difference = QString::asprintf(": size %dx%d, expected %dx%d", a.width(), a.height(),
                                       e.width(), e.height());
    for (int i = 0; difference.isEmpty() && i < a.width() * a.height(); ++i) {
        const int x = i % a.width(), y = i / a.width();
        if (a.pixel(x, y) != e.pixel(x, y))
            difference =
                QString::asprintf(": first difference at (%d, %d): #%06x, expected #%06x", x, y,
                                  a.pixel(x, y) & 0xFFFFFFu, e.pixel(x, y) & 0xFFFFFFu);
    }
    if (difference.isEmpty()) return {};
    const QString folder = qEnvironmentVariable("PELORIN_TEST_OUTPUT", QDir::currentPath());
    QDir().mkpath(folder);
    const QString file =
        folder + u'/' + QString(name).replace(QRegularExpression("[^A-Za-z0-9_-]"), "_");
    a.save(file + QStringLiteral("-actual.png"));
    e.save(file + QStringLiteral("-expected.png"));
    return name + difference;
}
