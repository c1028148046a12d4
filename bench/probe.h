#pragma once

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QStringList>

// The memory rows start the benchmark binary again as a fresh process, which does one thing
// and prints its peak resident memory.

// VmHWM of this process, in KiB; -1 when the system does not say.
inline long peakResidentKib() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly | QIODevice::Text)) return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:")) return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

// What a fresh `pelorin_bench OPTION PATH` printed as its peak, in KiB; -1 when it failed.
inline double probePeak(const QString& option, const QString& path) {
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {option, path});
    if (!child.waitForFinished(120000) || child.exitCode() != 0) return -1;
    bool ok = false;
    const double kib = child.readAllStandardOutput().trimmed().toDouble(&ok);
    return ok ? kib : -1;
}
