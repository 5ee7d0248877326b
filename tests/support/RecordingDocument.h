#pragma once

#include "print/PrintDocument.h"
#include "print/RecordingPrintTarget.h"

#include <QStringList>

#include <memory>

// PDF files for tests: every page goes to one recording, each path is kept,
// nothing is written.
class RecordingDocuments {
public:
    std::shared_ptr<RecordingPrintTarget> pages = std::make_shared<RecordingPrintTarget>();
    QStringList paths;

    DocumentSource source() {
        return [this](const QString& path) -> std::unique_ptr<PrintDocument> {
            paths << path;
            return std::make_unique<Document>(pages);
        };
    }

private:
    class Document : public PrintDocument {
    public:
        explicit Document(std::shared_ptr<RecordingPrintTarget> target)
            : target_(std::move(target)) {}
        std::optional<QString> open() override { return std::nullopt; }
        PrintTarget& target() override { return *target_; }
        std::optional<QString> commit() override { return std::nullopt; }

    private:
        std::shared_ptr<RecordingPrintTarget> target_;
    };
};
