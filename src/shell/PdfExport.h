#pragma once

#include <QString>

#include <optional>

// ztd --print-pdf: the report page of a protocol file, read as File/Open reads
// it, as a one-page PDF file. A German message when that failed.
std::optional<QString> printProtocolFileToPdf(const QString& protocolFile, const QString& pdfFile);
