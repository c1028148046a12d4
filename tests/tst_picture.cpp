// The editor exported as a PNG picture and pictures imported into it, through the keys.
// ImageMagick draws the pictures a paint program would and reads what the program wrote.
#include "expected.h"
#include "pictures.h"
#include "romfiles.h"
#include "testtiles.h"
#include "ui/app/formmain.h"
#include "ui/platform/graphicbutton.h"
#include "ui/platform/picturebox.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>

namespace {

using Colors = QList<ColorRef>;
const Colors kPalette{rgbColor(255, 255, 128), rgbColor(181, 181, 96), rgbColor(128, 128, 64),
                      rgbColor(64, 64, 32)};
const QString kFilter = "PNG pictures (*.png)|*.png";

QString magick(const QString& tool, const QStringList& arguments) {
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0) return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The first run of lines "N: (r,g,b)" (a colormap) or "x,y: (r,g,b)" (pixels) in the text.
Colors listedColors(const QString& text) {
    static const QRegularExpression line("^\\s*[\\d,]+: \\((\\d+),(\\d+),(\\d+)");
    Colors colors;
    for (const QString& l : text.split(u'\n')) {
        const QRegularExpressionMatch m = line.match(l);
        if (m.hasMatch())
            colors << rgbColor(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
        else if (!colors.isEmpty())
            break;
    }
    return colors;
}
Colors colormap(const QString& verbose) {
    return listedColors(verbose.mid(verbose.indexOf("Colormap:\n")));
}

// Which of n colours pixel (x, y) of a drawn picture has: rows, columns and neighbouring cells
// differ, and with n = 4 each colour covers a quarter of a picture 16 or 32 pixels wide.
int pattern(int x, int y, int n) {
    return (x + 3 * y + x / 8) % n;
}

// A picture drawn outside the program; `format` PNG8 makes a palette PNG, PNG24 an RGB one.
QString drawn(const QTemporaryDir& dir, QSize size, const Colors& colors, const QString& format) {
    QString ppm = QString::asprintf("P3 %d %d 255\n", size.width(), size.height());
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x) {
            const ColorRef c = colors[pattern(x, y, int(colors.size()))];
            ppm += QString::asprintf("%d %d %d\n", colorRed(c), colorGreen(c), colorBlue(c));
        }
    const QString png =
        dir.filePath(format + QString::asprintf("-%dx%d.png", size.width(), size.height()));
    magick("convert", {writeRom(dir, "in.ppm", ppm.toLatin1()), format + u':' + png});
    return png;
}

// The editor canvas for these cells with cell (column, row) selected.
QImage editorShows(const EditorTileArray& tiles, int column, int row) {
    EditorPicture view;
    view.selColumn = column;
    view.selRow = row;
    return expectedEditor(tiles, view);
}
void key(Session& s, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier) {
    s.form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&s.form));
    QTest::keyClick(s.form.EditorBox, key, modifiers);
}
void select(Session& s, int column, int row) {
    Session::click(s.form.OptionSelect);
    Session::press(s.form.EditorBox, s.editorPixel(column, row));
}

// With a file: its tiles at 16, 32 and 48 in cells 0 to 2. Cell 5 (no address) filled with
// value 2, cell 1 mirrored and selected. Returns the cells as stored.
EditorTileArray editorWithTiles(Session& s, const QByteArray& bytes) {
    if (!bytes.isEmpty()) s.open(bytes);
    EditorTileArray tiles{};
    for (int i = 0; i < 3 && !bytes.isEmpty(); ++i) {
        s.copyToEditor(i + 1, 0);
        tiles[size_t(i)].Pixels = tileAt(bytes, 16 * (i + 1));
        tiles[size_t(i)].Address = 16 * (i + 1);
    }
    Session::click(s.form.BtCol[2]);
    Session::click(s.form.OptionFill);
    Session::press(s.form.EditorBox, s.editorPixel(5, 0));
    tiles[5].Pixels.fill(2);
    select(s, 1, 0);
    Session::click(s.form.ChkFlipX);
    tiles[1].FlipX = true;
    return tiles;
}

} // namespace

class TestPicture : public QObject {
    Q_OBJECT
  private slots:
    void init() {
        if (QStandardPaths::findExecutable("convert").isEmpty() ||
            QStandardPaths::findExecutable("identify").isEmpty())
            QSKIP("ImageMagick's convert and identify are missing (apt-get install imagemagick)");
    }

