// Speed of every path a user event starts, each next to the least work it must do.
#include "nullprompts.h"
#include "probe.h"
#include "search_bench.h"
#include "ui/app/formmain.h"
#include "ui/platform/filewatch.h"
#include "ui/platform/graphicbutton.h"
#include "ui/platform/picturebox.h"

#include <QApplication>
#include <QEventLoop>
#include <QFile>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <memory>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr qint64 kBrowseLength = qint64(4) << 20;
constexpr qint64 kSmallLength = qint64(32) << 10;
constexpr qint64 kLargeLength = qint64(1) << 30;
constexpr int kTileBytes = 16;

struct Files {
    QTemporaryDir dir;
    QString browse; // 4 MiB of random bytes
    QString small;  // 32 KiB of random bytes
    QString large;  // 1 GiB, sparse
};
Files* g_files = nullptr;

QString writeRandom(const QString& path, qint64 length, quint32 seed) {
    QByteArray bytes(length, Qt::Uninitialized);
    QRandomGenerator random(seed);
    random.fillRange(reinterpret_cast<quint32*>(bytes.data()), bytes.size() / 4);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != length) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        std::exit(2);
    }
    return path;
}

QString makeSparse(const QString& path, qint64 length) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !file.resize(length)) {
        std::fprintf(stderr, "cannot make %s\n", qPrintable(path));
        std::exit(2);
    }
    return path;
}

// A shown main window with the 4 MiB file open and its top address in the file's middle.
struct BrowsingWindow {
    NullPrompts prompts;
    FormMain form{prompts};

    explicit BrowsingWindow(bool grid, int zoomOutClicks) {
        form.show();
        form.openPath(g_files->browse);
        for (int i = 0; i < zoomOutClicks; ++i)
            form.BtBrowZoomOut->click();
        if (grid) form.ChkGrid->click();
        jumpTo(kBrowseLength / 2);
        QCoreApplication::processEvents();
    }
    void jumpTo(qint64 address) {
        form.TextAddress->setText(QString::number(address));
        form.BtJumpAdd_Click();
    }
    [[nodiscard]] bool fine(benchmark::State& state) const {
        if (prompts.messages != 0 || !form.state().RomFileOpen) {
            state.SkipWithError("the file did not open quietly");
            return false;
        }
        return true;
    }
};

// The least work any browser redraw must do: one positioned read of the visible bytes and
// one write of every pixel of the drawing area.
void browserFloor(benchmark::State& state, const BrowsingWindow& window) {
    const FormMainState& s = window.form.state();
    const int fd = ::open(qPrintable(g_files->browse), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        state.SkipWithError("cannot open the file");
        return;
    }
    std::vector<quint8> bytes(size_t(s.BrowserColumns) * size_t(s.BrowserRows) * kTileBytes);
    QImage area(window.form.SpriteBox->scaleWidth(), window.form.SpriteBox->scaleHeight(),
                QImage::Format_RGB32);
    auto* bits = reinterpret_cast<QRgb*>(area.bits());
    const qsizetype count = area.sizeInBytes() / qsizetype(sizeof(QRgb));
    quint32 color = 0;
    for (auto _ : state) {
        const ssize_t got = ::pread(fd, bytes.data(), bytes.size(), off_t(s.BrowserTopAddress));
        benchmark::DoNotOptimize(got);
        std::fill(bits, bits + count, QRgb(0xff000000u | (bytes[0] + ++color)));
        benchmark::ClobberMemory();
    }
    ::close(fd);
    state.counters["pixels"] = double(count);
    state.counters["bytes"] = double(bytes.size());
}

void setBrowserCounters(benchmark::State& state, const FormMainState& s) {
    state.counters["zoom"] = s.BrowserZoom;
    state.counters["cell"] = s.BrowserCellSize;
    state.counters["columns"] = s.BrowserColumns;
    state.counters["rows"] = s.BrowserRows;
}

