#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <map>
#include <optional>

// An IPS patch: "PATCH", records of a 3-byte big-endian offset, a 2-byte big-endian size and
// that many bytes, then "EOF". Its offsets reach only the first 16 MiB of a file.
inline constexpr qint64 kIpsReach = qint64(1) << 24;
inline constexpr qint64 kIpsLongestRecord = 0xFFFF;
// A record starting here would read as the end marker "EOF".
inline constexpr qint64 kIpsEofOffset = 0x454F46;

// The patch that puts every byte of `bytes` (offset to value) into a file, one record per
// run of neighbouring offsets. A record that would start at kIpsEofOffset starts one byte
// earlier, with the byte `fileByte` gives for that place. Nothing when an offset lies at or
// past kIpsReach.
[[nodiscard]] std::optional<QByteArray>
encodeIpsPatch(const std::map<qint64, quint8>& bytes,
               const std::function<quint8(qint64)>& fileByte);

// Where a patch of `romPath` goes unless the user says otherwise: its extension made ".ips".
[[nodiscard]] QString patchPathFor(const QString& romPath);

// Writes the patch as a whole new file (never half of one); the reason when it can not.
[[nodiscard]] std::optional<QString> savePatchFile(const QString& path, const QByteArray& patch);
