#pragma once

#include "core/editor/editorworkspace.h"

#include <functional>
#include <optional>

// Why a tile from the browser can not go into the selected editor cell, once it is known to
// lie wholly inside the file.
enum class CopyRefusal { None, WriteProtected, Overlap };

// The editor's rules of a double-click copy, in the order they are tested. Cells without an
// address take no part in the overlap rule: they refer to no bytes of the file.
[[nodiscard]] CopyRefusal checkCopy(const EditorTileArray& tiles, int target, qint32 address);

// Puts the decoded tile into the cell with its address and both mirror switches off.
void copyIntoCell(EditorTileArray& tiles, int target, const TileRecord& decoded, qint32 address);

// The browser's marked cell as a write target: inside the file and not address 0.
[[nodiscard]] bool browserTargetValid(qint64 address, qint32 fileLength);

// A typed write target, tested on the value itself before rounding half to even; a value
// that rounds to address 0 is refused too.
[[nodiscard]] std::optional<qint32> typedTarget(double value, qint32 fileLength);

// Makes every other cell holding cell k's non-zero address a full copy of cell k.
void syncCopies(EditorTileArray& tiles, int k);

// Back to the start state: pixels 0, no address, no switches.
void clearCell(TileRecord& tile);

// The pixels of the tile at an address, as read from the file now.
using TileLoader = std::function<TilePixels(qint32 address)>;

// Reloads cell k from the file when it has an address (its pixels read again, the three
// switches dropped), then makes the other cells of its address copies of it.
void reloadCell(EditorTileArray& tiles, int k, const TileLoader& load);
// Reloads every cell that has an address; the others are left as they are.
void reloadAll(EditorTileArray& tiles, const TileLoader& load);
