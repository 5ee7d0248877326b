#pragma once

#include "DocumentPrintTarget.h"
#include "PrintDocument.h"

#include <QPdfWriter>
#include <QSaveFile>

// A4 pages at 1200 dpi in one PDF file with its fonts embedded, so that the
// customer sees the pages as printed. Nothing is left behind when it fails.
class PdfFile : public PrintDocument {
public:
    explicit PdfFile(const QString& path);

    std::optional<QString> open() override;
    PrintTarget& target() override { return target_; }
    std::optional<QString> commit() override;

private:
    QString failure() const;

    QSaveFile file_;
    QPdfWriter writer_;
    DocumentPrintTarget target_;
};
