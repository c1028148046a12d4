#include "datarows.h"
#include "pictures.h"
#include "ui/platform/offscreendc.h"
#include "ui/platform/picturebox.h"
#include "ui/platform/qtcolor.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <QWheelEvent>

namespace {
constexpr ColorRef kBrush = rgbColor(200, 40, 10);
constexpr ColorRef kPen = rgbColor(10, 90, 220);
constexpr ColorRef kBackground = rgbColor(1, 2, 3);

// "x,y x,y ..." as points.
QList<QPoint> points(const QString& text) {
    QList<QPoint> list;
    for (const QString& pair : text.split(u' ', Qt::SkipEmptyParts))
        list << QPoint(pair.section(u',', 0, 0).toInt(), pair.section(u',', 1, 1).toInt());
    return list;
}

// A new bitmap (black) with these pixels in the pen's colour.
QImage blackWith(QSize size, const QList<QPoint>& pen) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::black);
    for (QPoint p : pen)
        image.setPixel(p, toQRgb(kPen));
    return image;
}

// A box whose drawing area is 100 x 80 pixels inside its border.
std::unique_ptr<PictureBox> placedBox(QSize area = {100, 80}) {
    auto box = std::make_unique<PictureBox>();
    box->place(QRect(QPoint(0, 0), area + QSize(2, 2) * PictureBox::kBorder));
    return box;
}
} // namespace

class TestPlatform : public QObject {
    Q_OBJECT
  private slots:
    void rectangle_data() {
        using R = Row<int, int, int, int>; // left, top, right, bottom on a bitmap of 255 x 255
        rows(R{"inside", 10, 20, 30, 25}, R{"(-1, -1)-(255, 255)", -1, -1, 255, 255},
             R{"past the left edge", -5, 10, 5, 20}, R{"past the top edge", 10, -5, 20, 5},
             R{"past the right edge", 250, 10, 260, 20},
             R{"past the bottom edge", 10, 250, 20, 260}, R{"one pixel", 7, 7, 8, 8},
             R{"two by two", 7, 7, 9, 9}, R{"empty: right at left", 5, 5, 5, 9},
             R{"empty: bottom above top", 5, 9, 9, 5},
             R{"wholly left and above", -20, -20, -10, -10});
    }
    void rectangle() {
        const auto [left, top, right, bottom] = fetch<int, int, int, int>();
        OffscreenDC dc;
        dc.SelectBrush(kBrush);
        dc.SelectPen(kPen);
        dc.Rectangle(left, top, right, bottom);
        // From (left, top) up to, not including, (right, bottom): the outermost pixels in the
        // pen, the others in the brush.
        QImage expected = blackWith({255, 255}, {});
        for (int y = std::max(top, 0); y < std::min(bottom, 255); ++y) {
            for (int x = std::max(left, 0); x < std::min(right, 255); ++x) {
                const bool edge = x == left || x == right - 1 || y == top || y == bottom - 1;
                expected.setPixel(x, y, toQRgb(edge ? kPen : kBrush));
            }
        }
        COMPARE_PICTURE(dc.image(), expected, "rectangle");
    }

    // On a bitmap of 8 x 6: a move and lines through the points, the closed path with these
    // corners, or single pixels set.
    void lines_data() {
        using R = Row<QString, QString, QString>; // how, points: pixels drawn
        rows(R{"horizontal", "lines", "2,3 6,3", "2,3 3,3 4,3 5,3"},
             R{"right to left", "lines", "6,3 2,3", "6,3 5,3 4,3 3,3"},
             R{"vertical", "lines", "4,1 4,5", "4,1 4,2 4,3 4,4"},
             R{"bottom to top", "lines", "4,5 4,1", "4,5 4,4 4,3 4,2"},
             R{"steep", "lines", "0,0 2,5", "0,0 0,1 1,2 1,3 2,4"},
             R{"shallow", "lines", "0,0 5,2", "0,0 1,0 2,1 3,1 4,2"},
             R{"half a pixel down a pixel", "lines", "0,0 2,1", "0,0 1,1"},
             R{"two pixels down a pixel", "lines", "0,0 1,2", "0,0 1,1"},
             R{"to the current point", "lines", "3,3 3,3", ""},
             R{"cut at the left", "lines", "-3,2 3,2", "0,2 1,2 2,2"},
             R{"cut at the right", "lines", "5,4 11,4", "5,4 6,4 7,4"},
             R{"cut at the top", "lines", "3,-4 3,2", "3,0 3,1"},
             R{"cut at the bottom right", "lines", "5,3 10,8", "5,3 6,4 7,5"},
             R{"closed path", "path", "1,1 4,3", "1,1 2,1 3,1 4,1 4,2 4,3 3,3 2,3 1,3 1,2"},
             R{"closed path past the top left", "path", "-1,-1 3,2", "3,0 3,1 3,2 2,2 1,2 0,2"},
             R{"pixels at the corners", "pixels", "0,0 7,0 0,5 7,5", "0,0 7,0 0,5 7,5"},
             R{"pixels just outside", "pixels", "-1,0 0,-1 8,2 0,6", ""});
    }
    void lines() {
        const auto [how, path, pixels] = fetch<QString, QString, QString>();
        OffscreenDC dc(8, 6);
        dc.SelectPen(kPen);
        const QList<QPoint> at = points(path);
        if (how == "path") StrokeClosedPath(dc, at[0].x(), at[0].y(), at[1].x(), at[1].y());
        for (qsizetype i = 0; how != "path" && i < at.size(); ++i) {
            if (how == "pixels") dc.SetPixel(at[i].x(), at[i].y(), kPen);
            if (how == "lines" && i == 0) dc.MoveToEx(at[i].x(), at[i].y());
            if (how == "lines" && i > 0) dc.LineTo(at[i].x(), at[i].y());
        }
        COMPARE_PICTURE(dc.image(), blackWith({8, 6}, points(pixels)), "lines");
    }

