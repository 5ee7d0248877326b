#pragma once

#include "DueDevices.h"

#include <QString>

#include <functional>

class PrintTarget;

// "Fällige Prüfungen" on A4 pages: a heading line per customer with its
// count, then its devices, each page numbered "Seite n von m".
namespace due_list {

// Lines of customers and devices a page holds.
constexpr int kLinesPerPage = 50;

// Every page, each one job of the target; a page that could not be printed is told.
void draw(PrintTarget& target, const due_devices::Query& query,
          const QList<due_devices::Group>& groups, const std::function<void(const QString&)>& tell);
int pageCount(const QList<due_devices::Group>& groups);
// The PDF file name proposed: "Fällige Prüfungen" and the last day.
QString pdfName(const due_devices::Query& query);

} // namespace due_list
