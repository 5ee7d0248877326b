#include "PaperSize.h"

#include <QSizeF>

QPageSize qtPageSize(const PaperSize& paper) {
    return QPageSize(QSizeF(paper.width.value / 100.0, paper.height.value / 100.0),
                     QPageSize::Millimeter, QString(), QPageSize::ExactMatch);
}
