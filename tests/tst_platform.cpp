#include "session.h"
#include "ui/platform/offscreendc.h"

#include <QSignalSpy>

namespace {
constexpr ColorRef kBrush = rgbColor(200, 40, 10);
constexpr ColorRef kPen = rgbColor(10, 90, 220);

// "x,y x,y ..." as points.
QList<QPoint> points(const QString& text) {
    QList<QPoint> list;
    for (const QString& pair : text.split(u' ', Qt::SkipEmptyParts))
        list << QPoint(pair.section(u',', 0, 0).toInt(), pair.section(u',', 1, 1).toInt());
    return list;
}

} // namespace

class TestPlatform : public QObject {
    Q_OBJECT
  private slots:
    // On a black 8 x 6 bitmap: a rectangle up to, not including, its second point (its edges in
    // the pen, the inside in the brush), lines through the points, a closed path or pixels.
    void drawing_data() {
        using R = Row<QString, QString, QString>; // how, points: pixels drawn with the pen
        rows(R{"top left", "rect", "-2,-2 3,3", ""}, R{"bottom right", "rect", "5,4 10,9", ""},
             R{"1 pixel wide", "rect", "3,1 4,5", ""}, R{"zero length", "line", "3,3 3,3", ""},
             R{"right at left", "rect", "2,1 2,5", ""}, R{"bottom at top", "rect", "1,2 5,2", ""},
             R{"shallow, steep, each half a pixel off", "line", "0,0 2,1 3,3", "0,0 1,1 2,1 3,2"},
             R{"closed path", "path", "1,1 4,3", "1,1 2,1 3,1 4,1 4,2 4,3 3,3 2,3 1,3 1,2"},
             R{"corners", "pixels", "0,0 7,0 0,5 7,5 -1,0 0,-1 8,2 0,6", "0,0 7,0 0,5 7,5"});
    }
    void drawing() {
        const auto [how, path, pixels] = fetch<QString, QString, QString>();
        OffscreenDC dc(8, 6);
        dc.SelectBrush(kBrush);
        dc.SelectPen(kPen);
        const QList<QPoint> at = points(path);
        const int left = at[0].x(), top = at[0].y(), right = at.last().x(), bottom = at.last().y();
        if (how == "rect") dc.Rectangle(left, top, right, bottom);
        if (how == "path") strokeClosedPath(dc, left, top, right, bottom);
        for (qsizetype i = 0; i < at.size(); ++i) {
            if (how == "pixels") dc.SetPixel(at[i].x(), at[i].y(), kPen);
            if (how == "line") i ? dc.LineTo(at[i].x(), at[i].y()) : dc.MoveToEx(left, top);
        }
        QImage expected(8, 6, QImage::Format_RGB32);
        expected.fill(Qt::black);
        const QRect area(at[0], at.last() - QPoint(1, 1)); // a rectangle's: its edges and inside
        for (int i = 0; how == "rect" && i < 8 * 6; ++i)
            if (area.contains(i % 8, i / 8))
                expected.setPixel(i % 8, i / 8,
                                  toQRgb(area.contains(i % 8, i / 8, true) ? kBrush : kPen));
        for (QPoint p : points(pixels))
            expected.setPixel(p, toQRgb(kPen));
        COMPARE_PICTURE(dc.image(), expected, "drawing");
    }

    // The fast paths write rows straight into the bitmap: only a block wholly inside may take them.
    void holds() {
        const OffscreenDC dc(8, 6);
        QVERIFY(dc.holds(0, 0, 8, 6) && dc.holds(7, 5, 1, 1));
        QVERIFY(!dc.holds(1, 0, 8, 1) && !dc.holds(0, 1, 1, 6));
        QVERIFY(!dc.holds(-1, 0, 1, 1) && !dc.holds(0, -1, 1, 1));
    }

