#include "core/editor/editorworkspace.h"
#include "core/rom/tilecodec.h"
#include "core/transfer/transferrules.h"

#include <QRandomGenerator>
#include <QTest>

#include <cstring>
#include <limits>
#include <sys/mman.h>
#include <unistd.h>

using Row = std::array<quint8, 8>;
Q_DECLARE_METATYPE(Row)

namespace {

// Bytes placed so that they end right where readable memory ends: touching one byte past
// them faults.
class GuardedBytes {
  public:
    explicit GuardedBytes(const QByteArray& bytes) {
        m_page = size_t(::sysconf(_SC_PAGESIZE));
        void* map =
            ::mmap(nullptr, 2 * m_page, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (map == MAP_FAILED) qFatal("mmap failed");
        m_base = static_cast<quint8*>(map);
        ::mprotect(m_base + m_page, m_page, PROT_NONE);
        m_start = m_base + m_page - bytes.size();
        std::memcpy(m_start, bytes.constData(), size_t(bytes.size()));
    }
    ~GuardedBytes() { ::munmap(m_base, 2 * m_page); }
    GuardedBytes(const GuardedBytes&) = delete;
    GuardedBytes& operator=(const GuardedBytes&) = delete;
    [[nodiscard]] const quint8* data() const { return m_start; }

  private:
    size_t m_page = 0;
    quint8* m_base = nullptr;
    quint8* m_start = nullptr;
};

Row rowOf(const TilePixels& pixels, int y) {
    Row row{};
    std::copy_n(pixels.begin() + 8 * y, 8, row.begin());
    return row;
}

TilePixels numberedPixels() {
    TilePixels pixels{};
    for (int i = 0; i < kTilePixels; ++i)
        pixels[i] = quint8((i * 7 + i / 8) % 4);
    return pixels;
}

TileRecord tileAt(qint32 address, quint8 color = 0) {
    TileRecord tile;
    tile.Address = address;
    tile.Pixels.fill(color);
    return tile;
}

} // namespace

class TestTileCodec : public QObject {
    Q_OBJECT
  private slots:
    // ----- codec -----
    void decodeRow_data() {
        QTest::addColumn<int>("low");
        QTest::addColumn<int>("high");
        QTest::addColumn<Row>("expected");
        QTest::newRow("3C 7E") << 0x3C << 0x7E << Row{0, 2, 3, 3, 3, 3, 2, 0};
        QTest::newRow("FF 00 all 1") << 0xFF << 0x00 << Row{1, 1, 1, 1, 1, 1, 1, 1};
        QTest::newRow("00 FF all 2") << 0x00 << 0xFF << Row{2, 2, 2, 2, 2, 2, 2, 2};
        QTest::newRow("FF FF all 3") << 0xFF << 0xFF << Row{3, 3, 3, 3, 3, 3, 3, 3};
        QTest::newRow("00 00 all 0") << 0x00 << 0x00 << Row{0, 0, 0, 0, 0, 0, 0, 0};
        QTest::newRow("bit 7 is x = 0") << 0x80 << 0x01 << Row{1, 0, 0, 0, 0, 0, 0, 2};
    }
    void decodeRow() {
        QFETCH(int, low);
        QFETCH(int, high);
        QFETCH(Row, expected);
        for (int y = 0; y < 8; ++y) {
            QByteArray bytes(16, '\0');
            bytes[2 * y] = char(low);
            bytes[2 * y + 1] = char(high);
            TilePixels pixels{};
            decodeTile(reinterpret_cast<const quint8*>(bytes.constData()), 16, pixels);
            const Row blank{};
            for (int other = 0; other < 8; ++other)
                QCOMPARE(rowOf(pixels, other), other == y ? expected : blank);
            QVERIFY(!reachesOutsideFile(pixels));
            QCOMPARE(encodeTile(pixels)[2 * y], quint8(low));
            QCOMPARE(encodeTile(pixels)[2 * y + 1], quint8(high));
        }
    }

