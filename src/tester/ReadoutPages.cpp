#include "ReadoutPages.h"

ReadoutPages::ReadoutPages(QList<memory_image::Entry> entries, char memorySoftware)
    : entries_(std::move(entries))
    , memorySoftware_(memorySoftware) {}

QStringList ReadoutPages::nextPage() {
    QStringList lines;
    const qsizetype end = std::min(shown_ + kPageSize, entries_.size());
    for (; shown_ < end; ++shown_)
        lines << memory_image::displayLine(entries_[shown_], memorySoftware_);
    return lines;
}

void ReadoutPages::keep(const QStringList& lines) {
    for (const QString& line : lines)
        kept_ << memory_image::readoutEntry(line);
}