    // From a bitmap of 20 x 16 different colours onto a drawing area of 50 x 40.
    void stretchBlt_data() {
        using R = Row<int, int, int, int, int, int, int, int>; // dx, dy, dw, dh, sx, sy, sw, sh
        rows(R{"zoom 3 from (2, 3)", 0, 0, 18, 15, 2, 3, 6, 5},
             R{"zoom 3 at (4, 5)", 4, 5, 18, 15, 0, 0, 6, 5},
             R{"zoom 3, cut right, below", 40, 30, 18, 15, 0, 0, 6, 5},
             R{"zoom 4 at (-5, -7)", -5, -7, 24, 20, 0, 0, 6, 5},
             R{"zoom 4 at (-8, -8)", -8, -8, 24, 20, 0, 0, 6, 5},
             R{"zoom 5, all", 0, 0, 100, 80, 0, 0, 20, 16},
             R{"zoom 2 past the end", 0, 0, 12, 10, 17, 13, 6, 5},
             R{"zoom 2 before the start", 0, 0, 12, 10, -2, -1, 6, 5},
             R{"zoom 2.5", 0, 0, 10, 10, 0, 0, 4, 4},
             R{"zoom 2.5 past the end", 0, 0, 20, 20, 16, 12, 8, 8},
             R{"zoom 2.5 before the start", 0, 0, 20, 20, -3, -2, 8, 8},
             R{"zoom 2 across, 3 down", 0, 0, 12, 15, 0, 0, 6, 5},
             R{"shrinking", 0, 0, 10, 8, 0, 0, 20, 16},
             R{"zoom 2.65, cut all round", -3, -2, 53, 43, 0, 0, 20, 16},
             R{"no destination", 0, 0, 0, 10, 0, 0, 6, 5},
             R{"no source columns", 0, 0, 12, 10, 0, 0, 0, 5},
             R{"no source rows", 0, 0, 12, 10, 0, 0, 6, 0});
        for (int zoom = 2; zoom <= 9; ++zoom)
            QTest::addRow("zoom %d", zoom) << std::tuple(0, 0, 6 * zoom, 5 * zoom, 0, 0, 6, 5);
    }
    void stretchBlt() {
        const auto [dx, dy, dw, dh, sx, sy, sw, sh] =
            fetch<int, int, int, int, int, int, int, int>();
        OffscreenDC source(20, 16);
        for (int i = 0; i < 20 * 16; ++i)
            source.SetPixel(i % 20, i / 20, rgbColor(10 * (i % 20) + 5, 12 * (i / 20) + 3, 77));
        const auto box = placedBox({50, 40});
        box->Fill(kBackground);
        // Target pixel (x, y) shows source pixel (sx + (x - dx) * sw / dw, sy + ...) where
        // that exists.
        QImage expected = box->surface().copy();
        for (int i = 0; i < 50 * 40 && sw > 0 && sh > 0 && dw > 0 && dh > 0; ++i) {
            const int x = i % 50, y = i / 50, fromX = sx + (x - dx) * sw / dw,
                      fromY = sy + (y - dy) * sh / dh;
            if (x >= dx && x < dx + dw && y >= dy && y < dy + dh &&
                source.image().rect().contains(fromX, fromY))
                expected.setPixel(x, y, source.image().pixel(fromX, fromY));
        }
        StretchBlt(*box, dx, dy, dw, dh, source, sx, sy, sw, sh);
        COMPARE_PICTURE(box->surface(), expected, "stretchBlt");
    }