    void endOfFile_data() {
        QTest::addColumn<int>("available");
        QTest::addColumn<int>("insideRows");
        QTest::newRow("16 bytes") << 16 << 8;
        QTest::newRow("15 bytes") << 15 << 7;
        QTest::newRow("14 bytes") << 14 << 7;
        QTest::newRow("3 bytes") << 3 << 1;
        QTest::newRow("2 bytes") << 2 << 1;
        QTest::newRow("1 byte") << 1 << 0;
        QTest::newRow("0 bytes") << 0 << 0;
        QTest::newRow("-1 bytes") << -1 << 0;
        QTest::newRow("-1000 bytes") << -1000 << 0;
    }
    void endOfFile() {
        QFETCH(int, available);
        QFETCH(int, insideRows);
        QByteArray bytes;
        for (int i = 0; i < std::max(available, 0) / 2; ++i)
            bytes.append("\x3C\x7E", 2);
        if (available > 0 && available % 2) bytes.append('\x3C');
        // The bytes end where readable memory ends: decoding must not read past them.
        GuardedBytes guarded(bytes);
        TilePixels pixels;
        pixels.fill(9);
        decodeTile(guarded.data(), available, pixels);
        const Row outside{4, 4, 4, 4, 4, 4, 4, 4};
        const Row inside{0, 2, 3, 3, 3, 3, 2, 0};
        for (int y = 0; y < 8; ++y)
            QCOMPARE(rowOf(pixels, y), y < insideRows ? inside : outside);
        QCOMPARE(reachesOutsideFile(pixels), insideRows < 8);
    }

    void encodeKnownRows() {
        TilePixels pixels{};
        const Row row{0, 2, 3, 3, 3, 3, 2, 0};
        std::copy(row.begin(), row.end(), pixels.begin() + 8 * 5);
        std::fill(pixels.begin() + 8 * 7, pixels.end(), quint8(1));
        const TileBytes expected{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x3C, 0x7E, 0, 0, 0xFF, 0x00};
        QCOMPARE(encodeTile(pixels), expected);
    }

    void randomRoundTrips() {
        QRandomGenerator random(20261207);
        for (int n = 0; n < 5000; ++n) {
            TileBytes bytes;
            for (quint8& b : bytes)
                b = quint8(random.bounded(256));
            TilePixels pixels;
            decodeTile(bytes.data(), 16, pixels);
            for (quint8 p : pixels)
                QVERIFY(p <= 3);
            QCOMPARE(encodeTile(pixels), bytes);

            TilePixels drawn;
            for (quint8& p : drawn)
                p = quint8(random.bounded(4));
            const TileBytes encoded = encodeTile(drawn);
            TilePixels back;
            decodeTile(encoded.data(), 16, back);
            QCOMPARE(back, drawn);
        }
    }

    // ----- editor hit tests -----
    void hitCell_data() {
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("y");
        QTest::addColumn<int>("cellSize");
        QTest::addColumn<int>("zoom");
        QTest::addColumn<bool>("hit");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("row");
        QTest::newRow("zoom 3 (25,55)") << 25.0 << 55.0 << 8 << 3 << true << 1 << 2;
        QTest::newRow("origin") << 0.0 << 0.0 << 8 << 3 << true << 0 << 0;
        QTest::newRow("last cell") << 239.9 << 191.9 << 8 << 3 << true << 9 << 7;
        QTest::newRow("grid gap belongs left") << 26.5 << 10.0 << 9 << 3 << true << 0 << 0;
        QTest::newRow("right of cells") << 240.0 << 10.0 << 8 << 3 << false << 0 << 0;
        QTest::newRow("below cells") << 10.0 << 192.0 << 8 << 3 << false << 0 << 0;
        QTest::newRow("left of canvas") << -0.5 << 10.0 << 8 << 3 << false << 0 << 0;
        QTest::newRow("above canvas") << 10.0 << -0.5 << 8 << 3 << false << 0 << 0;
        QTest::newRow("grid zoom 2 far right") << 179.9 << 143.9 << 9 << 2 << true << 9 << 7;
        QTest::newRow("grid zoom 2 past right") << 180.0 << 0.0 << 9 << 2 << false << 0 << 0;
    }
    void hitCell() {
        QFETCH(double, x);
        QFETCH(double, y);
        QFETCH(int, cellSize);
        QFETCH(int, zoom);
        QFETCH(bool, hit);
        QFETCH(int, column);
        QFETCH(int, row);
        const std::optional<EditorHit> cell = editorHitCell(x, y, cellSize, zoom);
        QCOMPARE(cell.has_value(), hit);
        if (hit) {
            QCOMPARE(cell->column, column);
            QCOMPARE(cell->row, row);
            QCOMPARE(cell->index(), column + 10 * row);
        }
    }

