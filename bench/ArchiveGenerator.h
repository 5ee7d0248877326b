#pragma once

#include <QString>
#include <QStringList>

// Builds an archive database for the benchmarks: the given number of archive
// rows spread over 2 000 customers with German names, dates 2000-2030,
// indexes "Standard" on both tables. Kept between runs.
namespace archive_generator {

// A fixed sequence, so every run measures the same data.
struct Random {
    quint64 state = 0x2545F4914F6CDD1DULL;
    int below(int n) {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        return int((state >> 33) % quint64(n));
    }
};

QStringList customerNames();
// The database file for that many rows in the folder, made when missing.
QString ensureDatabase(const QString& folder, int rows);

} // namespace archive_generator
