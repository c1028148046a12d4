#include "core/app/filefilter.h"
#include "core/app/messages.h"
#include "core/app/numbers.h"
#include "core/app/userguide.h"
#include "core/app/viewgeometry.h"
#include "core/browser/browsermath.h"
#include "core/browser/visiblebytes.h"
#include "core/palette/palettetext.h"
#include "core/rom/romfile.h"
#include "core/rom/tilecodec.h"
#include "core/transfer/transferrules.h"
#include "session.h"

#include <QDir>

#include <cmath>
#include <limits>

namespace {
constexpr qint64 kMax32 = std::numeric_limits<qint32>::max();
constexpr qint64 kMin32 = std::numeric_limits<qint32>::min();
constexpr qint64 kNone = std::numeric_limits<qint64>::min(); // refused, in a table

qint64 orNone(std::optional<qint32> value) {
    return value ? qint64(*value) : kNone;
}

// A tile at `address` with pseudo-random pixels, the same for the same seed.
TileRecord cell(qint32 address, quint32 seed, bool flipX = false, bool flipY = false,
                bool protect = false) {
    TileRecord tile{{}, address, flipX, flipY, protect};
    const QByteArray random = randomBytes(kTilePixels, seed);
    for (int i = 0; i < kTilePixels; ++i)
        tile.Pixels[i] = quint8(random[i] & 3);
    return tile;
}
} // namespace

class TestCore : public QObject {
    Q_OBJECT
  private slots:
    // A typed number's value, and the address it rounds to (half to even) if any; each row is
    // named by the text typed.
    void typedNumbers_data() {
        using R = Row<double, qint64>; // value, address
        rows(R{" 1\t2\n3 ", 123, 123}, R{"+7", 7, 7}, R{"-.25", -0.25, 0}, R{"0x30", 0, 0},
             R{"2E2", 200, 200}, R{"3d2", 300, 300}, R{"4D1", 40, 40}, R{"25e-1", 2.5, 2},
             R{"3e+2", 300, 300}, R{"1e", 1, 1}, R{"9.5", 9.5, 10},
             R{"2147483647.4", 2147483647.4, kMax32}, R{"2147483647.5", 2147483647.5, kNone},
             R{"-2147483648", -2147483648.0, kMin32}, R{"-2147483649", -2147483649.0, kNone},
             R{"&H09", 9, 9}, R{"&haf", 175, 175}, R{"&HAF", 175, 175}, R{"&H8000", -32768, -32768},
             R{"&H0FFFF", 65535, 65535}, R{"&HFFFFFFFF", -1, -1},
             R{"&H100000000", 4294967296.0, kNone}, R{"&H1G", 1, 1}, R{"&H", 0, 0}, R{"&o78", 7, 7},
             R{"&O177777", -1, -1}, R{"&O200000", 65536, 65536}, R{"&O37777777777", -1, -1},
             R{"&O40000000000", 4294967296.0, kNone}, R{"&", 0, 0}, R{"&X12", 0, 0});
    }
    void typedNumbers() {
        const auto [value, address] = fetch<double, qint64>();
        QCOMPARE(NumericValue(QString::fromUtf8(QTest::currentDataTag())), value);
        QCOMPARE(orNone(toAddress(value)), address);
    }

    // Whole values clamp into the 32-bit range; a value that is not a number is no address.
    void clamped() {
        QCOMPARE(std::pair(saturateToAddress(kMin32 - 1), saturateToAddress(kMax32 + 1)),
                 std::pair(qint32(kMin32), qint32(kMax32)));
        QCOMPARE(orNone(toAddress(std::nan(""))), kNone);
    }

    // The texts shown for numbers, colours and the open dialog's file types.
    void texts_data() {
        using R = Row<QString, QString>; // made: expected
        rows(R{"-5", signedDecimal(-5), "-5"},
             R{"2^40", signedDecimal(1LL << 40), " 1099511627776"},
             R{"plain", plainDecimal(1LL << 40), "1099511627776"},
             R{"color 0", colorFieldText(0, rgbColor(255, 255, 128)), "Color no. 0 ( Hex 80FFFF )"},
             R{"color 3, black", colorFieldText(3, rgbColor(0, 0, 0)), "Color no. 3 ( Hex 0 )"},
             R{"the open dialog's filters", qtNameFilters(msg::kOpenFilter).join(u'\n'),
               "Gameboy Roms (*.gb,*.gbc) (*.gb *.gbc)\nSuper Nintendo Roms (*.smc, *.sfc,*.fig) "
               "(*.smc *.sfc *.fig)\nAll files (*.*) (*)"},
             R{"blank patterns, lone name", qtNameFilters("A|*.a; ;*.b|B").join(u'\n'),
               "A (*.a *.b)"});
    }
    void texts() {
        const auto [made, expected] = fetch<QString, QString>();
        QCOMPARE(made, expected);
    }

