#include "MyVersionInfo.h"

namespace {
const QString kStringTables = QStringLiteral("\\StringFileInfo\\");
constexpr quint32 kFlagPrivate = 0x2;
constexpr quint32 kFlagPreRelease = 0x1;
} // namespace

MyVersionInfo::MyVersionInfo(std::optional<VersionResource> resource)
    : resource_(std::move(resource)) {
    // Without a translation entry the block cannot be read at all.
    if (resource_ && resource_->translations.isEmpty())
        resource_.reset();
    if (resource_)
        translation_ = resource_->translations.constFirst();
}

std::optional<QString> MyVersionInfo::query(const QString& path) const {
    if (!resource_ || !path.startsWith(kStringTables, Qt::CaseInsensitive))
        return std::nullopt;
    const QStringList parts = path.mid(kStringTables.size()).split(QLatin1Char('\\'));
    if (parts.size() != 2)
        return std::nullopt;
    for (auto table = resource_->stringTables.cbegin(); table != resource_->stringTables.cend();
         ++table) {
        if (table.key().compare(parts[0], Qt::CaseInsensitive) != 0)
            continue;
        for (auto entry = table->cbegin(); entry != table->cend(); ++entry) {
            if (entry.key().compare(parts[1], Qt::CaseInsensitive) == 0)
                return entry.value();
        }
    }
    return std::nullopt;
}

bool MyVersionInfo::stringValue(const char* name, QString& value) const {
    const QString path = QStringLiteral("\\StringFileInfo\\%1\\%2")
                             .arg(translation_, 8, 16, QLatin1Char('0'))
                             .arg(QLatin1String(name));
    const auto found = query(path);
    if (found)
        value = *found;
    return found.has_value();
}

bool MyVersionInfo::ProductName(QString& value) const {
    return stringValue("ProductName", value);
}
bool MyVersionInfo::FileVersion(QString& value) const {
    return stringValue("FileVersion", value);
}
bool MyVersionInfo::LegalCopyright(QString& value) const {
    return stringValue("LegalCopyright", value);
}

bool MyVersionInfo::FixedFileFlags(quint32& flags) const {
    if (!resource_ || !resource_->fileFlags)
        return false;
    flags = *resource_->fileFlags;
    return true;
}

VersionTexts versionTexts(const MyVersionInfo& info) {
    VersionTexts texts;
    QString fileVersion, copyright, product;
    if (!info.FileVersion(fileVersion) || !info.LegalCopyright(copyright) ||
        !info.ProductName(product))
        return texts;
    QString suffix;
    quint32 flags = 0;
    if (info.FixedFileFlags(flags)) {
        texts.comments =
            (flags & kFlagPrivate) ? QStringLiteral("Vertrauliches Material!") : QString();
        if (flags & kFlagPreRelease)
            suffix = QStringLiteral(" - PreRelease");
    }
    const qsizetype dot = fileVersion.lastIndexOf(QLatin1Char('.'));
    const QString version = dot < 0 ? fileVersion : fileVersion.left(dot);
    const QString build = dot < 0 ? QString() : fileVersion.mid(dot + 1);
    texts.version = QStringLiteral("Version %1 (Build %2) %3").arg(version, build, suffix);
    return texts;
}