    void exportedAndImportedBack_data() {
        QTest::addColumn<bool>("cell");
        QTest::addColumn<bool>("hide");
        QTest::addColumn<bool>("open");
        QTest::newRow("Ctrl+E: the editor") << false << false << true;
        QTest::newRow("Shift+Ctrl+E: the selected cell, unmirrored") << true << false << true;
        QTest::newRow("noncopied hidden: written as 0, left alone") << false << true << true;
        QTest::newRow("no file open: offered in the home folder") << false << false << false;
    }
    void exportedAndImportedBack() {
        QFETCH(bool, cell);
        QFETCH(bool, hide);
        QFETCH(bool, open);
        Session s;
        const QByteArray bytes = open ? randomBytes(4096, 7) : QByteArray();
        EditorTileArray tiles = editorWithTiles(s, bytes);
        if (hide) Session::click(s.form.ChkNoncopied);
        const EditorTileArray before = s.state().EditorTiles;
        const QString out = s.dir.filePath("out.png");
        s.prompts.expectSave(out);
        key(s, Qt::Key_E, cell ? Qt::ControlModifier | Qt::ShiftModifier : Qt::ControlModifier);
        QCOMPARE(s.prompts.suggested, QStringList{open ? s.dir.filePath("rom-tiles.png")
                                                       : QDir::home().filePath("tiles.png")});
        const QString verbose = magick("identify", {"-verbose", out});
        QVERIFY2(verbose.contains(cell ? "Geometry: 8x8+0+0" : "Geometry: 80x64+0+0") &&
                     verbose.contains("Type: Palette") &&
                     verbose.contains("png:IHDR.color_type: 3 (Indexed)"),
                 qPrintable(verbose));
        QCOMPARE(colormap(verbose), kPalette);
        if (hide) tiles[5].Pixels.fill(0);
        const int width = cell ? 8 : 80;
        const Colors pixels = listedColors(magick("convert", {out, "txt:-"}));
        QCOMPARE(pixels.size(), cell ? 64 : 80 * 64);
        for (int i = 0; i < pixels.size(); ++i) {
            const int x = i % width, y = i / width, index = cell ? 1 : x / 8 + 10 * (y / 8);
            QCOMPARE(pixels[i], kPalette[tiles[size_t(index)].Pixels[size_t(8 * (y % 8) + x % 8)]]);
        }
        if (!cell) select(s, 0, 0);
        s.prompts.expectOpen(out);
        if (hide)
            s.prompts.expect(information("77 cells without address were left alone, as "
                                         "noncopied tiles are hidden.",
                                         "Picture imported"));
        key(s, Qt::Key_I);
        VERIFY_PROMPTS(s.prompts);
        QCOMPARE(s.prompts.filters.mid(open ? 1 : 0), QStringList(2, kFilter));
        QVERIFY(s.state().EditorTiles == before);
        if (open) QCOMPARE(s.onDisk(), bytes);
    }