    // The browser's columns and rows for a box (rounded half to even), and the top address
    // the scroll thumb then picks in a file.
    void gridAndScroll_data() {
        // box width, height, zoom, cell size, file length, thumb, offset: columns, rows, top
        using R = Row<int, int, int, int, qint32, int, double, int, int, qint64>;
        rows(R{"9.5 and 10.5 to 10", 228, 252, 3, 8, 32768, 9, 15, 10, 10, 175},
             R{"8.5 to 8, half a row to none", 204, 12, 3, 8, 32768, 512, 3, 8, 0, 3},
             R{"grid, largest file", 229, 180, 2, 9, qint32(kMax32), 1024, 1000, 13, 10, kMax32});
    }
    void gridAndScroll() {
        const auto [width, height, zoom, size, length, thumb, offset, columns, rows, top] =
            fetch<int, int, int, int, qint32, int, double, int, int, qint64>();
        const GridCounts counts = browserGridCounts(width, height, zoom, size);
        QCOMPARE(std::pair(int(counts.columns), int(counts.rows)), std::pair(columns, rows));
        QCOMPARE(qint64(scrollTopAddress(length, thumb, counts.rows, offset)), top);
    }

    void pointAt_data() {
        // Zoom 3 without grid (24 pixels a cell), 10 x 5 cells shown.
        // x, y, top: address, cell, on grid
        using R = Row<double, double, qint32, qint64, qint64, qint64, bool>;
        rows(R{"last shown, from 4", 239.9, 119.9, 4, 788, 9, 4, true},
             R{"right of them", 240, 0, 0, 160, 10, 0, false},
             R{"below them", 0, 120, 0, 800, 0, 5, false},
             R{"< a cell left", -5, 30, 0, 144, 0, 1, true},
             R{"> a cell left", -30, 30, 0, 128, -1, 1, false},
             R{"< a cell above", 50, -5, 160, 32, 2, 0, true},
             R{"> a cell above", 50, -30, 160, -128, 2, -1, false});
    }
    void pointAt() {
        const auto [x, y, top, address, column, row, onGrid] =
            fetch<double, double, qint32, qint64, qint64, qint64, bool>();
        const BrowserPoint point = browserPointAt(x, y, 8, 3, top, 10);
        QCOMPARE(std::tuple(point.address, point.column, point.row, point.onGrid(10, 5)),
                 std::tuple(address, column, row, onGrid));
        if (x >= 0 && y >= 0) QCOMPARE(browserCellAddress(top, 10, int(column), int(row)), address);
    }

    // A typed value as a jump (with offset 4), as the browser's marked cell to write to (whole
    // values only) and as a typed address to write to.
    void addresses_data() {
        using R = Row<double, qint32, qint64, bool, qint64>; // value, length n: top, browser, typed
        constexpr qint32 n = 4096;
        rows(R{"0", 0, n, 4, false, kNone}, R{"1", 1, n, 5, true, 1},
             R{"n - 16", n - 16, n, 4084, true, 4080}, R{"n - 15", n - 15, n, 4085, false, kNone},
             R{"n - 1", n - 1, n, 4099, false, kNone}, R{"n", n, n, kNone, false, kNone},
             R{"-1", -1, n, kNone, false, kNone}, R{"0.5", 0.5, n, 4, false, kNone},
             R{"4079.6", 4079.6, n, 4084, false, 4080}, R{"4080.1", 4080.1, n, 4084, false, kNone},
             R{"sum past 32 bits", 2147483646, qint32(kMax32), kNone, false, kNone});
    }
    void addresses() {
        const auto [v, length, top, browser, typed] = fetch<double, qint32, qint64, bool, qint64>();
        QCOMPARE(orNone(jumpTopAddress(v, length, 4)), top);
        if (v == std::trunc(v)) QCOMPARE(browserTargetValid(qint64(v), length), browser);
        QCOMPARE(orNone(typedTarget(v, length)), typed);
    }

