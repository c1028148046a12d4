#include "core/cartridge/checksums.h"

#include "core/app/messages.h"
#include "core/rom/romfile.h"

#include <algorithm>
#include <bit>
#include <numeric>

namespace {

// Files are summed this much at a time, so memory does not grow with the file.
constexpr qint64 kChunk = qint64(1) << 16;

// Bytes summed as if the file held `bytes` at `at` instead of what it holds there.
struct Substitute {
    qint64 at = 0;
    std::vector<quint8> bytes;
};

// The sum of `length` bytes from `offset`, or nothing when the file holds fewer. Only the
// low 16 bits matter, so the sum may wrap around.
std::optional<quint64> byteSum(const RomFile& file, qint64 offset, qint64 length,
                               const Substitute& substitute) {
    std::vector<quint8> chunk(size_t(std::min(length, kChunk)));
    quint64 sum = 0;
    for (qint64 done = 0; done < length;) {
        const qint64 n = std::min(length - done, kChunk);
        const qint64 at = offset + done;
        if (file.read(at, chunk.data(), n) != n) return std::nullopt;
        for (size_t i = 0; i < substitute.bytes.size(); ++i) {
            const qint64 p = substitute.at + qint64(i) - at;
            if (p >= 0 && p < n) chunk[size_t(p)] = substitute.bytes[i];
        }
        sum = std::accumulate(chunk.begin(), chunk.begin() + n, sum);
        done += n;
    }
    return sum;
}

// The sum a Super Nintendo checksum is: a length that is not a power of two counts as the next
// power of two, the part past the largest power of two within it repeated to fill it (and so
// on within that part).
std::optional<quint64> mirroredSum(const RomFile& file, qint64 offset, qint64 length,
                                   const Substitute& substitute) {
    const auto head = qint64(std::bit_floor(quint64(length)));
    const std::optional<quint64> sum = byteSum(file, offset, head, substitute);
    if (!sum || head == length) return sum;
    const qint64 rest = length - head;
    const std::optional<quint64> tail = mirroredSum(file, offset + head, rest, substitute);
    if (!tail) return std::nullopt;
    return *sum + *tail * quint64(head / qint64(std::bit_ceil(quint64(rest))));
}

QString checksumName(ChecksumKind kind) {
    switch (kind) {
    case ChecksumKind::GameBoyHeader:
        return msg::kGameBoyHeaderChecksum;
    case ChecksumKind::GameBoyGlobal:
        return msg::kGameBoyGlobalChecksum;
    case ChecksumKind::SnesComplement:
        return msg::kSnesComplement;
    case ChecksumKind::SnesChecksum:
        break;
    }
    return msg::kSnesChecksum;
}

bool bigEndian(ChecksumKind kind) {
    return kind == ChecksumKind::GameBoyGlobal;
}

quint32 valueAt(const quint8* bytes, const HeaderChecksum& sum) {
    quint32 value = 0;
    for (int i = 0; i < sum.bytes; ++i) {
        const int shift = 8 * (bigEndian(sum.kind) ? sum.bytes - 1 - i : i);
        value |= quint32(bytes[i]) << shift;
    }
    return value;
}

void putValue(quint8* bytes, const HeaderChecksum& sum, quint32 value) {
    for (int i = 0; i < sum.bytes; ++i) {
        const int shift = 8 * (bigEndian(sum.kind) ? sum.bytes - 1 - i : i);
        bytes[i] = quint8(value >> shift);
    }
}

// The header checksum over its bytes; the global one, the sum of every other byte, counting
// the header checksum as it should be (writing both changes it).
std::optional<std::vector<HeaderChecksum>> gameBoySums(const RomFile& file) {
    const std::optional<quint8> header = gameBoyHeaderChecksum(file);
    if (!header) return std::nullopt;
    const std::optional<quint64> sum =
        byteSum(file, 0, file.length(), {kGameBoyHeaderChecksum, {*header, 0, 0}});
    if (!sum) return std::nullopt;
    return std::vector<HeaderChecksum>{
        {ChecksumKind::GameBoyHeader, kGameBoyHeaderChecksum, 1, 0, *header},
        {ChecksumKind::GameBoyGlobal, kGameBoyGlobalChecksum, 2, 0, quint32(*sum & 0xFFFF)}};
}

// The sum of the image without a copier's header, its four checksum bytes counted as a
// checksum and its complement always add up (0xFF + 0xFF + 0 + 0).
std::optional<std::vector<HeaderChecksum>> snesSums(const RomFile& file,
                                                    const Cartridge& cartridge) {
    const qint64 complementAt = cartridge.snesHeaderAt() + kSnesComplement;
    const std::optional<quint64> sum =
        mirroredSum(file, cartridge.copierHeader, file.length() - cartridge.copierHeader,
                    {complementAt, {0xFF, 0xFF, 0x00, 0x00}});
    if (!sum) return std::nullopt;
    const auto checksum = quint32(*sum & 0xFFFF);
    return std::vector<HeaderChecksum>{
        {ChecksumKind::SnesComplement, complementAt, 2, 0, checksum ^ 0xFFFF},
        {ChecksumKind::SnesChecksum, cartridge.snesHeaderAt() + kSnesChecksum, 2, 0, checksum}};
}

} // namespace

bool ChecksumReport::allRight() const {
    return std::all_of(sums.begin(), sums.end(),
                       [](const HeaderChecksum& sum) { return sum.holds == sum.should; });
}

std::optional<ChecksumReport> readChecksums(const RomFile& file, const Cartridge& cartridge) {
    std::optional<std::vector<HeaderChecksum>> sums;
    if (cartridge.kind == CartridgeKind::GameBoy) sums = gameBoySums(file);
    if (cartridge.kind == CartridgeKind::SuperNintendo) sums = snesSums(file, cartridge);
    if (!sums) return std::nullopt;
    for (HeaderChecksum& sum : *sums) {
        TileBytes held{};
        if (file.read(sum.address, held.data(), sum.bytes) != sum.bytes) return std::nullopt;
        sum.holds = valueAt(held.data(), sum);
    }
    return ChecksumReport{cartridge, cartridgeTitle(file, cartridge), std::move(*sums)};
}

QString describeChecksums(const QString& path, const ChecksumReport& report) {
    const Cartridge& cartridge = report.cartridge;
    QStringList lines{cartridge.kind == CartridgeKind::GameBoy
                          ? msg::gameBoyImage(path, report.title)
                          : msg::snesImage(path, mappingName(cartridge.mapping),
                                           cartridge.copierHeader, report.title)};
    for (const HeaderChecksum& sum : report.sums)
        lines << msg::checksumLine(checksumName(sum.kind), sum.address, sum.bytes, sum.holds,
                                   sum.should);
    return lines.join(u'\r');
}

TileWrite checksumWrite(const ChecksumReport& report) {
    TileWrite write{qint32(report.sums.front().address), {}, {}, 0};
    for (const HeaderChecksum& sum : report.sums) {
        putValue(write.before.data() + write.length, sum, sum.holds);
        putValue(write.after.data() + write.length, sum, sum.should);
        write.length += sum.bytes;
    }
    return write;
}
