#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// What the import benchmarks take over: protocol files as reports of a
// year's work leave them, and the entries of a full tester memory.
namespace import_sources {

// count protocol files in a folder under the data folder, made when missing:
// about 300 customers (two thirds of them already in the generated archives),
// 20 kinds of device in three protection classes, test dates over three
// years, one report in ten with fault and repair lines. Their paths, in name order.
QStringList ensureProtocolFiles(const QString& dataFolder, int count);

// count 32-byte entries as the tester's memory hands them over, numbered
// from 1, in classes 1 to 3 with both test kinds and methods.
QList<QByteArray> memoryEntries(int count);

} // namespace import_sources