    void hitPixel_data() {
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("y");
        QTest::addColumn<int>("cellSize");
        QTest::addColumn<bool>("flipX");
        QTest::addColumn<bool>("flipY");
        QTest::addColumn<int>("pixel"); // -1: none
        // Zoom 3 throughout.
        QTest::newRow("(25,55) no grid") << 25.0 << 55.0 << 8 << false << false << 16;
        QTest::newRow("grid gap (24,10)") << 24.0 << 10.0 << 9 << false << false << -1;
        QTest::newRow("grid gap below (10,24)") << 10.0 << 24.0 << 9 << false << false << -1;
        QTest::newRow("grid last pixel before gap") << 23.9 << 23.9 << 9 << false << false << 63;
        QTest::newRow("FlipX leftmost column") << 0.0 << 0.0 << 8 << true << false << 7;
        QTest::newRow("FlipX rightmost column") << 23.0 << 0.0 << 8 << true << false << 0;
        QTest::newRow("FlipY top row") << 0.0 << 0.0 << 8 << false << true << 56;
        QTest::newRow("FlipX and FlipY") << 1.0 << 1.0 << 8 << true << true << 63;
        QTest::newRow("FlipX grid gap stays a gap") << 24.0 << 0.0 << 9 << true << false << -1;
        QTest::newRow("FlipX (25,55) in cell 1,2") << 25.0 << 55.0 << 8 << true << false << 23;
    }
    void hitPixel() {
        QFETCH(double, x);
        QFETCH(double, y);
        QFETCH(int, cellSize);
        QFETCH(bool, flipX);
        QFETCH(bool, flipY);
        QFETCH(int, pixel);
        const std::optional<EditorHit> cell = editorHitCell(x, y, cellSize, 3);
        QVERIFY(cell.has_value());
        TileRecord tile;
        tile.FlipX = flipX;
        tile.FlipY = flipY;
        const std::optional<int> index = editorHitPixel(*cell, x, y, cellSize, 3, tile);
        QCOMPARE(index.has_value(), pixel >= 0);
        if (pixel >= 0) QCOMPARE(*index, pixel);
    }

    // ----- flips -----
    void flipsMirror() {
        TileRecord tile;
        tile.Pixels[8 * 2 + 1] = 3; // (1, 2)
        TileRecord x = tile;
        FlipTileX(x);
        TilePixels expectedX{};
        expectedX[8 * 2 + 6] = 3;
        QCOMPARE(x.Pixels, expectedX);
        TileRecord y = tile;
        FlipTileY(y);
        TilePixels expectedY{};
        expectedY[8 * 5 + 1] = 3;
        QCOMPARE(y.Pixels, expectedY);
        // The switches are not the flip: only the pixels move.
        QVERIFY(!x.FlipX && !x.FlipY && !y.FlipX && !y.FlipY);
    }
    void flipsInvolutionCommuteRotate() {
        TileRecord tile;
        tile.Pixels = numberedPixels();
        tile.Address = 77;
        TileRecord twiceX = tile;
        FlipTileX(FlipTileX(twiceX));
        QCOMPARE(twiceX, tile);
        TileRecord twiceY = tile;
        FlipTileY(FlipTileY(twiceY));
        QCOMPARE(twiceY, tile);
        TileRecord xy = tile;
        FlipTileY(FlipTileX(xy));
        TileRecord yx = tile;
        FlipTileX(FlipTileY(yx));
        QCOMPARE(xy, yx);
        // Both together turn the tile by 180 degrees: pixel i goes to 63 - i.
        for (int i = 0; i < kTilePixels; ++i)
            QCOMPARE(xy.Pixels[63 - i], tile.Pixels[i]);
        QCOMPARE(xy.Address, 77);
    }

