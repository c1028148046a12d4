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
#include "datarows.h"
#include "session.h"
#include "testtiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <limits>

namespace {
constexpr double kInf = std::numeric_limits<double>::infinity();
const double kNaN = std::nan("");
constexpr qint64 kMax32 = std::numeric_limits<qint32>::max();
constexpr qint64 kMin32 = std::numeric_limits<qint32>::min();
constexpr qint64 kNone = std::numeric_limits<qint64>::min(); // refused, in a table

qint64 orNone(std::optional<qint32> value) {
    return value ? qint64(*value) : kNone;
}

// A tile's 64 pixel values as digits, row after row.
QString digits(const TilePixels& pixels) {
    QString text;
    for (quint8 p : pixels)
        text += QString::number(p);
    return text;
}

TileRecord cell(qint32 address, quint8 color, quint32 seed = 0) {
    TileRecord tile;
    tile.Address = address;
    tile.Pixels.fill(color);
    const QByteArray random = randomBytes(kTilePixels, seed);
    for (int i = 0; seed != 0 && i < kTilePixels; ++i)
        tile.Pixels[i] = quint8(random[i] & 3);
    return tile;
}
} // namespace

class TestCore : public QObject {
    Q_OBJECT
  private slots:
    void numericValue_data() {
        using R = Row<QString, double>;
        rows(R{"integer", "4096", 4096}, R{"blanks, tabs, line feeds", " 1\t2\n3 ", 123},
             R{"plus", "+7", 7}, R{"minus", "-7", -7}, R{"leading period", "-.25", -0.25},
             R{"leading number counts", "12abc", 12}, R{"0x30 is 0", "0x30", 0},
             R{"exponent", "1e3", 1000}, R{"E", "2E2", 200}, R{"d", "3d2", 300}, R{"D", "4D1", 40},
             R{"negative exponent", "25e-1", 2.5}, R{"exponent with plus", "3e+2", 300},
             R{"exponent without digits", "1e", 1}, R{"hex one digit", "&H1", 1},
             R{"hex 0 and 9", "&H09", 9}, R{"hex lower case", "&haf", 175},
             R{"hex capitals", "&HAF", 175}, R{"&H8000", "&H8000", -32768},
             R{"&HFFFF is -1", "&HFFFF", -1}, R{"five digits are 32-bit", "&H0FFFF", 65535},
             R{"&HFFFFFFFF", "&HFFFFFFFF", -1},
             R{"nine digits keep the magnitude", "&H100000000", 4294967296.0},
             R{"hex stops at G", "&H1G", 1}, R{"hex without digits", "&H", 0},
             R{"octal", "&O777", 511}, R{"octal lower case", "&o17", 15},
             R{"octal stops at 8", "&O78", 7}, R{"&O177777", "&O177777", -1},
             R{"&O200000", "&O200000", 65536}, R{"&O37777777777", "&O37777777777", -1},
             R{"&O40000000000", "&O40000000000", 4294967296.0}, R{"ampersand alone", "&", 0},
             R{"other letter", "&X12", 0}, R{"empty", "", 0}, R{"letters", "abc", 0});
    }
    void numericValue() {
        const auto [text, value] = fetch<QString, double>();
        QCOMPARE(NumericValue(text), value);
    }

    void decimalTexts_data() {
        using R = Row<qint64, QString, QString>;
        rows(R{"zero", 0, " 0", "0"}, R{"positive", 4096, " 4096", "4096"},
             R{"negative", -5, "-5", "-5"},
             R{"past 32 bits", 1LL << 40, " 1099511627776", "1099511627776"});
    }
    void decimalTexts() {
        const auto [value, signedText, plainText] = fetch<qint64, QString, QString>();
        QCOMPARE(signedDecimal(value), signedText);
        QCOMPARE(plainDecimal(value), plainText);
    }

