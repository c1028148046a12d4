// The editor exported as a PNG picture and pictures imported into it, through the keys.
// ImageMagick draws the pictures a paint program would and reads what the program wrote.
#include "session.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>

#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>

#include <atomic>
#include <thread>

namespace {

using Colors = QList<ColorRef>;
const Colors kPalette{0x80FFFF, 0x60B5B5, 0x408080, 0x204040}; // the start colours, 0x00BBGGRR

QString magick(const QString& tool, const QStringList& arguments) {
    QProcess process;
    process.start(tool, arguments);
    return process.waitForFinished(60000) ? QString::fromUtf8(process.readAllStandardOutput()) : "";
}

// The colours of the lines "N: (r,g,b)" (colormap entries) or "x,y: (r,g,b)" (pixels).
Colors listedColors(const QString& text, const QString& from = {}) {
    static const QRegularExpression line("(?m)^\\s*[\\d,]+: \\((\\d+),(\\d+),(\\d+)");
    Colors colors;
    for (const QRegularExpressionMatch& m : line.globalMatch(text.mid(text.indexOf(from))))
        colors << rgbColor(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    return colors;
}

// Which of n colours pixel (x, y) of a drawn picture has: rows, columns and cells differ.
int pattern(int x, int y, int n) {
    return (x + 3 * y + x / 8) % n;
}

// A picture drawn outside the program; `format` PNG8 makes a palette PNG, PNG24 an RGB one.
QString drawn(const QTemporaryDir& dir, QSize size, const Colors& colors, const QString& format) {
    QByteArray ppm = QString::asprintf("P6 %d %d 255\n", size.width(), size.height()).toLatin1();
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            for (const int shift : {0, 8, 16}) // red, green, blue
                ppm += char(colors[pattern(x, y, int(colors.size()))] >> shift);
    magick("convert", {writeRom(dir, "in.ppm", ppm), format + ':' + dir.filePath("in.png")});
    return dir.filePath("in.png");
}

// The refusal (or information after an import) telling `text`, PATH standing for `path`.
void expectBox(Session& s, const QString& text, const QString& path, const QString& title) {
    const auto box = title == "Picture imported" ? information : expected::refusal;
    if (!text.isEmpty()) s.prompts.expect(box(QString(text).replace("PATH", path), title));
}

// With a file: its tiles at 16, 32 and 48 in cells 0 to 2. Cell 5 (no address) filled with
// value 2, cell 1 mirrored and selected. The window is active, for the keys.
void prepare(Session& s, bool open = true) {
    if (open) s.open(randomBytes(4096, 7));
    for (int i = 0; i < 3 && open; ++i)
        s.copyToEditor(i + 1, 0);
    s.fill(5, 0, 2);
    s.select(1, 0);
    Session::click(s.form.ChkFlipX);
    s.form.activateWindow();
    if (!QTest::qWaitForWindowActive(&s.form)) qWarning("the main window is not active");
}

// A named pipe that gives `first` to its first reader and `later` to every reader after it, as
// a file saved again between two reads of it does.
class ChangingFile {
  public:
    ChangingFile(const QString& path, const QByteArray& first, const QByteArray& later)
        : m_path(path.toLocal8Bit()) {
        if (mkfifo(m_path.constData(), 0600) != 0) qWarning("no named pipe %s", m_path.data());
        m_writer = std::thread([this, first, later] {
            sigset_t brokenPipe; // a reader that went early: an error to ignore, not the end
            sigemptyset(&brokenPipe);
            sigaddset(&brokenPipe, SIGPIPE);
            pthread_sigmask(SIG_BLOCK, &brokenPipe, nullptr);
            for (int reads = 0;; ++reads) {
                const int fd = ::open(m_path.constData(), O_WRONLY);
                const QByteArray& bytes = reads == 0 ? first : later;
                // Held open until the reader is gone, or has waited a while for the end.
                pollfd gone{fd, 0, 0};
                if (!m_stop && ::write(fd, bytes.constData(), size_t(bytes.size())) >= 0)
                    ::poll(&gone, 1, 100);
                ::close(fd);
                if (m_stop) return;
            }
        });
    }
    ~ChangingFile() {
        m_stop = true;
        // A reader held until the writer ends: its last open returns at once.
        const int reader = ::open(m_path.constData(), O_RDONLY | O_NONBLOCK);
        m_writer.join();
        ::close(reader);
    }

  private:
    QByteArray m_path;
    std::atomic<bool> m_stop = false;
    std::thread m_writer;
};

} // namespace

class TestPicture : public QObject {
    Q_OBJECT
  private slots:
    // Exported, then imported back into the cell it came from: as it was, or refused at the
    // export (and then at the import of what is there).
    void exportedAndImportedBack_data() {
        // the selected cell only (1), noncopied hidden (2), no file open (3); the file: the
        // export's refusal, what the import tells
        using R = Row<int, QString, QString, QString>;
        rows(R{"Shift+Ctrl+E: the selected cell, unmirrored", 1, "out.png", "", ""},
             R{"Ctrl+E, noncopied hidden: written as 0, left alone", 2, "out.png", "",
               "77 cells without address were left alone, as noncopied tiles are hidden."},
             R{"no file open: offered in the home folder", 3, "out.png", "", ""},
             R{"no such folder", 0, "gone/out.png",
               "The picture PATH can not be written.\rNo such file or directory",
               "The picture PATH can not be read.\rNo such file or directory"},
             R{"over the open ROM file, which is no PNG", 0, "rom.gb",
               "The picture would replace the open ROM file.\rChoose another name.",
               "The file PATH is not a PNG picture."});
    }
    void exportedAndImportedBack() {
        const auto [what, file, notWritten, told] = fetch<int, QString, QString, QString>();
        const bool cell = what == 1, hide = what == 2, open = what != 3;
        Session s;
        prepare(s, open);
        const Colors palette{kPalette[0], kPalette[1], kPalette[2], 0x123456};
        ViewColors view; // the fields, given these colours through the picker, send them out
        for (int f = 0; f < 4; ++f) {
            s.prompts.expectColor(view.palette[size_t(f)] = palette[f]);
            QTest::mouseDClick(s.form.BtCol[f], Qt::LeftButton);
        }
        if (hide) Session::click(s.form.ChkNoncopied);
        const EditorTileArray before = s.state().EditorTiles;
        const QString out = s.dir.filePath(file);
        s.prompts.expectSave(out);
        expectBox(s, notWritten, out, "Can not export the picture");
        QTest::keySequence(&s.form, QKeySequence(cell ? "Shift+Ctrl+E" : "Ctrl+E"));
        QCOMPARE(s.prompts.suggested, QStringList{open ? s.dir.filePath("rom-tiles.png")
                                                       : QDir::home().filePath("tiles.png")});
        // A palette PNG of the four colours; pixel (x, y) that of cell (x / 8, y / 8), 0 if hidden.
        Colors pixels;
        for (int y = 0; notWritten.isEmpty() && y < (cell ? 8 : 64); ++y)
            for (int x = 0; x < (cell ? 8 : 80); ++x) {
                const TileRecord& tile = before[cell ? 1 : x / 8 + 10 * (y / 8)];
                pixels << palette[hide && !tile.Address ? 0 : tile.Pixels[8 * (y % 8) + x % 8]];
            }
        QCOMPARE(listedColors(magick("convert", {out, "txt:-"})), pixels);
        if (notWritten.isEmpty())
            QCOMPARE(magick("identify", {"-format", "%wx%h %[type] %[png:IHDR.color_type]", out}),
                     cell ? "8x8 Palette 3 (Indexed)" : "80x64 Palette 3 (Indexed)");
        if (!cell) s.select(0, 0);
        s.prompts.expectOpen(out);
        expectBox(s, told, out, hide ? "Picture imported" : "Can not import the picture");
        QTest::keySequence(&s.form, QKeySequence("Ctrl+I"));
        VERIFY_PROMPTS(s.prompts);
        QCOMPARE(s.prompts.filters.mid(open ? 1 : 0), QStringList(2, "PNG pictures (*.png)|*.png"));
        QVERIFY(s.state().EditorTiles == before);
        COMPARE_PICTURE(
            s.form.EditorBox->surface(),
            expectedEditor(before, {.selColumn = cell, .hideNoncopied = hide, .colors = view}),
            "back");
    }

