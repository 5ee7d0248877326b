#pragma once

#include "MemoryImage.h"

#include <QList>
#include <QStringList>

// The read memory shown 500 lines at a time; what the user keeps of each
// page is collected for the archive.
class ReadoutPages {
public:
    static constexpr int kPageSize = 500;

    ReadoutPages() = default;
    ReadoutPages(QList<memory_image::Entry> entries, char memorySoftware);

    bool hasMore() const { return shown_ < entries_.size(); }
    QStringList nextPage();
    // The lines left of the page shown last.
    void keep(const QStringList& lines);
    const QList<QByteArray>& kept() const { return kept_; }

private:
    QList<memory_image::Entry> entries_;
    char memorySoftware_ = 'B';
    qsizetype shown_ = 0;
    QList<QByteArray> kept_;
};