    // Rounding, the conversion to an address, and clamping a whole value into the range.
    void rounding_data() {
        using R = Row<double, double, qint64, qint64>; // value: rounded, address, clamped
        rows(R{"9.5 up to even", 9.5, 10, 10, 9}, R{"10.5 down to even", 10.5, 10, 10, 10},
             R{"0.5 to 0", 0.5, 0, 0, 0}, R{"-2.5 to -2", -2.5, -2, -2, -2},
             R{"largest", 2147483647.4, 2147483647, kMax32, kMax32},
             R{"rounds past the largest", 2147483647.5, 2147483648.0, kNone, kMax32},
             R{"2^31", 2147483648.0, 2147483648.0, kNone, kMax32},
             R{"smallest", -2147483648.0, -2147483648.0, kMin32, kMin32},
             R{"below the smallest", -2147483649.0, -2147483649.0, kNone, kMin32},
             R{"2^32 does not wrap", 4294967296.0, 4294967296.0, kNone, kMax32},
             R{"infinity", kInf, kInf, kNone, kNone}, R{"not a number", kNaN, kNaN, kNone, kNone});
    }
    void rounding() {
        const auto [value, rounded, address, clamped] = fetch<double, double, qint64, qint64>();
        QCOMPARE(roundHalfEven(value), rounded);
        QCOMPARE(orNone(toAddress(value)), address);
        if (std::isfinite(value)) QCOMPARE(qint64(saturateToAddress(qint64(value))), clamped);
    }

    void gridCounts_data() {
        using R = Row<int, int, int, int, int, int>; // width, height, zoom, cell: columns, rows
        rows(R{"9.5 and 10.5 to 10", 228, 252, 3, 8, 10, 10},
             R{"8.5 to 8, 1.5 to 2", 204, 36, 3, 8, 8, 2},
             R{"columns and rows apart", 160, 40, 1, 8, 20, 5},
             R{"grid, zoom 2", 229, 180, 2, 9, 13, 10});
    }
    void gridCounts() {
        const auto [width, height, zoom, cellSize, columns, rows] =
            fetch<int, int, int, int, int, int>();
        const GridCounts counts = browserGridCounts(width, height, zoom, cellSize);
        QCOMPARE(std::pair(int(counts.columns), int(counts.rows)), std::pair(columns, rows));
    }

    void scrollTop_data() {
        // 32768 bytes, 17 rows: the top moves in steps of 272 bytes.
        using R = Row<qint32, int, int, double, qint64>; // length, thumb, rows, offset: top
        rows(R{"thumb 1", 32768, 1, 17, 0, 0}, R{"thumb 9", 32768, 9, 17, 0, 272},
             R{"thumb 1024", 32768, 1024, 17, 0, 32640},
             R{"thumb 9, offset 15", 32768, 9, 17, 15, 287}, R{"no rows", 32768, 512, 0, 3, 3},
             R{"largest file, offset past the range", qint32(kMax32), 1024, 1, 100, kMax32});
    }
    void scrollTop() {
        const auto [length, thumb, shown, offset, top] = fetch<qint32, int, int, double, qint64>();
        QCOMPARE(qint64(scrollTopAddress(length, thumb, shown, offset)), top);
    }

    void pointAt_data() {
        // Zoom 3 without grid (24 pixels a cell), 10 x 5 cells shown.
        using R = Row<double, double, qint32, qint64, qint64, qint64,
                      bool>; // x, y, top: address, cell, on grid
        rows(R{"(50, 30)", 50, 30, 0, 192, 2, 1, true},
             R{"(50, 30) from 4", 50, 30, 4, 196, 2, 1, true}, R{"origin", 0, 0, 0, 0, 0, 0, true},
             R{"last cell shown", 239.9, 119.9, 0, 784, 9, 4, true},
             R{"right of the cells", 240, 0, 0, 160, 10, 0, false},
             R{"below the cells", 0, 120, 0, 800, 0, 5, false},
             R{"less than a cell left", -5, 30, 0, 144, 0, 1, true},
             R{"more than a cell left", -30, 30, 0, 128, -1, 1, false},
             R{"above the box", 50, -5, 160, 32, 2, 0, true},
             R{"more than a cell above", 50, -30, 160, -128, 2, -1, false});
    }
    void pointAt() {
        const auto [x, y, top, address, column, row, onGrid] =
            fetch<double, double, qint32, qint64, qint64, qint64, bool>();
        const BrowserPoint point = browserPointAt(x, y, 8, 3, top, 10);
        QCOMPARE(point.address, address);
        QCOMPARE(std::pair(point.column, point.row), std::pair(column, row));
        QCOMPARE(point.onGrid(10, 5), onGrid);
        if (x >= 0 && y >= 0) QCOMPARE(browserCellAddress(top, 10, int(column), int(row)), address);
    }

