#include "pictures.h"

#include "testtiles.h"

#include <QDir>
#include <QRegularExpression>

#include <cmath>

namespace {

// What a box shows where no cell is drawn.
constexpr ColorRef kGrey = rgbColor(191, 191, 191);

QRgb rgb(ColorRef c) {
    return qRgb(colorRed(c), colorGreen(c), colorBlue(c));
}

bool onOutline(int x, int y, int x1, int y1, int x2, int y2) {
    const bool inX = x >= x1 && x <= x2;
    const bool inY = y >= y1 && y <= y2;
    return (inX && (y == y1 || y == y2)) || (inY && (x == x1 || x == x2));
}

// Both views: `count` cells of 8 (9 with the grid) bitmap pixels, each shown as zoom x zoom;
// `tile` gives the colour of pixel (px, py) of cell (c, r). The marked cell has a ring in the
// selection colour with the grid, an outline in `outline` without it.
template <class View, class Tile>
QImage drawCells(const View& v, QPoint mark, QSize count, ColorRef outside, ColorRef outline,
                 Tile tile) {
    const int cell = v.grid ? 9 : 8;
    QImage image(v.box, QImage::Format_RGB32);
    for (int y = 0; y < v.box.height(); ++y) {
        for (int x = 0; x < v.box.width(); ++x) {
            QRgb color = rgb(outside);
            const int bx = x / v.zoom, by = y / v.zoom;
            if (bx < count.width() * cell && by < count.height() * cell) {
                const int c = bx / cell, r = by / cell, px = bx % cell, py = by % cell;
                color = rgb(px < 8 && py < 8 ? tile(c, r, px, py) : v.colors.grid);
                const int left = 9 * mark.x() - 1, top = 9 * mark.y() - 1;
                if (v.grid && onOutline(bx, by, left, top, left + 9, top + 9))
                    color = rgb(v.colors.selection);
            }
            const int mx = mark.x() * 8 * v.zoom, my = mark.y() * 8 * v.zoom;
            if (!v.grid && onOutline(x, y, mx, my, mx + 8 * v.zoom, my + 8 * v.zoom))
                color = rgb(outline);
            image.setPixel(x, y, color);
        }
    }
    return image;
}

int counts(int extent, int zoom, int cell) {
    return int(std::nearbyint(double(extent) / (zoom * cell)));
}

} // namespace

QImage expectedGreyBrowser(QSize box) {
    QImage image(box, QImage::Format_RGB32);
    image.fill(rgb(kGrey));
    return image;
}

QImage expectedBrowser(const QByteArray& file, const BrowserPicture& v) {
    const int cell = v.grid ? 9 : 8;
    const int columns = counts(v.box.width(), v.zoom, cell);
    const QSize count(columns, counts(v.box.height(), v.zoom, cell));
    const QPoint mark(v.markColumn, v.markRow);
    return drawCells(v, mark, count, kGrey, v.colors.grid, [&](int c, int r, int px, int py) {
        const qint64 address = v.top + 16 * (qint64(c) + qint64(r) * columns);
        return v.colors.palette[size_t(pixelByHand(file, address, px, py))];
    });
}

QImage expectedEditor(const EditorTileArray& tiles, const EditorPicture& v) {
    const QPoint mark(v.selColumn, v.selRow);
    return drawCells(v, mark, {10, 8}, v.colors.grid, 0, [&](int c, int r, int px, int py) {
        const TileRecord& t = tiles[size_t(c + 10 * r)];
        const size_t pixel = size_t(8 * (t.FlipY ? 7 - py : py) + (t.FlipX ? 7 - px : px));
        return v.hideNoncopied && t.Address == 0 ? v.colors.empty
                                                 : v.colors.palette[t.Pixels[pixel]];
    });
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

bool shows(QWidget* widget, ColorRef color, int frame) {
    const QImage image = widget->parentWidget()->grab(widget->geometry()).toImage();
    for (int y = frame; y < image.height() - frame; ++y)
        for (int x = frame; x < image.width() - frame; ++x)
            if (image.pixel(x, y) != rgb(color)) return false;
    return !image.isNull();
}
