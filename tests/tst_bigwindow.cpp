// A window larger than designed: the room goes to the two views, which show more cells and
// more of a zoomed canvas; on a screen scaled by 2 both views are the same pictures, each
// pixel a square of 2 x 2. CTest runs this file at scale 1 and at scale 2.
#include "session.h"

#include <QGroupBox>
#include <QScreen>
#include <QScrollBar>

class TestBigWindow : public QObject {
    Q_OBJECT

  private slots:
    // The window resized (no size: maximised), the browser zoomed and its grid switched: the
    // drawing areas, the browser's grid and pictures; the scroll bar beside the box, the
    // frames by their views. A press and a double-click on a cell only the larger view has;
    // Page Down on the scroll bar moves by the rows shown. The editor at zoom 9. The offscreen
    // screen is 800 x 800, a window on it 796 x 796 inside its frame.
    void resized_data() {
        // size, zoom clicks, grid, browser area, editor area, columns, far cell, page top
        using R = Row<QSize, int, bool, QSize, QSize, int, QPoint, int>;
        // clang-format off
        rows(R{"wider only", {825, 546}, 0, false, {429, 397}, {361, 245}, 18, {17, 16}, 1904},
             R{"taller only", {525, 846}, -1, true, {229, 697}, {261, 545}, 13, {12, 38}, 1872},
             R{"both", {900, 1000}, -1, false, {479, 851}, {386, 699}, 30, {29, 52}, 1696},
             R{"maximised", {}, 0, true, {410, 647}, {351, 495}, 15, {14, 23}, 1920});
        // clang-format on
    }
    void resized() {
        const auto [size, clicks, grid, browserArea, editorArea, columns, far, pageTop] =
            fetch<QSize, int, bool, QSize, QSize, int, QPoint, int>();
        Session s;
        FormMain& f = s.form;
        const QByteArray bytes = randomBytes(1 << 20, 5);
        s.open(bytes);
        size.isEmpty() ? f.showMaximized() : f.resize(size);
        QTRY_COMPARE(f.SpriteBox->contentsRect().size(), browserArea);
        QCOMPARE(f.EditorBox->contentsRect().size(), editorArea);
        Session::click(clicks < 0 ? f.BtBrowZoomOut : f.BtBrowZoomIn, Qt::LeftButton, -clicks);
        if (grid) Session::click(f.ChkGrid);
        const int zoom = 3 + clicks;
        COMPARE_PICTURE(s.browser(), expectedBrowser(bytes, {0, zoom, grid, 0, 0, {}, browserArea}),
                        "grid");
        const QRect box = f.SpriteBox->geometry();
        QCOMPARE(f.SpriteScroll->geometry(), QRect(box.right() + 2, box.top(), 17, box.height()));
        QCOMPARE(
            QList<int>({f.Frame4->x(), f.Frame5->x(), f.EditorBox->x(), f.Frame3->y(),
                        f.Frame2->y(), f.Bthelp->y()}),
            QList<int>({box.right() + 24, box.right() + 144, box.right() + 24,
                        f.EditorBox->geometry().bottom() + 8, f.height() - 42, f.height() - 34}));

        const qint64 address = 16LL * (far.x() + far.y() * columns);
        s.copyToEditor(far.x(), far.y());
        Session::click(f.BtEditZoomOut, Qt::LeftButton, 6);
        const EditorTileArray tiles{TileRecord{decodeByHand(bytes, address), qint32(address)}};
        COMPARE_PICTURE(s.editor(), expectedEditor(tiles, {9, false, 1, 0, false, {}, editorArea}),
                        "editor");
        f.SpriteScroll->setFocus();
        QTest::keyClick(f.SpriteScroll, Qt::Key_PageDown);
        COMPARE_PICTURE(
            s.browser(),
            expectedBrowser(bytes, {pageTop, zoom, grid, far.x(), far.y(), {}, browserArea}),
            "paged");
    }

    // Both views on the screen: every pixel of their pictures a square of whole device
    // pixels; the buttons show the pictures drawn for the screen's scale.
    void scaledScreen() {
        Session s;
        s.form.resize(700, 700);
        s.open(randomBytes(4096, 9));
        Session::click(s.form.ChkGridEditor);
        QTRY_COMPARE(s.form.size(), QSize(700, 700));
        const qreal scale = s.form.devicePixelRatioF();
        QCOMPARE(scale, qEnvironmentVariableIntValue("QT_SCALE_FACTOR") == 2 ? 2.0 : 1.0);
        for (PictureBox* box : {s.form.SpriteBox, s.form.EditorBox}) {
            const QImage& surface = box->surface(); // against the drawing area in device pixels
            const QImage shown = box->grab(box->contentsRect()).toImage();
            COMPARE_PICTURE(shown.convertToFormat(QImage::Format_RGB32),
                            surface.scaled(surface.size() * scale),
                            box == s.form.SpriteBox ? "browser" : "editor");
        }
        const QImage picture(scale == 2 ? ":/icons/open@2x.png" : ":/icons/open.png");
        QCOMPARE(s.form.BtOpenFile->icon().pixmap(QSize(16, 16), scale).toImage(),
                 picture.convertToFormat(QImage::Format_ARGB32_Premultiplied));
    }
};

QTEST_MAIN(TestBigWindow)
#include "tst_bigwindow.moc"