    void advanceSelection_data() {
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("nextColumn");
        QTest::addColumn<int>("nextRow");
        QTest::newRow("(0,0)") << 0 << 0 << 1 << 0;
        QTest::newRow("(8,3)") << 8 << 3 << 9 << 3;
        QTest::newRow("wrap at column 10") << 9 << 3 << 0 << 4;
        QTest::newRow("last row moves along") << 4 << 7 << 5 << 7;
        QTest::newRow("(9,7) to (0,0)") << 9 << 7 << 0 << 0;
    }
    void advanceSelection() {
        QFETCH(int, column);
        QFETCH(int, row);
        QFETCH(int, nextColumn);
        QFETCH(int, nextRow);
        ::advanceSelection(column, row);
        QCOMPARE(column, nextColumn);
        QCOMPARE(row, nextRow);
    }

    // ----- painting -----
    void paintPropagates_data() {
        QTest::addColumn<bool>("fill");
        QTest::newRow("paint") << false;
        QTest::newRow("fill") << true;
    }
    void paintPropagates() {
        QFETCH(bool, fill);
        EditorTileArray tiles{};
        tiles[0] = tileAt(100, 1);
        tiles[5] = tileAt(100, 1);
        tiles[12] = tileAt(100, 1);
        tiles[12].WriteProtected = true; // a receiver; protection is not consulted
        tiles[12].FlipX = true;
        tiles[20] = tileAt(116, 1);
        tiles[30] = tileAt(0, 1);
        const EditorTileArray before = tiles;
        const bool done = fill ? fillTile(tiles, 0, 2, false) : paintPixel(tiles, 0, 10, 2, false);
        QVERIFY(done);
        TilePixels expected;
        expected.fill(1);
        if (fill)
            expected.fill(2);
        else
            expected[10] = 2;
        for (int k : {0, 5, 12})
            QCOMPARE(tiles[k].Pixels, expected);
        QCOMPARE(tiles[12].WriteProtected, true);
        QCOMPARE(tiles[12].FlipX, true);
        QCOMPARE(tiles[12].Address, 100);
        for (int k = 0; k < kEditorCells; ++k) {
            if (k != 0 && k != 5 && k != 12) QCOMPARE(tiles[k], before[k]);
        }
    }
    void paintWithoutAddressStaysInItsCell() {
        EditorTileArray tiles{};
        tiles[3] = tileAt(0, 1);
        QVERIFY(paintPixel(tiles, 3, 0, 3, false));
        QCOMPARE(tiles[3].Pixels[0], quint8(3));
        for (int k = 0; k < kEditorCells; ++k) {
            if (k != 3) QCOMPARE(tiles[k], TileRecord{});
        }
        QVERIFY(fillTile(tiles, 4, 2, false));
        TilePixels two;
        two.fill(2);
        QCOMPARE(tiles[4].Pixels, two);
        QCOMPARE(tiles[3].Pixels[1], quint8(1));
        QCOMPARE(tiles[0], TileRecord{});
    }
    void paintRefused_data() {
        QTest::addColumn<bool>("fill");
        QTest::addColumn<bool>("protectedSource");
        QTest::addColumn<qint32>("address");
        QTest::addColumn<bool>("hideNoncopied");
        QTest::newRow("paint protected") << false << true << 100 << false;
        QTest::newRow("fill protected") << true << true << 100 << false;
        QTest::newRow("paint hidden") << false << false << 0 << true;
        QTest::newRow("fill hidden") << true << false << 0 << true;
    }
    void paintRefused() {
        QFETCH(bool, fill);
        QFETCH(bool, protectedSource);
        QFETCH(qint32, address);
        QFETCH(bool, hideNoncopied);
        EditorTileArray tiles{};
        tiles[7] = tileAt(address, 1);
        tiles[7].WriteProtected = protectedSource;
        tiles[8] = tileAt(address, 1);
        const EditorTileArray before = tiles;
        const bool done =
            fill ? fillTile(tiles, 7, 3, hideNoncopied) : paintPixel(tiles, 7, 0, 3, hideNoncopied);
        QVERIFY(!done);
        QCOMPARE(tiles, before);
    }
    void hiddenOnlyWhileHiding() {
        EditorTileArray tiles{};
        QVERIFY(paintPixel(tiles, 0, 0, 3, false));
        QCOMPARE(tiles[0].Pixels[0], quint8(3));
        tiles[1] = tileAt(50);
        QVERIFY(paintPixel(tiles, 1, 0, 3, true)); // has an address: not hidden
        QCOMPARE(tiles[1].Pixels[0], quint8(3));
    }