void BM_DrawBrowser(benchmark::State& state) {
    BrowsingWindow window(state.range(0) != 0, int(state.range(1)));
    if (!window.fine(state)) return;
    for (auto _ : state)
        window.form.DrawBrowser();
    setBrowserCounters(state, window.form.state());
}

void BM_DrawBrowserFloor(benchmark::State& state) {
    BrowsingWindow window(state.range(0) != 0, int(state.range(1)));
    if (!window.fine(state)) return;
    browserFloor(state, window);
    setBrowserCounters(state, window.form.state());
}

// The window at a screen's size (`width` x `height`), the browser at zoom 2 without grid.
struct LargeWindow : BrowsingWindow {
    LargeWindow(int width, int height) : BrowsingWindow(false, 1) {
        form.resize(width, height);
        QCoreApplication::processEvents();
    }
    [[nodiscard]] bool fine(benchmark::State& state) const {
        if (!BrowsingWindow::fine(state)) return false;
        if (form.state().BrowserZoom == 2 && form.SpriteBox->scaleWidth() > 229) return true;
        state.SkipWithError("the window did not grow");
        return false;
    }
};

void screenSizes(benchmark::internal::Benchmark* b) {
    b->ArgNames({"width", "height"})->Args({1920, 1080})->Args({3840, 2160});
}

// A full redraw of the grown browser.
void BM_LargeWindowRedraw(benchmark::State& state) {
    LargeWindow window(int(state.range(0)), int(state.range(1)));
    if (!window.fine(state)) return;
    for (auto _ : state)
        window.form.DrawBrowser();
    setBrowserCounters(state, window.form.state());
}

// One thumb position after another, each far from the last, with the events it brings.
void scrollThrough(benchmark::State& state, QScrollBar* bar) {
    int value = bar->value();
    for (auto _ : state) {
        value = (value + 389) % (bar->maximum() + 1);
        bar->setValue(value);
        QCoreApplication::processEvents();
    }
}

// As BM_ScrollEvent, in the grown window.
void BM_LargeWindowScroll(benchmark::State& state) {
    LargeWindow window(int(state.range(0)), int(state.range(1)));
    if (!window.fine(state)) return;
    scrollThrough(state, window.form.SpriteScroll);
    setBrowserCounters(state, window.form.state());
}

// One step of a drag of the window's corner: a pixel larger or smaller each time, every
// control placed anew, both views redrawn and repainted.
void BM_LargeWindowResize(benchmark::State& state) {
    LargeWindow window(int(state.range(0)), int(state.range(1)));
    if (!window.fine(state)) return;
    const QSize large = window.form.size();
    int step = 0;
    for (auto _ : state) {
        window.form.resize(large - QSize(step, step));
        QCoreApplication::processEvents();
        step ^= 1;
    }
    setBrowserCounters(state, window.form.state());
}

// One thumb position after another: SpriteScroll_Change, its redraw and the box's repaint.
void BM_ScrollEvent(benchmark::State& state) {
    BrowsingWindow window(false, 0);
    if (!window.fine(state)) return;
    scrollThrough(state, window.form.SpriteScroll);
    state.counters["top"] = window.form.state().BrowserTopAddress;
}

// Where a scroll event's time goes: the handler alone (TextAddress repaint and DrawBrowser,
// no event processing) and the picture box's repaint alone. Not rows of the table.
void BM_ScrollHandlerOnly(benchmark::State& state) {
    BrowsingWindow window(false, 0);
    if (!window.fine(state)) return;
    QScrollBar* bar = window.form.SpriteScroll;
    int value = bar->value();
    for (auto _ : state) {
        value = (value + 389) % (bar->maximum() + 1);
        bar->setValue(value);
    }
    QCoreApplication::processEvents();
}

void BM_AddressFieldRepaint(benchmark::State& state) {
    BrowsingWindow window(false, 0);
    if (!window.fine(state)) return;
    int value = 0;
    for (auto _ : state) {
        window.form.TextAddress->setText(QString::number(value += 4096));
        window.form.TextAddress->repaint();
    }
}

