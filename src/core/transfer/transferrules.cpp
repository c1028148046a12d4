#include "core/transfer/transferrules.h"

#include "core/app/numbers.h"
#include "core/rom/tilecodec.h"

CopyRefusal checkCopy(const EditorTileArray& tiles, int target, qint32 address) {
    if (tiles[target].WriteProtected) return CopyRefusal::WriteProtected;
    for (const TileRecord& cell : tiles) {
        if (!cell.hasAddress()) continue;
        const qint64 d = qint64(cell.Address) - address;
        if (d != 0 && d > -kTileBytes && d < kTileBytes) return CopyRefusal::Overlap;
    }
    return CopyRefusal::None;
}

void copyIntoCell(EditorTileArray& tiles, int target, const TileRecord& decoded, qint32 address) {
    TileRecord& cell = tiles[target];
    cell = decoded;
    cell.Address = address;
    cell.FlipX = false;
    cell.FlipY = false;
}

bool browserTargetValid(qint64 address, qint32 fileLength) {
    return address >= 1 && address <= qint64(fileLength) - kTileBytes;
}

std::optional<qint32> typedTarget(double value, qint32 fileLength) {
    if (!(value > 0 && value <= double(fileLength) - kTileBytes)) return std::nullopt;
    // Rounding may not turn a small positive value into address 0, the file's first tile.
    const std::optional<qint32> address = toAddress(value);
    if (!address || *address < 1) return std::nullopt;
    return address;
}

void syncCopies(EditorTileArray& tiles, int k) {
    const TileRecord source = tiles[k];
    if (!source.hasAddress()) return;
    for (int i = 0; i < kEditorCells; ++i) {
        if (i != k && tiles[i].Address == source.Address) tiles[i] = source;
    }
}

void clearCell(TileRecord& tile) {
    tile = TileRecord{};
}

namespace {
void reloadFromFile(TileRecord& tile, const TileLoader& load) {
    if (!tile.hasAddress()) return;
    tile.Pixels = load(tile.Address);
    tile.FlipX = false;
    tile.FlipY = false;
    tile.WriteProtected = false;
}
} // namespace

void reloadCell(EditorTileArray& tiles, int k, const TileLoader& load) {
    reloadFromFile(tiles[k], load);
    syncCopies(tiles, k);
}

void reloadAll(EditorTileArray& tiles, const TileLoader& load) {
    for (TileRecord& tile : tiles)
        reloadFromFile(tile, load);
}