    // A picture drawn outside the program goes in from the selected cell without a question
    // when all its colours are the fields' (a two-entry palette comes as a 1-bit picture);
    // otherwise after a question by its palette's indices or by the nearest brightness; or it
    // is refused for its size or place. A file that changes between two
    // reads (a pipe here, or a file saved again meanwhile) goes in as it was read once; a second
    // read would get a picture that reaches past the last cell.
    void imported_data() {
        // size, format, its PNG colour type, colours, the value each gets (none: its palette
        // index), the question, Yes to it, the cell selected: what the import tells. How the
        // colours map and where a picture fits are the core's rules, tested there.
        using R = Row<QSize, QString, int, Colors, QList<int>, QString, bool, QPoint, QString>;
        const Colors others{rgbColor(255, 255, 255), 0, rgbColor(0, 255, 0), kPalette[1]};
        const Colors& k = kPalette;
        const QSize two(16, 8);
        const QList<int> none, all{0, 1, 2, 3};
        const QString nearest = "96 pixels of the picture have colors that are not in the "
                                "palette.\rThey would change to the palette colors nearest in "
                                "brightness.\rImport the picture?";
        rows(
            R{"palette PNG: by index, cell 2 protected, 9 as 0", QSize(24, 8), "PNG8", 3,
              Colors({rgbColor(255, 0, 0), others[2], rgbColor(0, 0, 255), others[0]}), none,
              "The picture has colors that are not in the palette.\rIts pixels would take the "
              "values of their entries in the picture's own palette (entry 0 as value 0, entry 1 "
              "as value 1, and so on).\rImport the picture?",
              true, QPoint(0, 0), "1 write-protected cell was left alone."},
            R{"other colours, Yes: nearest in brightness", two, "PNG24", 2, others,
              QList<int>({0, 3, 1, 1}), nearest, true, QPoint(8, 7), ""},
            R{"other colours, No", two, "PNG24", 2, others, none, nearest, false, QPoint(8, 7), ""},
            R{"palette of two entries", two, "PNG8", 3, Colors{k[3], k[0]}, QList<int>{3, 0}, "",
              true, QPoint(8, 7), ""},
            R{"a pipe, read once; RGB", QSize(8, 8), "PNG24", 2, k, all, "", true, QPoint(9, 7),
              ""},
            R{"too large", QSize(88, 8), "PNG24", 2, k, none, "", false, QPoint(9, 0),
              "The picture is 88 x 8 pixels.\rThe editor holds at most 80 x 64 pixels (10 x 8 "
              "tiles)."},
            R{"wrong size", QSize(12, 8), "PNG24", 2, k, none, "", false, QPoint(9, 0),
              "The picture is 12 x 8 pixels.\rIts width and height must be multiples of 8, the "
              "size of a tile."},
            R{"past the edge", two, "PNG24", 2, k, none, "", false, QPoint(9, 0),
              "The picture is 2 x 1 tiles. Put in from the selected cell ( 9, 0)\rit would reach "
              "past the edge of the editor.\rSelect a cell further left or up."});
    }
    void imported() {
        auto [size, format, colorType, colors, values, asked, yes, at, told] =
            fetch<QSize, QString, int, Colors, QList<int>, QString, bool, QPoint, QString>();
        Session s;
        prepare(s);
        s.select(2, 0);
        Session::click(s.form.ChkWriteProtected);
        s.select(9, 0);
        s.copyToEditor(1, 0); // cell 9 shares cell 0's address
        QString png = drawn(s.dir, size, colors, format);
        const QString verbose = magick("identify", {"-verbose", png});
        QVERIFY(verbose.contains(QString("png:IHDR.color_type: %1 (").arg(colorType)));
        const Colors colormap = listedColors(verbose, "Colormap:");
        if (colorType == 3) QVERIFY(colormap != kPalette);
        for (const ColorRef c : colors)
            if (values.size() < colors.size()) values << int(colormap.indexOf(c));
        std::optional<ChangingFile> pipe;
        if (QTest::currentDataTag() == QByteArray("a pipe, read once; RGB")) {
            const QByteArray small = fileBytes(png);
            const QByteArray large = fileBytes(drawn(s.dir, QSize(80, 64), kPalette, "PNG24"));
            png = s.dir.filePath("pipe.png");
            pipe.emplace(png, small, large);
        }
        s.select(at.x(), at.y());
        EditorTileArray tiles = s.state().EditorTiles;
        s.prompts.expectOpen(png);
        if (!asked.isEmpty())
            s.prompts.expect(expected::yesNo(asked, "Import a picture"),
                             yes ? MsgAnswer::Yes : MsgAnswer::No);
        expectBox(s, told, png, yes ? "Picture imported" : "Can not import the picture");
        QTest::keySequence(&s.form, QKeySequence("Ctrl+I"));
        VERIFY_PROMPTS(s.prompts);
        for (int y = 0; y < size.height() && yes; ++y)
            for (int x = 0; x < size.width(); ++x) {
                TileRecord& t = tiles[editorCellIndex(at.x() + x / 8, at.y() + y / 8)];
                if (!t.WriteProtected)
                    t.Pixels[8 * (y % 8) + x % 8] =
                        quint8(values[pattern(x, y, int(colors.size()))]);
            }
        if (yes && at.isNull()) tiles[9].Pixels = tiles[0].Pixels;
        QVERIFY(s.state().EditorTiles == tiles);
        COMPARE_PICTURE(s.form.EditorBox->surface(),
                        expectedEditor(tiles, {.selColumn = at.x(), .selRow = at.y()}), "import");
    }