    // Every row holds the same two bytes; only `available` of them exist.
    void decode_data() {
        using R = Row<int, int, int, QString, int>; // low, high, available: row, rows inside
        rows(R{"3C 7E", 0x3C, 0x7E, 16, "02333320", 8}, R{"80 01", 0x80, 0x01, 16, "10000002", 8},
             R{"n - 15", 0x3C, 0x7E, 15, "02333320", 7}, R{"n - 2", 0x3C, 0x7E, 2, "02333320", 1},
             R{"n - 1", 0x3C, 0x7E, 1, "", 0}, R{"past the end", 0x3C, 0x7E, -1000, "", 0});
    }
    void decode() {
        const auto [low, high, available, pixels, inside] = fetch<int, int, int, QString, int>();
        // Exactly the bytes that exist: the sanitized build catches a read past them.
        std::vector<quint8> bytes(size_t(std::max(available, 0)));
        for (size_t i = 0; i < bytes.size(); ++i)
            bytes[i] = quint8(i % 2 ? high : low);
        TilePixels decoded;
        decodeTile(bytes.data(), available, decoded);
        QString digits; // the 64 pixel values, row after row
        for (quint8 p : decoded)
            digits += QString::number(p);
        QCOMPARE(digits, pixels.repeated(inside) + QString(8 * (8 - inside), u'4'));
        QCOMPARE(reachesOutsideFile(decoded), inside < 8);
    }

    // Decoding is a one-to-one map of 16 bytes onto 64 pixels of 0 to 3: encoding undoes it.
    void encodeDecodeIdentity() {
        const QByteArray bytes = randomBytes(16 * 4000, 20261207);
        for (qsizetype at = 0; at < bytes.size(); at += kTileBytes) {
            TilePixels pixels;
            decodeTile(reinterpret_cast<const quint8*>(bytes.constData() + at), 16, pixels);
            QCOMPARE(pixels, decodeByHand(bytes, at));
            QVERIFY(QByteArrayView(encodeTile(pixels)) == bytes.mid(at, 16));
        }
    }

    // The bytes of a browser redraw, read once from a file of 40 bytes.
    void visibleBytes_data() {
        using R = Row<int, int, int, bool>; // range start, length, tile address: decoded
        rows(R{"n - 15", 0, 64, 25, true}, R{"range start", 16, 48, 16, true},
             R{"cut by the short read", 16, 48, 32, true}, R{"range end", 16, 48, 48, true},
             R{"before", 16, 48, 15, false}, R{"after", 16, 48, 49, false},
             R{"range past the file", 48, 32, 48, true});
    }
    void visibleBytes() {
        const auto [start, length, address, decoded] = fetch<int, int, int, bool>();
        QTemporaryDir dir;
        const QByteArray file = randomBytes(40, 3);
        auto rom = RomFile::open(writeRom(dir, "v.gb", file));
        const VisibleBytes visible(*std::get<std::unique_ptr<RomFile>>(rom), start, length);
        TilePixels pixels{};
        QCOMPARE(visible.decode(address, pixels), decoded);
        if (decoded) QCOMPARE(pixels, decodeByHand(file, address));
    }

    void zoomAndMarks_data() {
        // A zoom step in and out (-1: none); for cell (column, row) the ring with grid and the
        // outline without, at that zoom.
        using R = Row<int, int, int, int, int, Corners, Corners>;
        rows(R{"zoom 2, first cell", 2, 3, -1, 0, 0, {-1, -1, 8, 8}, {0, 0, 16, 16}},
             R{"zoom 3, cell (3, 2)", 3, 4, 2, 3, 2, {26, 17, 35, 26}, {72, 48, 96, 72}},
             R{"zoom 8", 8, 9, 7, 1, 1, {8, 8, 17, 17}, {64, 64, 128, 128}},
             R{"zoom 9, last editor cell", 9, -1, 8, 9, 7, {80, 62, 89, 71}, {648, 504, 720, 576}});
    }
    void zoomAndMarks() {
        const auto [zoom, in, out, column, row, ring, outline] =
            fetch<int, int, int, int, int, Corners, Corners>();
        QCOMPARE(std::pair(zoomedIn(zoom).value_or(-1), zoomedOut(zoom).value_or(-1)),
                 std::pair(in, out));
        QVERIFY(gridRing(column, row) == ring && boxOutline(column, row, zoom) == outline);
    }