    void jump_data() {
        using R = Row<double, qint32, double, qint64>; // typed, length, offset: top
        rows(R{"0 plus the offset", 0, 4096, 4, 4}, R{"100 plus 4", 100, 4096, 4, 104},
             R{"fraction rounds", 2.5, 4096, 0, 2}, R{"length - 1", 4095, 4096, 0, 4095},
             R{"at the length", 4096, 4096, 0, kNone}, R{"negative", -1, 4096, 0, kNone},
             R{"sum past 32 bits", 2147483646, qint32(kMax32), 15, kNone});
    }
    void jump() {
        const auto [typed, length, offset, top] = fetch<double, qint32, double, qint64>();
        QCOMPARE(orNone(jumpTopAddress(typed, length, offset)), top);
    }

    // Every row holds the same two bytes; only `available` of them exist.
    void decode_data() {
        using R = Row<int, int, int, QString, int>; // low, high, available: row, rows inside
        rows(R{"3C 7E", 0x3C, 0x7E, 16, "02333320", 8},
             R{"FF 00: all 1", 0xFF, 0x00, 16, "11111111", 8},
             R{"00 FF: all 2", 0x00, 0xFF, 16, "22222222", 8},
             R{"FF FF: all 3", 0xFF, 0xFF, 16, "33333333", 8},
             R{"00 00: all 0", 0, 0, 16, "00000000", 8},
             R{"bit 7 is the leftmost", 0x80, 0x01, 16, "10000002", 8},
             R{"n - 15: row 7 outside", 0x3C, 0x7E, 15, "02333320", 7},
             R{"14 bytes", 0x3C, 0x7E, 14, "02333320", 7},
             R{"3 bytes", 0x3C, 0x7E, 3, "02333320", 1},
             R{"n - 2: row 0 only", 0x3C, 0x7E, 2, "02333320", 1}, R{"n - 1", 0x3C, 0x7E, 1, "", 0},
             R{"n", 0x3C, 0x7E, 0, "", 0}, R{"past the end", 0x3C, 0x7E, -1000, "", 0});
    }
    void decode() {
        const auto [low, high, available, pixels, inside] = fetch<int, int, int, QString, int>();
        // Exactly the bytes that exist: the sanitized build catches a read past them.
        std::vector<quint8> bytes(size_t(std::max(available, 0)));
        for (size_t i = 0; i < bytes.size(); ++i)
            bytes[i] = quint8(i % 2 ? high : low);
        TilePixels decoded;
        decodeTile(bytes.data(), available, decoded);
        QCOMPARE(digits(decoded), pixels.repeated(inside) + QString(8 * (8 - inside), u'4'));
        QCOMPARE(reachesOutsideFile(decoded), inside < 8);
        const TileBytes back = encodeTile(decoded);
        if (available == kTileBytes) QCOMPARE(std::vector<quint8>(back.begin(), back.end()), bytes);
    }

    // Decoding is a one-to-one map of 16 bytes onto 64 pixels of 0 to 3: encoding undoes it.
    void encodeDecodeIdentity() {
        const QByteArray bytes = randomBytes(16 * 4000, 20261207);
        for (qsizetype at = 0; at < bytes.size(); at += kTileBytes) {
            TileBytes tile;
            std::copy_n(bytes.constData() + at, kTileBytes, tile.begin());
            TilePixels pixels;
            decodeTile(tile.data(), kTileBytes, pixels);
            QCOMPARE(pixels, decodeByHand(bytes, at));
            QCOMPARE(encodeTile(pixels), tile);
        }
    }

    // The bytes of a browser redraw, read once from a file of 40 bytes (n = 40).
    void visibleBytes_data() {
        using R = Row<int, int, int, bool>; // range start, length, tile address: decoded
        rows(R{"n - 16", 0, 64, 24, true}, R{"n - 15", 0, 64, 25, true},
             R{"n - 2", 0, 64, 38, true}, R{"n", 0, 64, 40, true}, R{"odd address", 0, 64, 1, true},
             R{"first of the range", 16, 48, 16, true},
             R{"cut by the short read", 16, 48, 32, true}, R{"last of the range", 16, 48, 48, true},
             R{"before the range", 16, 48, 15, false}, R{"past the range", 16, 48, 49, false},
             R{"range after the end", 48, 32, 48, true});
    }
    void visibleBytes() {
        const auto [start, length, address, decoded] = fetch<int, int, int, bool>();
        QTemporaryDir dir;
        const QByteArray file = randomBytes(40, 3);
        QFile out(dir.filePath("v.gb"));
        QVERIFY(out.open(QIODevice::WriteOnly) && out.write(file) == 40);
        out.close();
        auto rom = RomFile::open(out.fileName());
        const VisibleBytes visible(*std::get<std::unique_ptr<RomFile>>(rom), start, length);
        TilePixels pixels{};
        QCOMPARE(visible.decode(address, pixels), decoded);
        if (decoded) QCOMPARE(digits(pixels), digits(decodeByHand(file, address)));
    }