void BM_BrowserBoxRepaint(benchmark::State& state) {
    BrowsingWindow window(false, 0);
    if (!window.fine(state)) return;
    for (auto _ : state) {
        window.form.SpriteBox->Refresh();
        QCoreApplication::processEvents();
    }
}

// An editor with a few tiles of the file in it, at the zoom and grid asked for.
struct EditingWindow : BrowsingWindow {
    EditingWindow(bool grid, int zoomOutClicks) : BrowsingWindow(false, 0) {
        // A cell away from the top, whose address is not 0 (which marks an empty cell).
        form.SpriteBox_MouseDown(1, 0, 3 * 8 * 2 + 5, 3 * 8 * 1 + 5);
        for (int i = 0; i < 4; ++i)
            form.SpriteBox_DblClick();
        if (grid) form.ChkGridEditor->click();
        for (int i = 0; i < zoomOutClicks; ++i)
            form.BtEditZoomOut->click();
        QCoreApplication::processEvents();
    }
};

void setEditorCounters(benchmark::State& state, const FormMainState& s) {
    state.counters["zoom"] = s.EditorZoom;
    state.counters["cell"] = s.EditorCellSize;
}

void BM_DrawEditor(benchmark::State& state) {
    EditingWindow window(state.range(0) != 0, int(state.range(1)));
    if (!window.fine(state)) return;
    for (auto _ : state)
        window.form.DrawEditor();
    setEditorCounters(state, window.form.state());
}

// One write of every visible canvas pixel.
void BM_DrawEditorFloor(benchmark::State& state) {
    EditingWindow window(state.range(0) != 0, int(state.range(1)));
    if (!window.fine(state)) return;
    QImage area(window.form.EditorBox->scaleWidth(), window.form.EditorBox->scaleHeight(),
                QImage::Format_RGB32);
    auto* bits = reinterpret_cast<QRgb*>(area.bits());
    const qsizetype count = area.sizeInBytes() / qsizetype(sizeof(QRgb));
    quint32 color = 0;
    for (auto _ : state) {
        std::fill(bits, bits + count, QRgb(0xff000000u | ++color));
        benchmark::ClobberMemory();
    }
    state.counters["pixels"] = double(count);
    setEditorCounters(state, window.form.state());
}

// A left-button drag in Paint mode over a cell whose address three other cells share.
void BM_PaintDragEvent(benchmark::State& state) {
    EditingWindow window(false, 0);
    if (!window.fine(state)) return;
    FormMain& form = window.form;
    const EditorTileArray& tiles = form.state().EditorTiles;
    if (tiles[0].Address == 0 || tiles[1].Address != tiles[0].Address ||
        tiles[2].Address != tiles[0].Address || tiles[3].Address != tiles[0].Address) {
        state.SkipWithError("the four cells do not share one address");
        return;
    }
    form.OptionPaint->click();
    if (form.state().EditMode != EditModeKind::Paint) {
        state.SkipWithError("Paint mode is not on");
        return;
    }
    const int zoom = form.state().EditorZoom;
    int step = 0;
    for (auto _ : state) {
        const int pixel = step++ % 64;
        form.Editorbox_MouseMove(1, 0, zoom * (pixel % 8) + 1.5, zoom * (pixel / 8) + 1.5);
        QCoreApplication::processEvents();
    }
    if (tiles[1].Pixels != tiles[0].Pixels || tiles[3].Pixels != tiles[0].Pixels)
        state.SkipWithError("the painted pixels did not reach the other cells");
}