    void imported_data() {
        QTest::addColumn<QString>("format");
        QTest::addColumn<Colors>("colors");
        QTest::addColumn<QList<int>>("values"); // for each colour; none: its palette index
        QTest::addColumn<int>("changed");
        QTest::addColumn<bool>("yes");
        QTest::addColumn<QPoint>("at");
        const Colors others{rgbColor(255, 255, 255), 0, rgbColor(0, 255, 0), kPalette[1]};
        QTest::newRow("palette PNG of other colours: by index, cell 1 protected, 9 as 0")
            << "PNG8" << Colors{rgbColor(255, 0, 0), others[2], rgbColor(0, 0, 255), others[0]}
            << QList<int>{} << 0 << true << QPoint(0, 0);
        QTest::newRow("RGB of the palette's colours")
            << "PNG24" << Colors{kPalette[2], kPalette[0], kPalette[3], kPalette[1]}
            << QList<int>{2, 0, 3, 1} << 0 << true << QPoint(3, 2);
        QTest::newRow("other colours, Yes: nearest in brightness")
            << "PNG24" << others << QList<int>{0, 3, 1, 1} << 96 << true << QPoint(8, 7);
        QTest::newRow("other colours, No")
            << "PNG24" << others << QList<int>{} << 96 << false << QPoint(8, 7);
    }
    void imported() {
        QFETCH(QString, format);
        QFETCH(Colors, colors);
        QFETCH(QList<int>, values);
        QFETCH(int, changed);
        QFETCH(bool, yes);
        QFETCH(QPoint, at);
        Session s;
        const QByteArray bytes = randomBytes(4096, 9);
        editorWithTiles(s, bytes);
        select(s, 9, 0);
        s.copyToEditor(1, 0); // cell 9 shares cell 0's address
        select(s, 1, 0);
        Session::click(s.form.ChkWriteProtected);
        const QString png = drawn(s.dir, {16, 8}, colors, format);
        const QString verbose = magick("identify", {"-verbose", png});
        QCOMPARE(verbose.contains("png:IHDR.color_type: 3 (Indexed)"), format == "PNG8");
        for (const ColorRef c : colors)
            if (format == "PNG8") values << int(colormap(verbose).indexOf(c));
        select(s, at.x(), at.y());
        EditorTileArray tiles = s.state().EditorTiles;
        s.prompts.expectOpen(png);
        if (changed)
            s.prompts.expect(expected::yesNo(QString("%1 pixels of the picture have colors that "
                                                     "are not in the palette.\rThey would change "
                                                     "to the palette colors nearest in "
                                                     "brightness.\rImport the picture?")
                                                 .arg(changed),
                                             "Import a picture"),
                             yes ? MsgAnswer::Yes : MsgAnswer::No);
        if (yes && at.isNull())
            s.prompts.expect(
                information("1 write-protected cell was left alone.", "Picture imported"));
        key(s, Qt::Key_I);
        VERIFY_PROMPTS(s.prompts);
        for (int p = 0; p < 128 && yes; ++p) {
            TileRecord& cell = tiles[size_t(editorCellIndex(at.x() + p / 64, at.y()))];
            if (!cell.WriteProtected)
                cell.Pixels[size_t(p % 64)] =
                    quint8(values[pattern(p % 8 + 8 * (p / 64), p % 64 / 8, 4)]);
        }
        if (yes && at.isNull()) tiles[9].Pixels = tiles[0].Pixels;
        QVERIFY(s.state().EditorTiles == tiles);
        QCOMPARE(s.onDisk(), bytes);
        COMPARE_PICTURE(s.form.EditorBox->surface(), editorShows(tiles, at.x(), at.y()), "import");
    }

    void refused_data() {
        QTest::addColumn<bool>("exporting");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QSize>("size"); // drawn by ImageMagick when valid
        QTest::addColumn<QString>("text");
        QTest::newRow("import: not a PNG")
            << false << "notes.png" << QSize() << "The file %1 is not a PNG picture.";
        QTest::newRow("import: unreadable")
            << false << "missing.png" << QSize()
            << "The picture %1 can not be read.\rNo such file or directory";
        QTest::newRow("import: too large") << false << "" << QSize(88, 8)
                                           << "The picture is 88 x 8 pixels.\rThe editor holds at "
                                              "most 80 x 64 pixels (10 x 8 tiles).";
        QTest::newRow("import: wrong size") << false << "" << QSize(12, 8)
                                            << "The picture is 12 x 8 pixels.\rIts width and "
                                               "height must be multiples of 8, the size of a tile.";
        QTest::newRow("import: past the edge")
            << false << "" << QSize(16, 8)
            << "The picture is 2 x 1 tiles. Put in from the selected cell ( 9, 0)\rit would reach "
               "past the edge of the editor.\rSelect a cell further left or up.";
        QTest::newRow("export: no such folder")
            << true << "gone/out.png" << QSize()
            << "The picture %1 can not be written.\rNo such file or directory";
        QTest::newRow("export: over the open ROM file")
            << true << "rom.gb" << QSize()
            << "The picture would replace the open ROM file.\rChoose another name.";
    }
    void refused() {
        QFETCH(bool, exporting);
        QFETCH(QString, file);
        QFETCH(QSize, size);
        QFETCH(QString, text);
        Session s;
        const QByteArray bytes = randomBytes(4096, 10);
        editorWithTiles(s, bytes);
        select(s, 9, 0);
        const EditorTileArray tiles = s.state().EditorTiles;
        const QString path =
            size.isValid() ? drawn(s.dir, size, kPalette, "PNG24") : s.dir.filePath(file);
        if (file == "notes.png") writeRom(s.dir, file, "A note");
        exporting ? s.prompts.expectSave(path) : s.prompts.expectOpen(path);
        s.prompts.expect(expected::refusal(text.contains("%1") ? text.arg(path) : text,
                                           exporting ? "Can not export the picture"
                                                     : "Can not import the picture"));
        key(s, exporting ? Qt::Key_E : Qt::Key_I);
        VERIFY_PROMPTS(s.prompts);
        QVERIFY(s.state().EditorTiles == tiles);
        COMPARE_PICTURE(s.form.EditorBox->surface(), editorShows(tiles, 9, 0), "refused");
        QCOMPARE(s.onDisk(), bytes);
    }
};

QTEST_MAIN(TestPicture)
#include "tst_picture.moc"