    void zoomAndMarks_data() {
        // A zoom step in and out (-1: none); for cell (column, row) the ring with grid and the
        // outline without, at that zoom.
        using R = Row<int, int, int, int, int, QString, QString>;
        rows(R{"zoom 2, first cell", 2, 3, -1, 0, 0, "-1,-1,8,8", "0,0,16,16"},
             R{"zoom 3, cell (3, 2)", 3, 4, 2, 3, 2, "26,17,35,26", "72,48,96,72"},
             R{"zoom 8", 8, 9, 7, 1, 1, "8,8,17,17", "64,64,128,128"},
             R{"zoom 9, last editor cell", 9, -1, 8, 9, 7, "80,62,89,71", "648,504,720,576"});
    }
    void zoomAndMarks() {
        const auto [zoom, in, out, column, row, ring, outline] =
            fetch<int, int, int, int, int, QString, QString>();
        QCOMPARE(zoomedIn(zoom).value_or(-1), in);
        QCOMPARE(zoomedOut(zoom).value_or(-1), out);
        const auto text = [](Corners c) {
            return QString("%1,%2,%3,%4").arg(c.left).arg(c.top).arg(c.right).arg(c.bottom);
        };
        QCOMPARE(text(gridRing(column, row)), ring);
        QCOMPARE(text(boxOutline(column, row, zoom)), outline);
    }

    void editorHit_data() {
        // flips: 1 FlipX, 2 FlipY; cell and pixel -1: none.
        using R =
            Row<double, double, bool, int, int, int, int>; // x, y, grid, zoom, flips: cell, pixel
        rows(R{"(25, 55)", 25, 55, false, 3, 0, 21, 16}, R{"origin", 0, 0, false, 3, 0, 0, 0},
             R{"last pixel", 239.9, 191.9, false, 3, 0, 79, 63},
             R{"right of the cells", 240, 10, false, 3, 0, -1, -1},
             R{"below the cells", 10, 192, false, 3, 0, -1, -1},
             R{"left of the canvas", -0.5, 10, false, 3, 0, -1, -1},
             R{"above the canvas", 10, -0.5, false, 3, 0, -1, -1},
             R{"grid gap, right", 24, 10, true, 3, 0, 0, -1},
             R{"grid gap, below", 10, 24, true, 3, 0, 0, -1},
             R{"grid, before the gap", 23.9, 23.9, true, 3, 0, 0, 63},
             R{"grid, zoom 2, last gap", 179.9, 143.9, true, 2, 0, 79, -1},
             R{"FlipX, leftmost column", 0, 0, false, 3, 1, 0, 7},
             R{"FlipX, rightmost column", 23, 0, false, 3, 1, 0, 0},
             R{"FlipY, top row", 0, 0, false, 3, 2, 0, 56},
             R{"both flips", 4, 4, false, 3, 3, 0, 54},
             R{"FlipX keeps a gap a gap", 24, 0, true, 3, 1, 0, -1});
    }
    void editorHit() {
        const auto [x, y, grid, zoom, flips, index, pixel] =
            fetch<double, double, bool, int, int, int, int>();
        const std::optional<EditorHit> hit = editorHitCell(x, y, cellSizeFor(grid), zoom);
        QCOMPARE(hit ? hit->index() : -1, index);
        TileRecord tile;
        tile.FlipX = flips & 1;
        tile.FlipY = flips & 2;
        if (hit)
            QCOMPARE(editorHitPixel(*hit, x, y, cellSizeFor(grid), zoom, tile).value_or(-1), pixel);
    }