// Ctrl+Z and then Ctrl+Shift+Z on a pencil stroke over all 64 pixels of a cell whose
// address three other cells share: each puts the cells back and redraws the editor.
void BM_UndoRedoStroke(benchmark::State& state) {
    EditingWindow window(false, 0);
    if (!window.fine(state)) return;
    FormMain& form = window.form;
    const EditorTileArray& tiles = form.state().EditorTiles;
    const EditorTileArray before = tiles;
    form.OptionPaint->click();
    form.BtCol_Click(3);
    const int zoom = form.state().EditorZoom;
    form.EditorBox_MouseDown(1, 0, 1.5, 1.5);
    for (int pixel = 0; pixel < 64; ++pixel)
        form.Editorbox_MouseMove(1, 0, zoom * (pixel % 8) + 1.5, zoom * (pixel / 8) + 1.5);
    form.editorMouseUp(1, 0, 1.5, 1.5);
    const EditorTileArray painted = tiles;
    form.undoLastStep();
    if (painted == before || !(tiles == before)) {
        state.SkipWithError("the stroke was not one step that undoes to the start");
        return;
    }
    form.redoNextStep();
    for (auto _ : state) {
        form.undoLastStep();
        form.redoNextStep();
        QCoreApplication::processEvents();
    }
    if (!(tiles == painted)) state.SkipWithError("redo did not give the painted cells back");
}

void BM_OpenAndDraw(benchmark::State& state) {
    const QString& path = state.range(0) == 0 ? g_files->small : g_files->large;
    NullPrompts prompts;
    FormMain form(prompts);
    form.show();
    QCoreApplication::processEvents();
    for (auto _ : state)
        form.openPath(path);
    if (prompts.messages != 0 || !form.state().RomFileOpen)
        state.SkipWithError("the file did not open quietly");
    state.counters["length"] = double(form.state().RomFileLength);
}

void BM_PeakMemory(benchmark::State& state) {
    reportPeaks(state, QStringLiteral("--rss-probe"), g_files->small, g_files->large);
}

BENCHMARK(BM_DrawBrowser)
    ->ArgNames({"grid", "zoomout"})
    ->Args({0, 1})
    ->Args({1, 0})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DrawBrowserFloor)
    ->ArgNames({"grid", "zoomout"})
    ->Args({0, 1})
    ->Args({1, 0})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LargeWindowRedraw)->Apply(screenSizes)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LargeWindowScroll)->Apply(screenSizes)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LargeWindowResize)->Apply(screenSizes)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ScrollEvent)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ScrollHandlerOnly)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AddressFieldRepaint)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BrowserBoxRepaint)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DrawEditor)
    ->ArgNames({"grid", "zoomout"})
    ->Args({0, 0})
    ->Args({1, 6})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DrawEditorFloor)
    ->ArgNames({"grid", "zoomout"})
    ->Args({0, 0})
    ->Args({1, 6})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PaintDragEvent)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_UndoRedoStroke)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_OpenAndDraw)->ArgName("gib")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PeakMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

// Another program: a child process that writes `writes` times 16 bytes at `at` of `path`,
// spread evenly over `spreadMs` milliseconds, and ends. Only system calls after the fork.
pid_t writeFromChild(const QString& path, qint64 at, int writes, int spreadMs, quint8 value) {
    const QByteArray native = QFile::encodeName(path);
    const pid_t child = ::fork();
    if (child != 0) return child;
    const int fd = ::open(native.constData(), O_WRONLY | O_CLOEXEC);
    timespec next{};
    ::clock_gettime(CLOCK_MONOTONIC, &next);
    const long stepNs = writes > 1 ? spreadMs * 1000000L / (writes - 1) : 0;
    for (int i = 0; i < writes; ++i) {
        quint8 bytes[kTileBytes];
        std::memset(bytes, value + i, sizeof bytes);
        if (fd < 0 || ::pwrite(fd, bytes, sizeof bytes, off_t(at)) != kTileBytes) ::_exit(1);
        next.tv_nsec += stepNs;
        next.tv_sec += next.tv_nsec / 1000000000L;
        next.tv_nsec %= 1000000000L;
        ::clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &next, nullptr);
    }
    ::_exit(0);
}

