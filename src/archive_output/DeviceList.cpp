#include "DeviceList.h"

#include "print/MetricCanvas.h"
#include "print/PageStyle.h"
#include "print/TXPrint.h"

namespace device_list {

namespace {

using namespace page_style;

constexpr Mm100 kLeft{50};
constexpr Mm100 kTop{1200};
// Rules run this far above the label row they open.
constexpr Mm100 kRuleAbove{175};
constexpr Mm100 kCustomerColumn{5000};

struct Column {
    Mm100 x;
    QString title;
    QString Device::*member;
};

QList<Column> columnsOf(Format format) {
    QList<Column> columns{{kLeft, QStringLiteral("Geräteart"), &Device::Geraeteart},
                          {Mm100(7000), QStringLiteral("Seriennummer"), &Device::Seriennummer}};
    switch (format) {
    case Format::Portrait1:
        columns.append({Mm100(11800), QStringLiteral("Hersteller"), &Device::Hersteller});
        columns.append({Mm100(16500), QStringLiteral("Prüfungstermin"), &Device::Termin});
        break;
    case Format::Portrait2:
        columns.append(
            {Mm100(11800), QStringLiteral("Typenbezeichnung"), &Device::Typenbezeichnung});
        columns.append({Mm100(16500), QStringLiteral("Prüfungstermin"), &Device::Termin});
        break;
    case Format::Landscape:
        columns.append(
            {Mm100(11800), QStringLiteral("Typenbezeichnung"), &Device::Typenbezeichnung});
        columns.append({Mm100(16500), QStringLiteral("Hersteller"), &Device::Hersteller});
        columns.append({Mm100(21200), QStringLiteral("Prüfungstermin"), &Device::Termin});
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
    MetricCanvas canvas(print.canvas());
    const Mm100 width(print.PageWidth());
    const bool landscape = list.format == Format::Landscape;
    canvas.setPenWidth(kListPen);
    canvas.frame(Mm100(0), Mm100(0), width, Mm100(print.PageHeight()));

    print.setFont(kLabelFont, true, kTextSize);
    const Mm100 lineHeight = 2 * canvas.fontHeight();
    print.setFont(kValueFont, false, kTextSize);
    const Mm100 rowStep = 3 * canvas.fontHeight() / 2;

    print.setFont(kLabelFont, true, kTitleSize);
    canvas.text(kLeft, Mm100(150),
                QStringLiteral("Geräte-Liste: nächster Prüfungstermin zwischen ") + list.firstDate +
                    QStringLiteral(" und ") + list.secondDate);
    canvas.line(Mm100(0), Mm100(1000), width, Mm100(1000));

    print.setFont(kLabelFont, true, kTextSize);
    canvas.text(kLeft, kTop, QStringLiteral("Auftraggeber (Kunde)"));
    const int pages = pageCount(list);
    if (pages > 1)
        canvas.text(Mm100(landscape ? 22000 : 15000), kTop + lineHeight,
                    QStringLiteral("Seite %1").arg(page));
    const QList<Column> columns = columnsOf(list.format);
    const Mm100 headings = kTop + 3 * lineHeight;
    for (const Column& column : columns)
        canvas.text(column.x, headings, column.title);
    canvas.line(Mm100(0), headings - kRuleAbove, width, headings - kRuleAbove);
    canvas.line(Mm100(0), headings + lineHeight - kRuleAbove, width,
                headings + lineHeight - kRuleAbove);

    print.setFont(kValueFont, false, kTextSize);
    canvas.text(kCustomerColumn, kTop, list.customerName);
    canvas.text(kCustomerColumn, kTop + rowStep, list.customerStreet);
    canvas.text(kCustomerColumn, kTop + 2 * rowStep, list.customerPlace);

    const int perPage = rowsPerPage(list.format);
    const qsizetype first = qsizetype(page - 1) * perPage;
    const qsizetype end = std::min(first + perPage, list.devices.size());
    Mm100 y = kTop + 4 * lineHeight;
    for (qsizetype i = first; i < end; ++i, y += rowStep)
        for (const Column& column : columns)
            canvas.text(column.x, y, list.devices[i].*column.member);
    if (page < pages) {
        // y now stands one row below the last one.
        canvas.text(Mm100(landscape ? 10600 : 6000), landscape ? y + Mm100(200) : y,
                    QStringLiteral("Fortsetzung auf Seite %1").arg(page + 1));
    }
    if (!print.EndDoc())
        return print.lastError();
    return std::nullopt;
}

} // namespace device_list
