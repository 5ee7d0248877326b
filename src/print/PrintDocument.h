#pragma once

#include <QString>

#include <functional>
#include <memory>
#include <optional>

class PrintTarget;

// A file the pages of one printout go into, written whole or not at all.
class PrintDocument {
public:
    virtual ~PrintDocument() = default;
    // A German message when the file cannot be written.
    virtual std::optional<QString> open() = 0;
    // Every job of the target is one page of the document.
    virtual PrintTarget& target() = 0;
    // Writes the file; a German message (and no file) when that failed.
    virtual std::optional<QString> commit() = 0;
};

// Makes the document for a path; tests record the pages instead.
using DocumentSource = std::function<std::unique_ptr<PrintDocument>(const QString& path)>;
