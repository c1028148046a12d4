#pragma once

#include "core/app/colorref.h"
#include "core/editor/editorworkspace.h"

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>
#include <QWidget>

#include <array>

// The colours a picture is drawn with; the defaults are the program's start colours.
struct ViewColors {
    std::array<ColorRef, 5> palette{rgbColor(255, 255, 128), rgbColor(181, 181, 96),
                                    rgbColor(128, 128, 64), rgbColor(64, 64, 32),
                                    rgbColor(191, 191, 191)};
    ColorRef grid = rgbColor(0, 0, 0);
    ColorRef selection = rgbColor(255, 255, 255);
    ColorRef empty = rgbColor(191, 191, 191);
};

struct BrowserPicture {
    qint64 top = 0;
    int zoom = 3;
    bool grid = false;
    int markColumn = 0;
    int markRow = 0;
    ViewColors colors{};
    QSize box{229, 397}; // outside the drawn cells grey, as after a zoom or grid change
};

struct EditorPicture {
    int zoom = 3;
    bool grid = false;
    int selColumn = 0;
    int selRow = 0;
    bool hideNoncopied = false;
    ViewColors colors{};
    QSize box{261, 245};
};

// The browser box as it must look for a file holding `file`, worked out pixel by pixel from
// the file's bytes and the tile format.
[[nodiscard]] QImage expectedBrowser(const QByteArray& file, const BrowserPicture& view);
// The browser box with no file open.
[[nodiscard]] QImage expectedGreyBrowser(QSize box = {229, 397});
// The editor canvas for these cells.
[[nodiscard]] QImage expectedEditor(const EditorTileArray& tiles, const EditorPicture& view);

// Whether all the window shows of `widget`, inside its frame of `frame` pixels, is `color`.
[[nodiscard]] bool shows(QWidget* widget, ColorRef color, int frame = 0);

// Empty when both pictures are equal; otherwise names the first differing pixel and saves
// both pictures under PELORIN_TEST_OUTPUT (or the working folder) as NAME-actual/expected.png.
[[nodiscard]] QString pictureDifference(const QImage& actual, const QImage& expected,
                                        const QString& name);

#define COMPARE_PICTURE(actual, expected, name)                                                    \
    do {                                                                                           \
        const QString difference_ = pictureDifference((actual), (expected), (name));               \
        QVERIFY2(difference_.isEmpty(), qPrintable(difference_));                                  \
    } while (false)
