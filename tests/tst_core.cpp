#include "core/app/desktopapps.h"
#include "core/app/numbers.h"
#include "core/app/userguide.h"
#include "core/app/viewgeometry.h"
#include "core/app/windowlayout.h"
#include "core/browser/browsermath.h"
#include "core/browser/visiblebytes.h"
#include "core/editor/editorpicture.h"
#include "core/palette/picturemapping.h"
#include "core/rom/romfile.h"
#include "core/rom/tilecodec.h"
#include "core/transfer/transferrules.h"
#include "datarows.h"
#include "testfiles.h"
#include "testtiles.h"

#include <QDir>

#include <cmath>
#include <limits>

namespace {
using Colors = std::vector<ColorRef>;
using Values = std::vector<quint8>;
using Fields = std::array<ColorRef, 4>;
constexpr qint64 kMax32 = std::numeric_limits<qint32>::max();
constexpr qint64 kMin32 = std::numeric_limits<qint32>::min();
constexpr qint64 kNone = std::numeric_limits<qint64>::min(); // refused, in a table

qint64 orNone(std::optional<qint32> value) {
    return value ? qint64(*value) : kNone;
}

// A tile at `address` with pseudo-random pixels, the same for the same seed.
TileRecord cell(qint32 address, quint32 seed, bool flipX = false, bool flipY = false,
                bool protect = false) {
    return {decodeByHand(randomBytes(kTileBytes, seed), 0), address, flipX, flipY, protect};
}
} // namespace

