#include "PdfFile.h"

#include <QDir>
#include <QPageLayout>
#include <QPageSize>

namespace {
constexpr int kDpi = 1200;
} // namespace

PdfFile::PdfFile(const QString& path)
    : file_(path)
    , writer_(&file_)
    , target_(writer_) {
    writer_.setPageLayout(
        QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    writer_.setResolution(kDpi);
    writer_.setCreator(QStringLiteral("ztd"));
}

QString PdfFile::failure() const {
    return QStringLiteral("Die PDF-Datei \"%1\" kann nicht geschrieben werden.")
        .arg(QDir::toNativeSeparators(file_.fileName()));
}

std::optional<QString> PdfFile::open() {
    if (!file_.open(QIODevice::WriteOnly))
        return failure();
    return std::nullopt;
}

std::optional<QString> PdfFile::commit() {
    const bool drawn = target_.pages() > 0 && !target_.finish();
    if (!drawn || !file_.commit()) {
        file_.cancelWriting();
        return failure();
    }
    return std::nullopt;
}
