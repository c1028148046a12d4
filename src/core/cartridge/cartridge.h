#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

class RomFile;

// What a ROM image holds besides tiles: a Game Boy cartridge header, a Super Nintendo internal
// header, or neither (a plain file, for which the program asks and shows nothing more).
enum class CartridgeKind { Plain, GameBoy, SuperNintendo };
// Where a Super Nintendo image keeps its internal header, by the way the cartridge maps it.
enum class SnesMapping { LoRom, HiRom, ExHiRom };

struct Cartridge {
    CartridgeKind kind = CartridgeKind::Plain;
    SnesMapping mapping = SnesMapping::LoRom; // Super Nintendo only
    // 512 when a copier's header comes before the image (Super Nintendo only), otherwise 0.
    qint64 copierHeader = 0;

    // Where in the file the Super Nintendo internal header starts (its title).
    [[nodiscard]] qint64 snesHeaderAt() const;
    bool operator==(const Cartridge&) const = default;
};

// Game Boy: the header is bytes 0x100 to 0x14F; its checksum is byte 0x14D, the global
// checksum bytes 0x14E and 0x14F.
inline constexpr qint64 kGameBoyHeaderStart = 0x100;
inline constexpr qint64 kGameBoyHeaderEnd = 0x150;
inline constexpr qint64 kGameBoyHeaderChecksum = 0x14D;
inline constexpr qint64 kGameBoyGlobalChecksum = 0x14E;
// Super Nintendo, from the start of the internal header: the map-mode byte, the checksum's
// complement (2 bytes, little-endian), then the checksum itself.
inline constexpr qint64 kSnesMapMode = 0x15;
inline constexpr qint64 kSnesComplement = 0x1C;
inline constexpr qint64 kSnesChecksum = 0x1E;

// Reads the headers the file may have and says which it has (see the README for the rules).
[[nodiscard]] Cartridge recogniseCartridge(const RomFile& file);
// The header checksum a Game Boy works out over bytes 0x134 to 0x14C before it starts a game;
// nothing when they can not be read.
[[nodiscard]] std::optional<quint8> gameBoyHeaderChecksum(const RomFile& file);

// The bytes a write must not touch without a question: the whole Game Boy header, or the
// Super Nintendo internal header with the extended header before it and the vectors after it.
struct GuardedRange {
    qint64 first = 0;
    qint64 last = 0;
    [[nodiscard]] bool touchedBy(qint64 address, qint64 length) const {
        return address <= last && address + length > first;
    }
};
[[nodiscard]] std::optional<GuardedRange> guardedRange(const Cartridge& cartridge);

// "LoROM", "HiROM" or "ExHiROM".
[[nodiscard]] QString mappingName(SnesMapping mapping);
// The game's title as the header holds it now, without its padding.
[[nodiscard]] QString cartridgeTitle(const RomFile& file, const Cartridge& cartridge);
