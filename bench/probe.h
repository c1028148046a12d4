#pragma once

#include <benchmark/benchmark.h>

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

// Runs `pelorin_bench OPTION` on a small and a large file and reports both peaks and their
// difference, the figure the memory targets are about.
inline void reportPeaks(benchmark::State& state, const QString& option, const QString& small,
                        const QString& large) {
    double smallKib = 0;
    double largeKib = 0;
    for (auto _ : state) {
        smallKib = probePeak(option, small);
        largeKib = probePeak(option, large);
    }
    if (smallKib < 0 || largeKib < 0) {
        state.SkipWithError("a probe process failed");
        return;
    }
    state.counters["small_kib"] = smallKib;
    state.counters["large_kib"] = largeKib;
    state.counters["diff_kib"] = largeKib - smallKib;
}
