#pragma once

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>
#include <algorithm>
#include <vector>

// What the recognition benchmarks share: how far a read line is from the true one, and how much
// memory the process has held at most.

// Levenshtein distance over code points, so a CJK character counts as one.
inline qint64 editDistance(const QString &from, const QString &to)
{
    const QList<uint> a = from.toUcs4();
    const QList<uint> b = to.toUcs4();
    std::vector<qint64> row(size_t(b.size()) + 1);
    for (size_t j = 0; j < row.size(); ++j)
        row[j] = qint64(j);
    for (qsizetype i = 1; i <= a.size(); ++i) {
        qint64 diagonal = row[0];
        row[0] = i;
        for (qsizetype j = 1; j <= b.size(); ++j) {
            const qint64 above = row[size_t(j)];
            row[size_t(j)] = std::min(
                {above + 1, row[size_t(j) - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diagonal = above;
        }
    }
    return row.back();
}

// The process's peak resident memory (VmHWM) in kilobytes, or -1 where /proc does not tell.
inline long peakMemoryKilobytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').front().toLong();
    }
    return -1;
}
