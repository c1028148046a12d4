#pragma once

#include "core/rom/tilerecord.h"

#include <QString>

#include <array>
#include <optional>
#include <vector>

// What a search looks for: the tile as stored, or the same picture in any form a game may
// store it in (mirrored, upside down, its four values numbered differently).
enum class SearchKind { Stored, SamePicture };

// One form of a tile: its 16 bytes and how it came from the stored tile.
struct TileForm {
    TileBytes bytes{};
    bool mirroredLeftRight = false;
    bool upsideDown = false;
    // Stored value v appears as values[v] in this form.
    std::array<quint8, 4> values{0, 1, 2, 3};
    // How it differs from the stored tile, for the status line; empty for the stored form.
    QString name;
};

// The forms to search for: the stored one alone, or the stored one first and then every
// mirror and renumbering (4 orientations by 24 orders of the values) whose bytes differ
// from every form before it, so a symmetric tile, or one of fewer values, has fewer.
[[nodiscard]] std::vector<TileForm> tileForms(const TilePixels& pixels, SearchKind kind);

// The value all 64 pixels share, or nothing when they differ: such a tile is found in every
// plain stretch of a file and is not searched for.
[[nodiscard]] std::optional<quint8> singleValue(const TilePixels& pixels);
