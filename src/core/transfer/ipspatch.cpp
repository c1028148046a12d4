#include "core/transfer/ipspatch.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <vector>

namespace {

struct Run {
    qint64 offset = 0;
    QByteArray bytes;
};

// Neighbouring offsets joined into runs.
std::vector<Run> runsOf(const std::map<qint64, quint8>& bytes) {
    std::vector<Run> runs;
    for (const auto& [offset, value] : bytes) {
        if (runs.empty() || runs.back().offset + runs.back().bytes.size() != offset)
            runs.push_back({offset, {}});
        runs.back().bytes.append(char(value));
    }
    return runs;
}

void appendBigEndian(QByteArray& out, qint64 value, int bytes) {
    for (int shift = 8 * (bytes - 1); shift >= 0; shift -= 8)
        out.append(char((value >> shift) & 0xFF));
}

void appendRecord(QByteArray& out, qint64 offset, const QByteArray& bytes) {
    appendBigEndian(out, offset, 3);
    appendBigEndian(out, bytes.size(), 2);
    out.append(bytes);
}

} // namespace

std::optional<QByteArray> encodeIpsPatch(const std::map<qint64, quint8>& bytes,
                                         const std::function<quint8(qint64)>& fileByte) {
    if (!bytes.empty() && bytes.rbegin()->first >= kIpsReach) return std::nullopt;
    QByteArray patch("PATCH");
    for (const Run& run : runsOf(bytes)) {
        for (qint64 done = 0; done < run.bytes.size();) {
            qint64 start = run.offset + done;
            QByteArray record = run.bytes.mid(done, kIpsLongestRecord);
            if (start == kIpsEofOffset) {
                // The byte before goes in too; a record one byte shorter keeps the size limit.
                const quint8 before =
                    done > 0 ? quint8(run.bytes.at(done - 1)) : fileByte(start - 1);
                record = char(before) + record.left(kIpsLongestRecord - 1);
                --start;
            }
            appendRecord(patch, start, record);
            done = start + record.size() - run.offset;
        }
    }
    patch.append("EOF");
    return patch;
}

QString patchPathFor(const QString& romPath) {
    const QFileInfo rom(romPath);
    const QString name = rom.suffix().isEmpty()
                             ? rom.fileName()
                             : rom.fileName().left(rom.fileName().size() - rom.suffix().size() - 1);
    return rom.dir().filePath(name + QStringLiteral(".ips"));
}

std::optional<QString> savePatchFile(const QString& path, const QByteArray& patch) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(patch) != patch.size() || !file.commit())
        return file.errorString();
    return std::nullopt;
}