    // ----- copy from the browser -----
    void checkCopy_data() {
        QTest::addColumn<qint32>("address");
        QTest::addColumn<int>("refusal");
        // Cell 3 holds address 100; the target is cell 0.
        QTest::newRow("100 same address") << 100 << int(CopyRefusal::None);
        QTest::newRow("92 overlaps") << 92 << int(CopyRefusal::Overlap);
        QTest::newRow("85 overlaps") << 85 << int(CopyRefusal::Overlap);
        QTest::newRow("84 touches") << 84 << int(CopyRefusal::None);
        QTest::newRow("101 overlaps") << 101 << int(CopyRefusal::Overlap);
        QTest::newRow("115 overlaps") << 115 << int(CopyRefusal::Overlap);
        QTest::newRow("116 touches") << 116 << int(CopyRefusal::None);
        QTest::newRow("far away") << 5000 << int(CopyRefusal::None);
    }
    void checkCopy() {
        QFETCH(qint32, address);
        QFETCH(int, refusal);
        EditorTileArray tiles{};
        tiles[3] = tileAt(100);
        QCOMPARE(int(::checkCopy(tiles, 0, address)), refusal);
    }
    void checkCopyOrder_data() {
        QTest::addColumn<bool>("outside");
        QTest::addColumn<bool>("protectedTarget");
        QTest::addColumn<bool>("overlap");
        QTest::addColumn<int>("refusal");
        QTest::newRow("protected before overlap")
            << false << true << true << int(CopyRefusal::WriteProtected);
        QTest::newRow("protected alone")
            << false << true << false << int(CopyRefusal::WriteProtected);
        QTest::newRow("overlap alone") << false << false << true << int(CopyRefusal::Overlap);
        QTest::newRow("nothing") << false << false << false << int(CopyRefusal::None);
    }
    void checkCopyOrder() {
        QFETCH(bool, outside);
        QFETCH(bool, protectedTarget);
        QFETCH(bool, overlap);
        QFETCH(int, refusal);
        EditorTileArray tiles{};
        tiles[9] = tileAt(overlap ? 208 : 400);
        tiles[0].WriteProtected = protectedTarget;
        Q_UNUSED(outside);
        QCOMPARE(int(::checkCopy(tiles, 0, 200)), refusal);
    }
    void emptyCellsNeverOverlap_data() {
        QTest::addColumn<qint32>("address");
        QTest::newRow("5") << 5;
        QTest::newRow("1") << 1;
        QTest::newRow("15") << 15;
        QTest::newRow("16") << 16;
    }
    void emptyCellsNeverOverlap() {
        QFETCH(qint32, address);
        // Cells without an address refer to no bytes: a tile near address 0 is accepted.
        const EditorTileArray tiles{};
        QCOMPARE(int(::checkCopy(tiles, 0, address)), int(CopyRefusal::None));
    }
    void copyIntoCell() {
        EditorTileArray tiles{};
        tiles[4] = tileAt(300, 3);
        tiles[4].FlipX = true;
        tiles[4].FlipY = true;
        tiles[5] = tileAt(300, 3);
        TileRecord decoded;
        decoded.Pixels = numberedPixels();
        ::copyIntoCell(tiles, 4, decoded, 1234);
        TileRecord expected;
        expected.Pixels = numberedPixels();
        expected.Address = 1234;
        QCOMPARE(tiles[4], expected);
        QCOMPARE(tiles[5], tileAt(300, 3));
    }

