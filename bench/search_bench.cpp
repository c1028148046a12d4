// Speed and memory of finding a tile (Ctrl+F, Ctrl+Shift+F) through the real window, next to
// a plain scan of the same bytes for the same 16 bytes with glibc's memmem.
#include "search_bench.h"

#include "core/rom/tilecodec.h"
#include "core/search/tilesearch.h"
#include "nullprompts.h"
#include "probe.h"
#include "ui/app/formmain.h"
#include "ui/platform/graphicbutton.h"

#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstring>
#include <fcntl.h>
#include <memory>
#include <unistd.h>
#include <vector>

namespace {

constexpr qint64 kSearchedLength = qint64(256) << 20;
constexpr qint64 kSmallLength = qint64(32) << 10;
constexpr qint64 kLargeLength = qint64(1) << 30;
constexpr qint64 kTileAddress = 16; // the tile searched for, in cell (1, 0) of the first view

// Made once a run, in the temporary folder: 256 MiB of random bytes with three forms of their
// tile at 16 planted far apart; for the memory probe 32 KiB of random bytes, and a sparse
// 1 GiB file with a 2 MiB stretch in which a form of its tile starts at every byte.
struct SearchFiles {
    QTemporaryDir dir;
    QString searched = dir.filePath(QStringLiteral("searched.gb"));
    QString small = dir.filePath(QStringLiteral("small.gb"));
    QString large = dir.filePath(QStringLiteral("large.gb"));
};

void fail(const char* what, const QString& path) {
    std::fprintf(stderr, "%s %s\n", what, qPrintable(path));
    std::exit(2);
}

void writeAt(QFile& file, qint64 at, const QByteArray& bytes) {
    if (!file.seek(at) || file.write(bytes) != bytes.size()) fail("cannot write", file.fileName());
}

QByteArray bytesOf(const TileBytes& tile) {
    return {reinterpret_cast<const char*>(tile.data()), kTileBytes};
}

void writeSearched(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite | QIODevice::Truncate)) fail("cannot write", path);
    QRandomGenerator random(256);
    QByteArray piece(4 << 20, Qt::Uninitialized);
    for (qint64 at = 0; at < kSearchedLength; at += piece.size()) {
        random.fillRange(reinterpret_cast<quint32*>(piece.data()), piece.size() / 4);
        writeAt(file, at, piece);
    }
    QByteArray tile(kTileBytes, Qt::Uninitialized);
    if (!file.seek(kTileAddress) || file.read(tile.data(), kTileBytes) != kTileBytes)
        fail("cannot read", path);
    TilePixels pixels{};
    decodeTile(reinterpret_cast<const quint8*>(tile.constData()), kTileBytes, pixels);
    const std::vector<TileForm> forms = tileForms(pixels, SearchKind::SamePicture);
    writeAt(file, 100000001, bytesOf(forms[1].bytes));
    writeAt(file, 200000003, bytesOf(forms[forms.size() / 2].bytes));
    writeAt(file, 250000005, bytesOf(forms.back().bytes));
}

void writeProbeFiles(const SearchFiles& files) {
    QFile small(files.small);
    if (!small.open(QIODevice::WriteOnly)) fail("cannot write", files.small);
    QByteArray bytes(kSmallLength, Qt::Uninitialized);
    QRandomGenerator(32).fillRange(reinterpret_cast<quint32*>(bytes.data()), bytes.size() / 4);
    writeAt(small, 0, bytes);
    // Rows of four pixels of value 0 and four of value 1: at odd addresses the stretch holds
    // the same picture with value 2.
    const QByteArray rows = QByteArray::fromHex("0f00").repeated(8);
    QFile large(files.large);
    if (!large.open(QIODevice::WriteOnly) || !large.resize(kLargeLength))
        fail("cannot make", files.large);
    writeAt(large, kTileAddress, rows);
    writeAt(large, kLargeLength / 2, rows.repeated(128 << 10));
}