    // A press (0), move (1) or double-click (2) at a point of a box with a border of 2 pixels
    // around its drawing area of 100 x 80.
    void mouse_data() {
        const int shift = Qt::ShiftModifier, ctrl = Qt::ControlModifier, alt = Qt::AltModifier;
        using R =
            Row<int, double, double, int, int, int, QString>; // event, x, y, button, held, keys
        rows(R{"left", 0, 12.5, 7, 1, 1, 0, "down 1 0 10.5 5"},
             R{"right", 0, 12.5, 7, 2, 2, 0, "down 2 0 10.5 5"},
             R{"middle", 0, 12.5, 7, 4, 4, 0, "down 4 0 10.5 5"},
             R{"right, left held", 0, 12.5, 7, 2, 3, 0, "down 2 0 10.5 5"},
             R{"ctrl, alt", 0, 12.5, 7, 1, 1, ctrl | alt, "down 1 6 10.5 5"},
             R{"first pixel", 0, 2, 2, 1, 1, 0, "down 1 0 0 0"},
             R{"last pixel", 0, 101.5, 81.5, 1, 1, 0, "down 1 0 99.5 79.5"},
             R{"left border", 0, 1.5, 10, 1, 1, 0, ""}, R{"top border", 0, 10, 1.5, 1, 1, 0, ""},
             R{"right border", 0, 102, 10, 1, 1, 0, ""}, R{"bottom border", 0, 10, 82, 1, 1, 0, ""},
             R{"move", 1, 50, 40, 0, 0, 0, "move 0 0 48 38"},
             R{"move, shift", 1, 50, 40, 0, 0, shift, "move 0 1 48 38"},
             R{"move, two held", 1, 50, 40, 0, 3, 0, "move 3 0 48 38"},
             R{"move outside", 1, -10, 5, 0, 0, 0, ""},
             R{"move outside, held", 1, -10, 5, 0, 1, 0, "move 1 0 -12 3"},
             R{"move on the border, held", 1, 1, 1, 0, 2, 0, "move 2 0 -1 -1"},
             R{"double-click", 2, 50, 40, 1, 1, 0, "double-click"},
             R{"double-click, border", 2, 1, 1, 1, 1, 0, ""});
    }
    void mouse() {
        const auto [kind, x, y, button, held, keys, reported] =
            fetch<int, double, double, int, int, int, QString>();
        const auto box = placedBox();
        QStringList log;
        const auto record = [&log](const char* what) {
            return [&log, what](int b, int s, double x, double y) {
                log << QStringLiteral("%1 %2 %3 %4 %5").arg(what).arg(b).arg(s).arg(x).arg(y);
            };
        };
        QObject::connect(box.get(), &PictureBox::mouseDown, record("down"));
        QObject::connect(box.get(), &PictureBox::mouseMove, record("move"));
        QObject::connect(box.get(), &PictureBox::dblClick, [&log] { log << "double-click"; });
        const QEvent::Type types[] = {QEvent::MouseButtonPress, QEvent::MouseMove,
                                      QEvent::MouseButtonDblClick};
        QMouseEvent event(types[kind], QPointF(x, y), box->mapToGlobal(QPointF(x, y)),
                          Qt::MouseButton(button), Qt::MouseButtons(held),
                          Qt::KeyboardModifiers(keys));
        QApplication::sendEvent(box.get(), &event);
        QCOMPARE(log.join(u';'), reported);
    }

    void wheel_data() {
        using R = Row<QString, QString>; // angle deltas: notches reported
        rows(R{"whole notches", "120 240 -120", "1 2 -1"},
             R{"partial deltas add up", "40 40 40 40 40 40", "1 1"},
             R{"back and forth", "60 60 -30 240 -150 -150", "1 1 -1"},
             R{"down in pieces", "-100 -100", "-1"});
    }
    void wheel() {
        const auto [deltas, notches] = fetch<QString, QString>();
        const auto box = placedBox();
        QStringList turned;
        QObject::connect(box.get(), &PictureBox::wheelTurned,
                         [&turned](int steps) { turned << QString::number(steps); });
        for (const QString& delta : deltas.split(u' ')) {
            QWheelEvent event(QPointF(50, 40), QPointF(50, 40), QPoint(), QPoint(0, delta.toInt()),
                              Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(box.get(), &event);
        }
        QCOMPARE(turned.join(u' '), notches);
    }
};

QTEST_MAIN(TestPlatform)
#include "tst_platform.moc"
