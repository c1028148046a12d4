#pragma once

#include "core/cartridge/cartridge.h"
#include "core/transfer/writejournal.h"

#include <QString>

#include <optional>
#include <vector>

enum class ChecksumKind { GameBoyHeader, GameBoyGlobal, SnesComplement, SnesChecksum };

// One checksum of a header: where it is, its width, the value it holds and the value it
// should hold for the file as it is.
struct HeaderChecksum {
    ChecksumKind kind = ChecksumKind::GameBoyHeader;
    qint64 address = 0;
    int bytes = 1;
    quint32 holds = 0;
    quint32 should = 0;
    bool operator==(const HeaderChecksum&) const = default;
};

// What the file is and how its checksums stand, read at one moment.
struct ChecksumReport {
    Cartridge cartridge;
    QString title;
    // In file order, each starting where the one before ends.
    std::vector<HeaderChecksum> sums;

    [[nodiscard]] bool allRight() const;
    bool operator==(const ChecksumReport&) const = default;
};

// Reads the checksums of the file's header and works out the right ones, reading the file in
// pieces. Nothing for a plain file, or for one that can not be read to the length it had when
// opened.
[[nodiscard]] std::optional<ChecksumReport> readChecksums(const RomFile& file,
                                                          const Cartridge& cartridge);

// What the file is and each checksum with the value it holds and should hold, one a line.
[[nodiscard]] QString describeChecksums(const QString& path, const ChecksumReport& report);

// The one write that puts the right values in place, replacing the values shown.
[[nodiscard]] TileWrite checksumWrite(const ChecksumReport& report);