    // Cell 40 is painted; 0 and 79 hold its address (0 protected and mirrored), 41 the next
    // tile's, 1 none.
    void paintAndFill_data() {
        using R = Row<bool, qint32, bool, bool, bool>; // fill, address, protected, hiding: done
        rows(R{"paint copies", false, 100, false, false, true},
             R{"fill copies", true, 100, false, false, true},
             R{"paint, no address", false, 0, false, false, true},
             R{"fill, no address", true, 0, false, false, true},
             R{"paint protected", false, 100, true, false, false},
             R{"fill protected", true, 100, true, false, false},
             R{"paint hidden", false, 0, false, true, false},
             R{"fill hidden", true, 0, false, true, false},
             R{"paint, address, hiding", false, 100, false, true, true});
    }
    void paintAndFill() {
        const auto [fill, address, protect, hide, done] = fetch<bool, qint32, bool, bool, bool>();
        EditorTileArray tiles{};
        tiles[0] = tiles[40] = tiles[79] = cell(address, 1);
        tiles[0].WriteProtected = tiles[0].FlipX = true;
        tiles[40].WriteProtected = protect;
        tiles[41] = cell(address + 16, 1);
        tiles[1] = cell(0, 1);
        EditorTileArray expected = tiles;
        QCOMPARE(fill ? fillTile(tiles, 40, 2, hide) : paintPixel(tiles, 40, 10, 2, hide), done);
        if (done && fill) expected[40].Pixels.fill(2);
        if (done && !fill) expected[40].Pixels[10] = 2;
        if (address != 0) expected[0].Pixels = expected[79].Pixels = expected[40].Pixels;
        QCOMPARE(tiles, expected);
    }

    void advanceSelection_data() {
        using R = Row<int, int, int, int>;
        rows(R{"(0, 0)", 0, 0, 1, 0}, R{"(8, 3)", 8, 3, 9, 3}, R{"end of a row", 9, 3, 0, 4},
             R{"end of row 6", 9, 6, 0, 7}, R{"along the last row", 4, 7, 5, 7},
             R{"last cell wraps", 9, 7, 0, 0});
    }
    void advanceSelection() {
        auto [column, row, nextColumn, nextRow] = fetch<int, int, int, int>();
        ::advanceSelection(column, row);
        QCOMPARE(std::pair(column, row), std::pair(nextColumn, nextRow));
    }

    void flips_data() {
        using R = Row<bool, bool>;
        rows(R{"none", false, false}, R{"FlipX", true, false}, R{"FlipY", false, true},
             R{"both", true, true});
    }
    void flips() {
        const auto [flipX, flipY] = fetch<bool, bool>();
        TileRecord tile = cell(77, 0, 5);
        tile.FlipX = flipX;
        tile.FlipY = flipY;
        TileRecord shown = tile;
        for (int i = 0; i < kTilePixels; ++i)
            shown.Pixels[i] =
                tile.Pixels[8 * (flipY ? 7 - i / 8 : i / 8) + (flipX ? 7 - i % 8 : i % 8)];
        QCOMPARE(displayedTile(tile), shown);
        // Each undoes itself, in place on the record it returns.
        TileRecord twice = tile;
        FlipTileY(FlipTileX(FlipTileY(FlipTileX(twice))));
        QCOMPARE(twice, tile);
    }

    // Cell 3 holds an address; the tile at another goes into cell 0.
    void checkCopy_data() {
        using R = Row<qint32, qint32, bool, CopyRefusal>; // held, copied, target protected
        const CopyRefusal none = CopyRefusal::None, overlap = CopyRefusal::Overlap;
        rows(R{"100 again", 100, 100, false, none}, R{"92", 100, 92, false, overlap},
             R{"85", 100, 85, false, overlap}, R{"101", 100, 101, false, overlap},
             R{"115", 100, 115, false, overlap}, R{"84", 100, 84, false, none},
             R{"116", 100, 116, false, none}, R{"no addresses, 5", 0, 5, false, none},
             R{"protected target", 100, 500, true, CopyRefusal::WriteProtected},
             R{"protection before overlap", 100, 92, true, CopyRefusal::WriteProtected});
    }
    void checkCopy() {
        const auto [held, address, protect, refusal] = fetch<qint32, qint32, bool, CopyRefusal>();
        EditorTileArray tiles{};
        tiles[3].Address = held;
        tiles[0].WriteProtected = protect;
        QCOMPARE(::checkCopy(tiles, 0, address), refusal);
    }

    void writeTargets_data() {
        // As the browser's marked cell (whole values only) and as a typed address.
        using R = Row<double, qint32, bool, qint64>; // value, length: browser, typed
        rows(R{"0", 0, 4096, false, kNone}, R{"1", 1, 4096, true, 1},
             R{"negative", -16, 4096, false, kNone}, R{"length - 16", 4080, 4096, true, 4080},
             R{"length - 15", 4081, 4096, false, kNone}, R{"file of 16 bytes", 0, 16, false, kNone},
             R{"file of 17 bytes", 1, 17, true, 1}, R{"file of 15 bytes", 1, 15, false, kNone},
             R{"2^32", 4294967296.0, 4096, false, kNone}, R{"2.5 to 2", 2.5, 4096, false, 2},
             R{"0.5 rounds to 0", 0.5, 4096, false, kNone},
             R{"4079.6 to the last tile", 4079.6, 4096, false, 4080},
             R{"4080.1 refused before rounding", 4080.1, 4096, false, kNone},
             R{"not a number", kNaN, 4096, false, kNone});
    }
    void writeTargets() {
        const auto [value, length, browser, typed] = fetch<double, qint32, bool, qint64>();
        if (std::isfinite(value) && value == std::trunc(value))
            QCOMPARE(browserTargetValid(qint64(value), length), browser);
        QCOMPARE(orNone(typedTarget(value, length)), typed);
    }