// Runs the event loop until the window has followed the file (the watch's report, handled by
// the window's redraw first) or `limitMs` have passed; true when it followed.
bool followed(FileWatch& watch, int limitMs) {
    QEventLoop loop;
    bool reported = false;
    QObject::connect(&watch, &FileWatch::changed, &loop, [&] {
        reported = true;
        loop.quit();
    });
    QTimer::singleShot(limitMs, &loop, &QEventLoop::quit);
    loop.exec();
    return reported;
}

// Another process writes 16 visible bytes of the open file: the time from its write to the
// browser showing them (the window's watch waits for the file to be quiet, then redraws).
void BM_OtherProgramsWrite(benchmark::State& state) {
    BrowsingWindow window(false, 0);
    if (!window.fine(state)) return;
    FileWatch& watch = *window.form.findChild<FileWatch*>();
    const qint64 at = window.form.state().BrowserTopAddress + kTileBytes;
    quint8 value = 0;
    for (auto _ : state) {
        const QImage before = window.form.SpriteBox->surface().copy();
        const auto start = std::chrono::steady_clock::now();
        const pid_t child = writeFromChild(g_files->browse, at, 1, 0, ++value);
        const bool shown = followed(watch, 5000);
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        int status = 0;
        ::waitpid(child, &status, 0);
        if (!shown || status != 0 || window.form.SpriteBox->surface() == before) {
            state.SkipWithError("the browser did not show the other program's write");
            return;
        }
        state.SetIterationTime(took.count());
    }
}

// 100 writes of 16 bytes in 50 ms by another process, then 500 ms of quiet: the redraws that
// follow them (one a report of the watch).
void BM_OtherProgramsBurst(benchmark::State& state) {
    BrowsingWindow window(false, 0);
    if (!window.fine(state)) return;
    FileWatch& watch = *window.form.findChild<FileWatch*>();
    int reports = 0;
    QObject::connect(&watch, &FileWatch::changed, [&reports] { ++reports; });
    const qint64 at = window.form.state().BrowserTopAddress + kTileBytes;
    int most = 0;
    for (auto _ : state) {
        const int before = reports;
        const pid_t child = writeFromChild(g_files->browse, at, 100, 50, quint8(reports));
        QEventLoop loop;
        QTimer::singleShot(550, &loop, &QEventLoop::quit);
        loop.exec();
        int status = 0;
        ::waitpid(child, &status, 0);
        if (status != 0 || reports == before) {
            state.SkipWithError("the burst was not followed");
            return;
        }
        most = std::max(most, reports - before);
    }
    state.counters["redraws"] = most;
}

BENCHMARK(BM_OtherProgramsWrite)->Iterations(10)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OtherProgramsBurst)->Iterations(3)->Unit(benchmark::kMillisecond);

int rssProbe(const QString& path) {
    NullPrompts prompts;
    FormMain form(prompts);
    form.show();
    form.openPath(path);
    QCoreApplication::processEvents();
    if (prompts.messages != 0 || !form.state().RomFileOpen) return 1;
    std::printf("%ld\n", peakResidentKib());
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    if (argc == 3 && std::string_view(argv[1]) == "--rss-probe")
        return rssProbe(QString::fromLocal8Bit(argv[2]));
    if (argc == 3 && std::string_view(argv[1]) == "--search-probe")
        return searchProbe(QString::fromLocal8Bit(argv[2]));

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    auto files = std::make_unique<Files>();
    if (!files->dir.isValid()) return 2;
    files->browse = writeRandom(files->dir.filePath(QStringLiteral("browse.gb")), kBrowseLength, 8);
    files->small = writeRandom(files->dir.filePath(QStringLiteral("small.gb")), kSmallLength, 32);
    files->large = makeSparse(files->dir.filePath(QStringLiteral("large.gb")), kLargeLength);
    g_files = files.get();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_files = nullptr;
    return 0;
}