    void editorHit_data() {
        // Zoom 3; cell and pixel -1: none; kind 1: with grid, 2: mirrored both ways.
        using R = Row<double, double, int, int, int>; // x, y, kind: cell, pixel
        rows(R{"(25, 55)", 25, 55, 0, 21, 16}, R{"last pixel", 239.9, 191.9, 0, 79, 63},
             R{"right of the cells", 240, 10, 0, -1, -1}, R{"below them", 10, 192, 0, -1, -1},
             R{"left of the canvas", -0.5, 10, 0, -1, -1}, R{"above it", 10, -0.5, 0, -1, -1},
             R{"grid gap, right", 24, 10, 1, 0, -1}, R{"grid gap, below", 10, 24, 1, 0, -1},
             R{"grid, before the gap", 23.9, 23.9, 1, 0, 63}, R{"mirrored", 4, 4, 2, 0, 54});
    }
    void editorHit() {
        const auto [x, y, kind, index, pixel] = fetch<double, double, int, int, int>();
        const int size = cellSizeFor(kind == 1);
        const std::optional<EditorHit> hit = editorHitCell(x, y, size, 3);
        QCOMPARE(hit ? hit->index() : -1, index);
        const TileRecord tile = cell(0, 0, kind == 2, kind == 2);
        if (hit) QCOMPARE(editorHitPixel(*hit, x, y, size, 3, tile).value_or(-1), pixel);
    }

    // Cell 40 is painted (action 0), filled (1) or its copies made like it (2); 0 and 79 hold
    // its address (0 protected and mirrored), 41 the next tile's, 1 none. Cell 40 is write-
    // protected (state 1) or non-copied tiles are hidden (2).
    void copies_data() {
        using R = Row<int, qint32, int, bool>; // action, address, state: done
        rows(R{"paint copies", 0, 100, 0, true}, R{"fill copies", 1, 100, 0, true},
             R{"paint, no address", 0, 0, 0, true}, R{"paint protected", 0, 100, 1, false},
             R{"fill protected", 1, 100, 1, false}, R{"paint hidden", 0, 0, 2, false},
             R{"paint, address, hiding", 0, 100, 2, true},
             R{"sync: copies take over all", 2, 200, 1, true},
             R{"sync: none without address", 2, 0, 0, true});
    }
    void copies() {
        const auto [action, address, state, done] = fetch<int, qint32, int, bool>();
        EditorTileArray tiles{};
        tiles[0] = cell(address, 1, true, false, true);
        tiles[79] = cell(address, 1);
        tiles[40] = cell(address, 2, false, true, state == 1);
        tiles[41] = cell(address + 16, 3);
        tiles[1] = cell(0, 4);
        EditorTileArray expected = tiles;
        if (action == 2) ::syncCopies(tiles, 40);
        if (action < 2)
            QCOMPARE(action ? fillTile(tiles, 40, 2, state == 2)
                            : paintPixel(tiles, 40, 10, 2, state == 2),
                     done);
        if (done && action == 1) expected[40].Pixels.fill(2);
        if (done && action == 0) expected[40].Pixels[10] = 2;
        if (done && address != 0) expected[0].Pixels = expected[79].Pixels = expected[40].Pixels;
        if (address != 0 && action == 2) expected[0] = expected[79] = expected[40];
        QCOMPARE(tiles, expected);
    }

    void userGuide_data() {
        using R = Row<bool, bool, bool>; // guide installed, in the source tree: installed found
        rows(R{"installed and in the source tree", true, true, true},
             R{"in the source tree only", false, true, false}, R{"neither", false, false, true});
    }
    void userGuide() {
        const auto [installed, inSource, installedFound] = fetch<bool, bool, bool>();
        QTemporaryDir dir;
        const QString guide = "share/doc/pelorin/README.md", source = "src/README.md";
        QVERIFY(QDir(dir.path()).mkpath("share/doc/pelorin") && QDir(dir.path()).mkpath("src"));
        if (installed) writeRom(dir, guide, "guide");
        if (inSource) writeRom(dir, source, "guide");
        QCOMPARE(userGuidePath(dir.filePath("bin"), dir.filePath(source)),
                 dir.filePath(installedFound ? guide : source));
    }
};

QTEST_GUILESS_MAIN(TestCore)
#include "tst_core.moc"