    // Cell 10 is the source; 0, 11 and 79 hold its address, 12 the next tile's, 13 none.
    void syncCopies_data() {
        using R = Row<qint32>;
        rows(R{"copies take over everything", 200}, R{"a cell without address has no copies", 0});
    }
    void syncCopies() {
        const auto [address] = fetch<qint32>();
        EditorTileArray tiles{};
        tiles[0] = tiles[11] = tiles[79] = cell(address, 3);
        tiles[11].FlipY = true;
        tiles[10] = cell(address, 0, 9);
        tiles[10].FlipX = tiles[10].WriteProtected = true;
        tiles[12] = cell(address + 16, 2);
        tiles[13] = cell(0, 1);
        EditorTileArray expected = tiles;
        if (address != 0) expected[0] = expected[11] = expected[79] = tiles[10];
        ::syncCopies(tiles, 10);
        QCOMPARE(tiles, expected);
    }

    void copyClearReload() {
        TileRecord tile = cell(300, 3);
        tile.FlipX = tile.FlipY = tile.WriteProtected = true;
        EditorTileArray tiles{tile, tile};
        const TileRecord file = cell(0, 0, 11);
        copyIntoCell(tiles, 0, file, 1234);
        reloadCell(tiles[1], file.Pixels);
        clearCell(tile);
        TileRecord copied = file, reloaded = file;
        copied.Address = 1234;
        reloaded.Address = 300;
        QCOMPARE(std::pair(tiles[0], tiles[1]), std::pair(copied, reloaded));
        QCOMPARE(tile, TileRecord{});
    }

    void colorFieldTexts() {
        QCOMPARE(colorFieldText(0, rgbColor(255, 255, 128)), QString("Color no. 0 ( Hex 80FFFF )"));
        QCOMPARE(colorFieldText(3, rgbColor(0, 0, 0)), QString("Color no. 3 ( Hex 0 )"));
    }

    void openFilters_data() {
        using R = Row<QString, QStringList>; // the list: as Qt's dialog takes it
        rows(R{"the open dialog's",
               msg::kOpenFilter,
               {"Gameboy Roms (*.gb,*.gbc) (*.gb *.gbc)",
                "Super Nintendo Roms (*.smc, *.sfc,*.fig) (*.smc *.sfc *.fig)",
                "All files (*.*) (*)"}},
             R{"a description without patterns",
               "Text (*.txt)|*.txt|Dangling",
               {"Text (*.txt) (*.txt)"}},
             R{"empty patterns", "A|*.a; ;*.b", {"A (*.a *.b)"}});
    }
    void openFilters() {
        const auto [list, dialog] = fetch<QString, QStringList>();
        QCOMPARE(qtNameFilters(list), dialog);
        QCOMPARE(parseFileFilters(list).size(), dialog.size());
    }

    void userGuide_data() {
        using R = Row<bool, bool, bool>; // guide installed, in the source tree: installed found
        rows(R{"installed and in the source tree", true, true, true},
             R{"in the source tree only", false, true, false}, R{"neither", false, false, true});
    }
    void userGuide() {
        const auto [installed, inSource, installedFound] = fetch<bool, bool, bool>();
        QTemporaryDir dir;
        const QString guide = dir.filePath("share/doc/pelorin/README.md");
        const QString source = dir.filePath("src/README.md");
        for (const QString& path : {installed ? guide : QString(), inSource ? source : QString()}) {
            QFile file(path);
            QVERIFY(path.isEmpty() ||
                    (QDir().mkpath(QFileInfo(path).path()) && file.open(QIODevice::WriteOnly)));
        }
        QCOMPARE(userGuidePath(dir.filePath("bin"), source), installedFound ? guide : source);
    }
};

QTEST_GUILESS_MAIN(TestCore)
#include "tst_core.moc"