    // The top-left width x height of 20 x 16 different colours at a zoom onto 50 x 40.
    void stretchBlt_data() {
        using R = Row<int, int, int>; // width, height, zoom
        rows(R{"5, cut at blocks' edges", 20, 16, 5}, R{"3, cut inside blocks", 20, 16, 3},
             R{"past the source", 25, 18, 2}, R{"no columns", 0, 5, 2}, R{"no rows", 6, 0, 2});
        for (int zoom = 1; zoom <= 10; ++zoom) // 2 to 9 have a copy of their own
            QTest::addRow("zoom %d", zoom) << std::tuple(6, 5, zoom);
    }
    void stretchBlt() {
        const auto [width, height, zoom] = fetch<int, int, int>();
        OffscreenDC source(20, 16);
        for (int i = 0; i < 20 * 16; ++i)
            source.SetPixel(i % 20, i / 20, rgbColor(10 * (i % 20) + 5, 12 * (i / 20) + 3, 77));
        PictureBox box; // a drawing area of 50 x 40 inside a border of 2
        box.place({0, 0, 54, 44});
        for (int i = 0; i < 50 * 40; ++i) // what lies there already, row for row different
            box.surface().setPixel(i % 50, i / 50, qRgb(i % 50, i / 50, 200));
        // Each target pixel shows the source pixel it scales to, where that exists.
        QImage expected = box.surface().copy();
        for (int i = 0; i < 50 * 40; ++i)
            if (const QPoint at(i % 50 / zoom, i / 50 / zoom);
                at.x() < width && at.y() < height && source.image().valid(at))
                expected.setPixel(i % 50, i / 50, source.image().pixel(at));
        StretchBlt(box, source, width, height, zoom);
        COMPARE_PICTURE(box.surface(), expected, "stretchBlt");
    }

    // A press (event 2), move (5, reported with no button held too) or double-click (4) on a box
    // whose drawing area is 100 x 80.
    void mouse_data() {
        const int shift = Qt::ShiftModifier, ctrl = Qt::ControlModifier, alt = Qt::AltModifier;
        // event, x, y, button, held, keys: what the box reports
        using R = Row<int, double, double, int, int, int, QString>;
        rows(R{"middle, ctrl, alt", 2, 12.5, 7, 4, 4, ctrl | alt, "down 4 6 10.5 5"},
             R{"right, left held", 2, 12.5, 7, 2, 3, 0, "down 2 0 10.5 5"},
             R{"first pixel", 2, 2, 2, 1, 1, 0, "down 1 0 0 0"},
             R{"last pixel", 2, 101.5, 81.5, 1, 1, 0, "down 1 0 99.5 79.5"},
             R{"left border", 2, 1.5, 10, 1, 1, 0, ""}, R{"top border", 2, 10, 1.5, 1, 1, 0, ""},
             R{"right border", 2, 102, 10, 1, 1, 0, ""}, R{"bottom border", 2, 10, 82, 1, 1, 0, ""},
             R{"move, shift", 5, 50, 40, 0, 0, shift, "move 0 1 48 38"},
             R{"move out", 5, -10, 5, 0, 0, 0, ""}, R{"double-click border", 4, 1, 1, 1, 1, 0, ""},
             R{"move out, held", 5, -10, 5, 0, 1, 0, "move 1 0 -12 3"});
    }
    void mouse() {
        const auto [type, x, y, button, held, keys, reported] =
            fetch<int, double, double, int, int, int, QString>();
        PictureBox box; // a drawing area of 100 x 80 inside a border of 2
        box.place({0, 0, 104, 84});
        QStringList log;
        for (const auto& [signal, what] :
             {std::pair(&PictureBox::mouseDown, "down"), std::pair(&PictureBox::mouseMove, "move")})
            QObject::connect(&box, signal, [&log, what](int b, int s, double x, double y) {
                log << QString::asprintf("%s %d %d %g %g", what, b, s, x, y);
            });
        QObject::connect(&box, &PictureBox::dblClick, [&log] { log << "double-click"; });
        QMouseEvent event(QEvent::Type(type), QPointF(x, y), QPointF(x, y), Qt::MouseButton(button),
                          Qt::MouseButtons(held), Qt::KeyboardModifiers(keys));
        QApplication::sendEvent(&box, &event);
        QCOMPARE(log.join(u';'), reported);
    }

    // Whole notches only: partial deltas add up, in either direction.
    void wheel() {
        PictureBox box;
        QSignalSpy turned(&box, &PictureBox::wheelTurned);
        for (const int delta : {120, 240, -120, 60, 60, -30, 240, -150, -150}) {
            QWheelEvent event(QPointF(), QPointF(), QPoint(), QPoint(0, delta), Qt::NoButton,
                              Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(&box, &event);
        }
        QCOMPARE(QList(turned), QList<QVariantList>({{1}, {2}, {-1}, {1}, {1}, {-1}}));
    }
};

QTEST_MAIN(TestPlatform)
#include "tst_platform.moc"