    // ----- write targets -----
    void browserTarget_data() {
        QTest::addColumn<qint64>("address");
        QTest::addColumn<qint32>("length");
        QTest::addColumn<bool>("valid");
        QTest::newRow("address 0") << qint64(0) << 4096 << false;
        QTest::newRow("address 1") << qint64(1) << 4096 << true;
        QTest::newRow("negative") << qint64(-16) << 4096 << false;
        QTest::newRow("length - 16") << qint64(4080) << 4096 << true;
        QTest::newRow("length - 15") << qint64(4081) << 4096 << false;
        QTest::newRow("past end") << qint64(8000) << 4096 << false;
        QTest::newRow("file of 16 bytes, address 0") << qint64(0) << 16 << false;
        QTest::newRow("file of 17 bytes, address 1") << qint64(1) << 17 << true;
        QTest::newRow("file of 15 bytes") << qint64(1) << 15 << false;
        QTest::newRow("beyond 32 bits") << (qint64(1) << 32) << 4096 << false;
    }
    void browserTarget() {
        QFETCH(qint64, address);
        QFETCH(qint32, length);
        QFETCH(bool, valid);
        QCOMPARE(browserTargetValid(address, length), valid);
    }
    void typedTarget_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<qint32>("address");
        // File of 4096 bytes.
        QTest::newRow("0") << 0.0 << false << 0;
        QTest::newRow("negative") << -3.0 << false << 0;
        QTest::newRow("1") << 1.0 << true << 1;
        // Rounding must not turn a small positive value into address 0, the first tile.
        QTest::newRow("0.5 rounds to 0, refused") << 0.5 << false << 0;
        QTest::newRow("0.3 refused") << 0.3 << false << 0;
        QTest::newRow("2.5 to 2") << 2.5 << true << 2;
        QTest::newRow("3.5 to 4") << 3.5 << true << 4;
        QTest::newRow("length - 16") << 4080.0 << true << 4080;
        QTest::newRow("length - 16.4") << 4079.6 << true << 4080;
        QTest::newRow("length - 15.9 refused before rounding") << 4080.1 << false << 0;
        QTest::newRow("length - 15") << 4081.0 << false << 0;
        QTest::newRow("+inf") << std::numeric_limits<double>::infinity() << false << 0;
        QTest::newRow("-inf") << -std::numeric_limits<double>::infinity() << false << 0;
        QTest::newRow("nan") << std::numeric_limits<double>::quiet_NaN() << false << 0;
        QTest::newRow("2^32") << 4294967296.0 << false << 0;
    }
    void typedTarget() {
        QFETCH(double, value);
        QFETCH(bool, valid);
        QFETCH(qint32, address);
        const std::optional<qint32> target = ::typedTarget(value, 4096);
        QCOMPARE(target.has_value(), valid);
        if (valid) QCOMPARE(*target, address);
    }

    // ----- keeping copies alike -----
    void syncCopies() {
        EditorTileArray tiles{};
        TileRecord source;
        source.Pixels = numberedPixels();
        source.Address = 200;
        source.FlipX = true;
        source.WriteProtected = true;
        tiles[10] = source;
        tiles[11] = tileAt(200, 3);
        tiles[11].FlipY = true;
        tiles[79] = tileAt(200, 2);
        tiles[12] = tileAt(216, 3);
        tiles[13] = tileAt(0, 3);
        const EditorTileArray before = tiles;
        ::syncCopies(tiles, 10);
        QCOMPARE(tiles[10], source);
        QCOMPARE(tiles[11], source);
        QCOMPARE(tiles[79], source);
        QCOMPARE(tiles[12], before[12]);
        QCOMPARE(tiles[13], before[13]);
        for (int k = 14; k < 79; ++k)
            QCOMPARE(tiles[k], TileRecord{});
    }
    void syncCopiesFromAddressZeroDoesNothing() {
        EditorTileArray tiles{};
        tiles[0] = tileAt(0, 2);
        tiles[0].FlipX = true;
        tiles[1] = tileAt(0, 1);
        const EditorTileArray before = tiles;
        ::syncCopies(tiles, 0);
        QCOMPARE(tiles, before);
    }
    void clearCell() {
        TileRecord tile;
        tile.Pixels = numberedPixels();
        tile.Address = 99;
        tile.FlipX = tile.FlipY = tile.WriteProtected = true;
        ::clearCell(tile);
        QCOMPARE(tile.Address, 0);
        QVERIFY(!tile.FlipX && !tile.FlipY && !tile.WriteProtected);
        QCOMPARE(tile.Pixels, TilePixels{});
    }
    void reloadCell() {
        TileRecord tile = tileAt(4096, 3);
        tile.FlipX = tile.FlipY = tile.WriteProtected = true;
        ::reloadCell(tile, numberedPixels());
        QCOMPARE(tile.Pixels, numberedPixels());
        QCOMPARE(tile.Address, 4096);
        QVERIFY(!tile.FlipX && !tile.FlipY && !tile.WriteProtected);
    }
};

QTEST_GUILESS_MAIN(TestTileCodec)
#include "tst_tilecodec.moc"
