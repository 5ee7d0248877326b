#include "DeviceList.h"

#include "print/TXPrint.h"

namespace device_list {

namespace {

const QString kLabelFont = QStringLiteral("Times New Roman");
const QString kValueFont = QStringLiteral("Courier New");
constexpr int kPen = 30;
constexpr int kTop = 1200;

struct Column {
    int x;
    QString title;
    QString Device::*member;
};

QList<Column> columnsOf(Format format) {
    QList<Column> columns{{50, QStringLiteral("Geräteart"), &Device::Geraeteart},
                          {7000, QStringLiteral("Seriennummer"), &Device::Seriennummer}};
    switch (format) {
    case Format::Portrait1:
        columns.append({11800, QStringLiteral("Hersteller"), &Device::Hersteller});
        columns.append({16500, QStringLiteral("Prüfungstermin"), &Device::Termin});
        break;
    case Format::Portrait2:
        columns.append({11800, QStringLiteral("Typenbezeichnung"), &Device::Typenbezeichnung});
        columns.append({16500, QStringLiteral("Prüfungstermin"), &Device::Termin});
        break;
    case Format::Landscape:
        columns.append({11800, QStringLiteral("Typenbezeichnung"), &Device::Typenbezeichnung});
        columns.append({16500, QStringLiteral("Hersteller"), &Device::Hersteller});
        columns.append({21200, QStringLiteral("Prüfungstermin"), &Device::Termin});
        break;
    }
    return columns;
}

} // namespace

int rowsPerPage(Format format) {
    return format == Format::Landscape ? 27 : 44;
}

int pageCount(const List& list) {
    const int perPage = rowsPerPage(list.format);
    return (int(list.devices.size()) + perPage - 1) / perPage;
}

void configure(TXPrint& print, Format format) {
    print.setScaling(TScaling::pscMetric100);
    const bool landscape = format == Format::Landscape;
    print.setMarginLeft(landscape ? 2000 : 1000);
    print.setMarginRight(landscape ? 2000 : 1000);
    print.setMarginTop(1000);
    print.setMarginBottom(1000);
    print.setTitle(QStringLiteral("Geräte-Liste"));
    print.setOrientation(landscape ? TXPrinterOrientation::xpoLandscape
                                   : TXPrinterOrientation::xpoPortrait);
}

std::optional<QString> printPage(TXPrint& print, const List& list, int page) {
    if (print.Printing())
        return QStringLiteral("Es läuft gerade eine Druckerausgabe");
    if (!print.BeginDoc())
        return print.lastError();
    Canvas& canvas = print.canvas();
    const int width = print.PageWidth();
    const bool landscape = list.format == Format::Landscape;
    canvas.setPenWidth(kPen);
    canvas.frame(0, 0, width, print.PageHeight());

    print.setFont(kLabelFont, true, 10);
    const int lineHeight = 2 * canvas.fontHeight();
    print.setFont(kValueFont, false, 10);
    const int rowStep = 3 * canvas.fontHeight() / 2;

    print.setFont(kLabelFont, true, 16);
    canvas.textOut(50, 150,
                   QStringLiteral("Geräte-Liste: nächster Prüfungstermin zwischen ") +
                       list.firstDate + QStringLiteral(" und ") + list.secondDate);
    canvas.line(0, 1000, width, 1000);

    print.setFont(kLabelFont, true, 10);
    canvas.textOut(50, kTop, QStringLiteral("Auftraggeber (Kunde)"));
    const int pages = pageCount(list);
    if (pages > 1)
        canvas.textOut(landscape ? 22000 : 15000, kTop + lineHeight,
                       QStringLiteral("Seite %1").arg(page));
    const QList<Column> columns = columnsOf(list.format);
    for (const Column& column : columns)
        canvas.textOut(column.x, kTop + 3 * lineHeight, column.title);
    canvas.line(0, kTop + 3 * lineHeight - 175, width, kTop + 3 * lineHeight - 175);
    canvas.line(0, kTop + 4 * lineHeight - 175, width, kTop + 4 * lineHeight - 175);

    print.setFont(kValueFont, false, 10);
    canvas.textOut(5000, kTop, list.customerName);
    canvas.textOut(5000, kTop + rowStep, list.customerStreet);
    canvas.textOut(5000, kTop + 2 * rowStep, list.customerPlace);

    const int perPage = rowsPerPage(list.format);
    const qsizetype first = qsizetype(page - 1) * perPage;
    const qsizetype end = std::min(first + perPage, list.devices.size());
    int y = kTop + 4 * lineHeight;
    for (qsizetype i = first; i < end; ++i, y += rowStep)
        for (const Column& column : columns)
            canvas.textOut(column.x, y, list.devices[i].*column.member);
    if (page < pages) {
        // y now stands one row below the last one.
        canvas.textOut(landscape ? 10600 : 6000, landscape ? y + 200 : y,
                       QStringLiteral("Fortsetzung auf Seite %1").arg(page + 1));
    }
    if (!print.EndDoc())
        return print.lastError();
    return std::nullopt;
}

} // namespace device_list
