#include "core/cartridge/cartridge.h"

#include "core/rom/romfile.h"

#include <algorithm>
#include <array>

namespace {

// The Super Nintendo internal header's places, in the order a tie is decided.
struct SnesPlace {
    SnesMapping mapping;
    qint64 headerAt;
};
constexpr SnesPlace kSnesPlaces[] = {
    {SnesMapping::LoRom, 0x7FC0}, {SnesMapping::HiRom, 0xFFC0}, {SnesMapping::ExHiRom, 0x40FFC0}};
constexpr qint64 kSnesTitleLength = 21;
constexpr qint64 kSnesHeaderLength = 0x20;
// The guarded bytes around it: the extended header before, the vectors after.
constexpr qint64 kSnesGuardBefore = 0x10;
constexpr qint64 kSnesGuardAfter = 0x40;

constexpr qint64 kGameBoyTitle = 0x134;
constexpr qint64 kGameBoyTitleLength = 16;

// Printable ASCII, or the half-width katakana Japanese titles are written in.
bool isTitleByte(quint8 b) {
    return (b >= 0x20 && b <= 0x7E) || (b >= 0xA1 && b <= 0xDF);
}

QChar titleChar(quint8 b) {
    return b <= 0x7E ? QChar(b) : QChar(0xFF61 + (b - 0xA1));
}

// The map-mode byte is 001s mmmm: s the speed, m the memory map. Which maps go with which
// place: LoROM (and the LoROM-like SA-1 and extended LoROM boards), HiROM (and the HiROM-like
// SPC7110 board), extended HiROM.
bool mapModeFits(quint8 mode, SnesMapping mapping) {
    if ((mode & 0xE0) != 0x20) return false;
    const int map = mode & 0x0F;
    switch (mapping) {
    case SnesMapping::LoRom:
        return map == 0x0 || map == 0x2 || map == 0x3;
    case SnesMapping::HiRom:
        return map == 0x1 || map == 0xA;
    case SnesMapping::ExHiRom:
        break;
    }
    return map == 0x5;
}

// How well the bytes at `at` look like an internal header for `mapping`: nothing when the
// checksum and its complement do not add up to 0xFFFF, or when neither the map-mode byte
// fits nor the title is printable; otherwise 2 for a fitting map mode plus 1 for the title.
std::optional<int> snesScore(const RomFile& file, qint64 at, SnesMapping mapping) {
    if (at + kSnesGuardAfter > file.length()) return std::nullopt;
    std::array<quint8, kSnesHeaderLength> h{};
    if (file.read(at, h.data(), kSnesHeaderLength) != kSnesHeaderLength) return std::nullopt;
    const int complement = h[kSnesComplement] | h[kSnesComplement + 1] << 8;
    const int checksum = h[kSnesChecksum] | h[kSnesChecksum + 1] << 8;
    if (complement + checksum != 0xFFFF) return std::nullopt;
    const bool modeFits = mapModeFits(h[kSnesMapMode], mapping);
    const bool titlePrintable = std::all_of(h.begin(), h.begin() + kSnesTitleLength, isTitleByte);
    if (!modeFits && !titlePrintable) return std::nullopt;
    return (modeFits ? 2 : 0) + (titlePrintable ? 1 : 0);
}

// The title's bytes up to the first that is no title character, without trailing blanks.
QString titleOf(const RomFile& file, qint64 at, qint64 length) {
    std::array<quint8, kSnesTitleLength> bytes{};
    const qint64 got = file.read(at, bytes.data(), length);
    QString title;
    for (qint64 i = 0; i < got && isTitleByte(bytes[size_t(i)]); ++i)
        title += titleChar(bytes[size_t(i)]);
    while (title.endsWith(u' '))
        title.chop(1);
    return title;
}

} // namespace

qint64 Cartridge::snesHeaderAt() const {
    for (const SnesPlace& place : kSnesPlaces) {
        if (place.mapping == mapping) return place.headerAt + copierHeader;
    }
    return copierHeader;
}

std::optional<quint8> gameBoyHeaderChecksum(const RomFile& file) {
    constexpr qint64 kCovered = kGameBoyHeaderChecksum - kGameBoyTitle;
    std::array<quint8, kCovered> bytes{};
    if (file.read(kGameBoyTitle, bytes.data(), kCovered) != kCovered) return std::nullopt;
    quint8 x = 0;
    for (const quint8 b : bytes)
        x = quint8(x - b - 1);
    return x;
}

Cartridge recogniseCartridge(const RomFile& file) {
    // A copier put 512 bytes of its own before the image, whose length is whole kilobytes.
    const qint64 copier = file.length() % 1024 == 512 ? 512 : 0;
    std::optional<int> best;
    Cartridge found;
    for (const SnesPlace& place : kSnesPlaces) {
        const std::optional<int> score = snesScore(file, place.headerAt + copier, place.mapping);
        if (score && (!best || *score > *best)) {
            best = score;
            found = {CartridgeKind::SuperNintendo, place.mapping, copier};
        }
    }
    if (best) return found;
    if (file.length() < kGameBoyHeaderEnd) return {};
    quint8 stored = 0;
    const std::optional<quint8> computed = gameBoyHeaderChecksum(file);
    if (!computed || file.read(kGameBoyHeaderChecksum, &stored, 1) != 1 || stored != *computed)
        return {};
    return {CartridgeKind::GameBoy};
}

std::optional<GuardedRange> guardedRange(const Cartridge& cartridge) {
    switch (cartridge.kind) {
    case CartridgeKind::GameBoy:
        return GuardedRange{kGameBoyHeaderStart, kGameBoyHeaderEnd - 1};
    case CartridgeKind::SuperNintendo:
        return GuardedRange{cartridge.snesHeaderAt() - kSnesGuardBefore,
                            cartridge.snesHeaderAt() + kSnesGuardAfter - 1};
    case CartridgeKind::Plain:
        break;
    }
    return std::nullopt;
}

QString mappingName(SnesMapping mapping) {
    switch (mapping) {
    case SnesMapping::LoRom:
        return QStringLiteral("LoROM");
    case SnesMapping::HiRom:
        return QStringLiteral("HiROM");
    case SnesMapping::ExHiRom:
        break;
    }
    return QStringLiteral("ExHiROM");
}

QString cartridgeTitle(const RomFile& file, const Cartridge& cartridge) {
    switch (cartridge.kind) {
    case CartridgeKind::GameBoy:
        // A colour cartridge's flag in the title's last byte is no title character.
        return titleOf(file, kGameBoyTitle, kGameBoyTitleLength);
    case CartridgeKind::SuperNintendo:
        return titleOf(file, cartridge.snesHeaderAt(), kSnesTitleLength);
    case CartridgeKind::Plain:
        break;
    }
    return {};
}