    // Only the whole eight-byte signature makes a PNG; a signature alone is a damaged one. A
    // file longer than any picture for the editor needs is not read to its end.
    void notPictures_data() {
        const QByteArray signature("\x89PNG\r\n\x1a\n", 8);
        using R = Row<QByteArray, QString>;
        rows(R{"last signature byte wrong", signature.left(7) + "X" + QByteArray(40, 'A'),
               "The file PATH is not a PNG picture."},
             R{"nothing but the signature", signature,
               "The picture PATH can not be read.\rThe file is damaged."},
             R{"8 x 8 pixels in more than 1 MiB, not read on",
               signature +
                   QByteArray::fromHex("0000000d4948445200000008000000080803000000deadbeef") +
                   QByteArray(1 << 20, 'A'),
               "The picture PATH can not be read.\rThe file is larger than 1 MiB, far larger "
               "than a picture of 80 x 64 pixels needs."});
    }
    void notPictures() {
        const auto [bytes, told] = fetch<QByteArray, QString>();
        Session s;
        prepare(s);
        const EditorTileArray before = s.state().EditorTiles;
        const QString path = writeRom(s.dir, "in.png", bytes);
        s.prompts.expectOpen(path);
        expectBox(s, told, path, "Can not import the picture");
        QTest::keySequence(&s.form, QKeySequence("Ctrl+I"));
        VERIFY_PROMPTS(s.prompts);
        QVERIFY(s.state().EditorTiles == before);
    }
};

QTEST_MAIN(TestPicture)
#include "tst_picture.moc"
