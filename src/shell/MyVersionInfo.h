#pragma once

#include "VersionResource.h"

#include <QString>

#include <optional>

// Reads the version block of the running program, as the About box shows it.
class MyVersionInfo {
public:
    explicit MyVersionInfo(std::optional<VersionResource> resource = programVersionResource());

    // Each returns whether the value was found and hands it out in `value`.
    bool ProductName(QString& value) const;
    bool FileVersion(QString& value) const;
    bool LegalCopyright(QString& value) const;
    bool FixedFileFlags(quint32& flags) const;

    // A value by its query path, as "\StringFileInfo\040704e4\FileVersion".
    std::optional<QString> query(const QString& path) const;

private:
    bool stringValue(const char* name, QString& value) const;

    std::optional<VersionResource> resource_;
    quint32 translation_ = 0;
};

// The texts of the About box's "Version" and "Comments" labels.
struct VersionTexts {
    QString version = QStringLiteral("Version");
    QString comments = QStringLiteral("Comments");
};
VersionTexts versionTexts(const MyVersionInfo& info);