const SearchFiles& searchFiles() {
    static const std::unique_ptr<SearchFiles> files = [] {
        auto made = std::make_unique<SearchFiles>();
        if (!made->dir.isValid()) fail("no temporary folder", made->dir.path());
        writeSearched(made->searched);
        writeProbeFiles(*made);
        return made;
    }();
    return *files;
}

// A shown window with `path` open and its tile at 16 in the selected editor cell (0, 0).
struct SearchingWindow {
    NullPrompts prompts;
    FormMain form{prompts};

    explicit SearchingWindow(const QString& path) {
        form.show();
        form.openPath(path);
        form.SpriteBox_MouseDown(1, 0, 36, 12); // cell (1, 0) at zoom 3
        form.SpriteBox_DblClick();
        form.OptionSelect->click();
        form.EditorBox_MouseDown(1, 0, 5, 5);
        QCoreApplication::processEvents();
    }
    [[nodiscard]] bool found() const {
        return prompts.messages == 0 && form.LbStatus->text().startsWith(QStringLiteral("Found"));
    }
};

void BM_FindTile(benchmark::State& state) {
    const bool samePicture = state.range(0) != 0;
    SearchingWindow window(searchFiles().searched);
    for (auto _ : state) {
        if (samePicture)
            window.form.findSamePicture();
        else
            window.form.findTile();
    }
    if (!window.found()) state.SkipWithError("the search found nothing, or asked something");
    state.SetBytesProcessed(state.iterations() * kSearchedLength);
}

// The same bytes read in the same pieces, each scanned with memmem for the 16 bytes at 16.
void BM_FindBaseline(benchmark::State& state) {
    const QString& path = searchFiles().searched;
    const int fd = ::open(qPrintable(path), O_RDONLY | O_CLOEXEC);
    std::vector<quint8> buffer(size_t(kSearchPiece + kTileBytes - 1));
    TileBytes needle{};
    if (fd < 0 || ::pread(fd, needle.data(), kTileBytes, kTileAddress) != kTileBytes) {
        state.SkipWithError("cannot read the file");
        return;
    }
    const qint64 positions = kSearchedLength - kTileBytes + 1;
    qint64 found = 0;
    for (auto _ : state) {
        found = 0;
        for (qint64 at = 0; at < positions; at += kSearchPiece) {
            const qint64 length = std::min(kSearchPiece, positions - at) + kTileBytes - 1;
            if (::pread(fd, buffer.data(), size_t(length), off_t(at)) != length) break;
            const quint8* from = buffer.data();
            const quint8* end = from + length;
            while (const void* hit =
                       ::memmem(from, size_t(end - from), needle.data(), kTileBytes)) {
                ++found;
                from = static_cast<const quint8*>(hit) + 1;
            }
        }
        benchmark::DoNotOptimize(found);
    }
    ::close(fd);
    if (found != 1) state.SkipWithError("memmem did not find the tile once");
    state.SetBytesProcessed(state.iterations() * kSearchedLength);
}

void BM_SearchPeakMemory(benchmark::State& state) {
    const SearchFiles& files = searchFiles();
    double small = 0;
    double large = 0;
    for (auto _ : state) {
        small = probePeak(QStringLiteral("--search-probe"), files.small);
        large = probePeak(QStringLiteral("--search-probe"), files.large);
    }
    if (small < 0 || large < 0) {
        state.SkipWithError("a probe process failed");
        return;
    }
    state.counters["small_kib"] = small;
    state.counters["large_kib"] = large;
    state.counters["diff_kib"] = large - small;
}

BENCHMARK(BM_FindTile)->ArgName("samepicture")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindBaseline)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchPeakMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

int searchProbe(const QString& path) {
    SearchingWindow window(path);
    window.form.findSamePicture();
    if (!window.found()) return 1;
    std::printf("%ld\n", peakResidentKib());
    return 0;
}