class TestCore : public QObject {
    Q_OBJECT
  private slots:
    // The text typed (the row's name): its value and the address it rounds to, half to even.
    void typedNumbers_data() {
        using R = Row<double, qint64>; // value, address
        rows(R{" 1\t2\n3 ", 123, 123}, R{"+7", 7, 7}, R{"-.25", -0.25, 0}, R{"0x30", 0, 0},
             R{"2E2", 200, 200}, R{"3d2", 300, 300}, R{"4D1", 40, 40}, R{"25e-1", 2.5, 2},
             R{"3e+2", 300, 300}, R{"1e", 1, 1}, R{"9.5", 9.5, 10}, R{"1e309", HUGE_VAL, kNone},
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

    // The browser's grid for a box (the cells laid out, and those wholly inside it), and the
    // top address the scroll thumb picks in a file.
    void gridAndScroll_data() {
        // box width, height, zoom, cell size, file length, thumb, offset: cells, whole, top
        using R = Row<int, int, int, int, qint32, int, double, QSize, QSize, qint64>;
        // clang-format off
        rows(R{"9.5 and 10.5 to 10", 228, 252, 3, 8, 32768, 9, 15, {10, 10}, {9, 10}, 175},
             R{"8.5 to 8, half a row to none", 204, 12, 3, 8, 32768, 512, 3, {8, 0}, {8, 0}, 3},
             R{"grid, largest file", 229, 180, 2, 9, qint32(kMax32), 1024, 1000, {13, 10},
               {12, 10}, kMax32},
             R{"far before the start", 229, 180, 2, 9, 4096, 0, -3e9, {13, 10}, {12, 10}, kMin32});
        // clang-format on
    }
    void gridAndScroll() {
        const auto [width, height, zoom, size, length, thumb, offset, cells, whole, top] =
            fetch<int, int, int, int, qint32, int, double, QSize, QSize, qint64>();
        const GridCounts counts = browserGridCounts(width, height, zoom, size);
        const GridCounts wholeCounts = browserWholeCells(width, height, zoom, size);
        QCOMPARE(QSize(counts.columns, counts.rows), cells);
        QCOMPARE(QSize(wholeCounts.columns, wholeCounts.rows), whole);
        QCOMPARE(qint64(scrollTopAddress(length, thumb, counts.rows, offset)), top);
    }

    // The browser's keys in the window's box (229 x 397 pixels), as the address they type.
    // End puts the last whole tile from the offset on (19984 in 20000 bytes from 0) into the
    // last wholly visible cell, 16 bytes back for each cell before that one: at zoom 3 cell
    // (8, 15) of 10 x 17, 158 cells from the top.
    void browserKeys_data() {
        using K = BrowserKey;
        // zoom, grid, file length, offset, key, typed before: typed (kNone: nothing)
        using R = Row<int, bool, qint64, qint64, K, qint64, qint64>;
        rows(R{"End, from 3", 3, false, 20000, 3, K::End, 160, 17440},
             R{"End, 5 bytes after a whole tile", 3, false, 20005, 0, K::End, 0, 17456},
             R{"End, zoom 9, grid: 2 x 4 of 3 x 5", 9, true, 20000, 0, K::End, 0, 19824},
             R{"End is Home, whole cells full", 3, false, 2544, 0, K::End, 0, 0},
             R{"End, a tile past them", 3, false, 2560, 0, K::End, 0, 16},
             R{"End, no whole tile", 3, false, 20, 5, K::End, 0, 0},
             R{"End, empty file", 3, false, 0, 0, K::End, 0, kNone},
             R{"Page Down stops at End", 3, false, 20000, 3, K::PageDown, 16320, 17440},
             R{"Page Down at End", 3, false, 20000, 3, K::PageDown, 17440, kNone},
             R{"Page Down past End", 3, false, 20000, 3, K::PageDown, 19000, kNone},
             R{"Down stops at End", 3, false, 20000, 3, K::RowDown, 17300, 17440});
    }
    void browserKeys() {
        const auto [zoom, grid, length, offset, key, typed, target] =
            fetch<int, bool, qint64, qint64, BrowserKey, qint64, qint64>();
        const int size = cellSizeFor(grid);
        const BrowserPage page{browserGridCounts(229, 397, zoom, size),
                               browserWholeCells(229, 397, zoom, size)};
        QCOMPARE(browserKeyTyped(key, typed, length, offset, page).value_or(kNone), target);
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
    }

    // A value as a jump (offset 4), as the browser's marked cell and as a typed address to
    // write to.
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

    // Exactly the bytes that exist (the sanitized build catches a read past them); rows without
    // their second byte are outside the file. Encoding undoes the decoding of whole tiles.
    void decode_data() {
        using R = Row<int, int>; // available, tiles
        rows(R{"whole", 16, 4000}, R{"2", 2, 1}, R{"1", 1, 1}, R{"past the end", -1000, 1});
    }
    void decode() {
        const auto [available, tiles] = fetch<int, int>();
        for (int seed = 0; seed < tiles; ++seed) {
            const QByteArray bytes = randomBytes(std::max(available, 0), seed);
            const std::vector<quint8> exact(bytes.begin(), bytes.end());
            TilePixels decoded;
            decodeTile(exact.data(), available, decoded);
            QCOMPARE(decoded, decodeByHand(bytes, 0));
            QCOMPARE(reachesOutsideFile(decoded), available < 16);
            if (available == 16) QVERIFY(QByteArrayView(encodeTile(decoded)) == bytes);
        }
    }

    // The tiles of a browser redraw, read once from a file of 40 bytes.
    void visibleBytes_data() {
        using R = Row<int, int, int>; // range start, tiles, tile index
        rows(R{"first", 16, 3, 0}, R{"cut by the file's end", 16, 3, 1},
             R{"past the end", 16, 3, 2}, R{"range past the file", 48, 2, 0});
    }
    void visibleBytes() {
        const auto [start, tiles, index] = fetch<int, int, int>();
        QTemporaryDir dir;
        const QByteArray file = randomBytes(40, 3);
        auto rom = RomFile::open(writeRom(dir, "v.gb", file));
        const VisibleBytes visible(*std::get<std::unique_ptr<RomFile>>(rom), start, tiles);
        TilePixels pixels{};
        visible.decode(index, pixels);
        QCOMPARE(pixels, decodeByHand(file, start + 16 * index));
    }

    void editorHit_data() {
        // Zoom 3; cell and pixel -1: none; kind 1: with grid, 2: mirrored both ways.
        using R = Row<double, double, int, int, int>; // x, y, kind: cell, pixel
        rows(R{"last pixel", 239.9, 191.9, 0, 79, 63}, R{"x = 0", 0, 10, 0, 0, 24},
             R{"y = 0", 10, 0, 0, 0, 3}, R{"right of the cells", 240, 10, 0, -1, -1},
             R{"below them", 10, 192, 0, -1, -1}, R{"left of the canvas", -0.5, 10, 0, -1, -1},
             R{"above it", 10, -0.5, 0, -1, -1}, R{"grid gap, right", 24, 10, 1, 0, -1},
             R{"grid gap, below", 10, 24, 1, 0, -1},
             R{"grid, before the gap", 23.9, 23.9, 1, 0, 63}, R{"mirrored", 4, 4, 2, 0, 54});
    }
    void editorHit() {
        const auto [x, y, kind, index, pixel] = fetch<double, double, int, int, int>();
        const int size = cellSizeFor(kind == 1);
        const std::optional<EditorHit> hit = editorHitCell(x, y, size, 3);
        QCOMPARE(hit ? hit->index() : -1, index);
        const TileRecord tile{{}, 0, kind == 2, kind == 2, false};
        if (hit) QCOMPARE(editorHitPixel(*hit, x, y, size, 3, tile).value_or(-1), pixel);
    }

    // Cells 0 (protected, mirrored) and 79 are copies of cell 40, 41 holds the next tile (no
    // addresses: 0). Filling 40 (1: while cells without address are hidden) reaches its
    // copies' pixels; syncing them (2, after a clear or reload) copies all of 40.
    void copies_data() {
        using R = Row<int, qint32>; // action, address
        rows(R{"fill", 0, 100}, R{"fill, no address", 0, 0}, R{"fill while hiding", 1, 100},
             R{"sync", 2, 100}, R{"sync, no address", 2, 0});
    }
    void copies() {
        const auto [action, address] = fetch<int, qint32>();
        EditorTileArray tiles{};
        tiles[0] = cell(address, 1, true, false, true);
        tiles[79] = cell(address, 1);
        tiles[40] = cell(address, 2, false, true);
        tiles[41] = cell(address ? address + 16 : 0, 3);
        EditorTileArray expected = tiles;
        if (action == 2) syncCopies(tiles, 40);
        if (action < 2) QVERIFY(fillTile(tiles, 40, 2, action == 1));
        if (action < 2) expected[40].Pixels.fill(2);
        if (address != 0) expected[0].Pixels = expected[79].Pixels = expected[40].Pixels;
        if (address != 0 && action == 2) expected[0] = expected[79] = expected[40];
        QCOMPARE(tiles, expected);
    }

    // A picture's colours (a palette picture's also with their indices) to pixel values: by
    // colour whenever all are field colours, whatever the palette; else a palette of at most
    // four entries by index; else nearest in brightness. Start colours A to D, others W, R.
    void pictureMapping_data() {
        // palette entries (0: none), colours, indices, fields: values, mapping, approximated
        using R = Row<int, Colors, Values, Fields, Values, PictureMapping, int>;
        const ColorRef a = 0x80FFFF, b = 0x60B5B5, c = 0x408080, d = 0x204040, w = 0xFFFFFF,
                       r = 0x0000FF;
        const Fields s{a, b, c, d};
        const auto byColor = PictureMapping::ByColor, index = PictureMapping::ByIndex,
                   nearest = PictureMapping::Nearest;
        rows(R{"palette reordered", 4, {c, d, a, b}, {0, 1, 2, 3}, s, {2, 3, 0, 1}, byColor, 0},
             R{"no palette", 0, {b, a}, {}, s, {1, 0}, byColor, 0},
             R{"two fields alike: the first", 0, {a, d}, {}, {a, b, a, d}, {0, 3}, byColor, 0},
             R{"four entries, one other", 4, {a, w, c, d}, {2, 1, 0, 3}, s, {2, 1, 0, 3}, index, 0},
             R{"one entry, other", 1, {w, w}, {0, 0}, s, {0, 0}, index, 0},
             R{"five entries, one other", 5, {w, b}, {4, 1}, s, {0, 1}, nearest, 1},
             R{"no palette, red and black", 0, {r, 0}, {}, s, {3, 3}, nearest, 2},
             R{"an index past the palette", 2, {w, a}, {2, 0}, s, {0, 0}, nearest, 1});
    }
    void pictureMapping() {
        const auto [entries, colors, indices, fields, values, mapping, approximated] =
            fetch<int, Colors, Values, Fields, Values, PictureMapping, int>();
        const MappedPicture mapped =
            mapPicture({int(colors.size()), 1, colors, indices, entries}, fields);
        QCOMPARE(std::tuple(mapped.values, mapped.mapping, mapped.approximated),
                 std::tuple(values, mapping, approximated));
    }

    // A picture goes into the cells only as a block inside the editor with exactly its pixels,
    // whatever measured it before.
    void placement_data() {
        using R = Row<CellBlock, int, int>; // block, values: cells that took them (-1: refused)
        rows(R{"the last cell", {9, 7, 1, 1}, 64, 1}, R{"the editor", {}, 5120, 80},
             R{"past the right edge", {9, 7, 2, 1}, 128, -1},
             R{"past the bottom edge", {0, 7, 1, 2}, 128, -1},
             R{"from before the first cell", {-1, 0, 1, 1}, 64, -1},
             R{"a value short", {0, 0, 1, 1}, 63, -1}, R{"no cells", {0, 0, 0, 1}, 0, -1});
    }
    void placement() {
        const auto [block, count, cells] = fetch<CellBlock, int, int>();
        EditorTileArray tiles{};
        const std::optional<PicturePlacement> placed =
            placePicture(tiles, std::vector<quint8>(size_t(count), 2), block, false);
        QCOMPARE(placed ? placed->cells : -1, cells);
        QCOMPARE(std::count_if(tiles.begin(), tiles.end(),
                               [](const TileRecord& t) { return t.Pixels[0] == 2; }),
                 std::max(cells, 0));
    }

    // How a window wider than designed shares its extra width between the two views. The
    // editor's drawing area is 261 pixels wide as designed; 810 hold the whole canvas at zoom 9
    // with the grid.
    void shareExtraWidth_data() {
        // extra width, editor's designed drawing area: browser, editor
        using R = Row<int, int, int, int>;
        rows(R{"narrower than designed", -40, 261, 0, 0},
             R{"a third, rounded down", 301, 261, 201, 100},
             R{"capped at the whole canvas", 3315, 261, 2766, 549},
             R{"an area already past it", 90, 900, 90, 0});
    }
    void shareExtraWidth() {
        const auto [extra, area, browser, editor] = fetch<int, int, int, int>();
        QCOMPARE(::shareExtraWidth(extra, area), (ViewWidths{browser, editor}));
    }

    // The installed guide comes first; without either the installed path is named.
    void userGuide() {
        QTemporaryDir dir;
        const QString installed = dir.filePath("share/doc/pelorin/README.md");
        const QString source = dir.filePath("src/README.md");
        QVERIFY(QDir(dir.path()).mkpath("share/doc/pelorin") && QDir(dir.path()).mkpath("src"));
        QCOMPARE(userGuidePath(dir.filePath("bin"), source), installed);
        writeRom(dir, "src/README.md", "guide");
        QCOMPARE(userGuidePath(dir.filePath("bin"), source), source);
        writeRom(dir, "share/doc/pelorin/README.md", "guide");
        QCOMPARE(userGuidePath(dir.filePath("bin"), source), installed);
    }

    // The command a desktop entry's Exec line gives for the file "/r/a b.gb", read from the
    // entry's text (its escapes resolved; empty: no application); and the defaults for a type
    // in a mimeapps.list, from its [Default Applications] group alone.
    void desktopEntries_data() {
        using R = Row<QString, QStringList>; // entry lines, the command
        const QString f = "/r/a b.gb";
        // clang-format off
        rows(R{"quoted program, URL code", R"(Exec="/opt/my player/run" -f %U)", {"/opt/my player/run", "-f", f}},
             R{"no code: the file last", "Exec=player --rom", {"player", "--rom", f}},
             R{"codes dropped, %% kept", "Exec=player %i %c -s=100%% %k %F", {"player", "-s=100%", f}},
             R{"inside an argument", "Exec=player --rom=%f", {"player", "--rom=" + f}},
             R{"escapes in quotes", R"(Exec=sh -c "echo \"\$x\"" "" %f)", {"sh", "-c", R"(echo "$x")", "", f}},
             R{"string escapes", R"(Exec=my\splayer\t%f)", {"my", "player", f}},
             R{"unclosed quote", R"(Exec=player "x %f)", {}},
             R{"blank", "Exec= ", {}},
             R{"hidden", "Exec=player %f\nHidden=true", {}},
             R{"not an application", "Exec=player %f\nType=Link", {}},
             R{"in another group", "[Desktop Action x]\nExec=player %f", {}});
        // clang-format on
    }
    void desktopEntries() {
        const auto [lines, command] = fetch<QString, QStringList>();
        const std::optional<DesktopApp> app = readDesktopEntry(
            "p.desktop", "# x\n[Desktop Entry]\nName=P\nType=Application\n" + lines + '\n');
        QCOMPARE(app ? execCommand(app->exec, "/r/a b.gb") : QStringList(), command);
        const QString list = "[Added Associations]\nt/a=x.desktop\n[Default Applications]\n"
                             "t/ab=y.desktop\nt/a = a.desktop;b.desktop;\n[Other]\nt/a=z.desktop";
        QCOMPARE(defaultsInMimeApps(list, "t/a"), QStringList({"a.desktop", "b.desktop"}));
    }
};

QTEST_GUILESS_MAIN(TestCore)
#include "tst_core.moc"
