#include "TestLabels.h"

#include "print/MetricCanvas.h"
#include "print/PageStyle.h"
#include "print/PaperSize.h"
#include "print/PrintOutput.h"
#include "print/QrCode.h"
#include "print/TXPrint.h"
#include "tables/TableCursor.h"

#include <algorithm>
#include <array>

namespace test_labels {

namespace {

using namespace page_style;

// Where one line of a label stands, from the label's top edge.
struct LineStyle {
    Mm100 y;
    bool bold;
    int points;
};

// Device type, manufacturer, serial number, test date, verdict, "Nächste
// Prüfung", the next test in large type, contractor and number, left of the
// QR code.
struct Layout {
    Mm100 width;
    Mm100 height;
    Mm100 padding;
    Mm100 qrModule;
    std::array<LineStyle, 9> lines;
};

// 0.8 mm modules: well above the 0.5 mm a phone camera needs.
constexpr Layout kSheetLabel{Mm100(7000),
                             Mm100(3700),
                             Mm100(300),
                             Mm100(80),
                             {{{Mm100(250), true, 9},
                               {Mm100(580), false, 8},
                               {Mm100(860), false, 8},
                               {Mm100(1140), false, 8},
                               {Mm100(1420), true, 8},
                               {Mm100(1750), false, 7},
                               {Mm100(1990), true, 16},
                               {Mm100(2750), false, 7},
                               {Mm100(3050), false, 7}}}};
// 0.6 mm modules leave the text 28 mm of the 50.
constexpr Layout kSingleLabel{Mm100(5000),
                              Mm100(3000),
                              Mm100(200),
                              Mm100(60),
                              {{{Mm100(150), true, 8},
                                {Mm100(480), false, 7},
                                {Mm100(740), false, 7},
                                {Mm100(1000), false, 7},
                                {Mm100(1260), true, 7},
                                {Mm100(1570), false, 6},
                                {Mm100(1790), true, 13},
                                {Mm100(2430), false, 6},
                                {Mm100(2660), false, 6}}}};
constexpr PaperSize kSinglePaper{kSingleLabel.width, kSingleLabel.height};
// The 8 rows leave half a millimetre above and below.
constexpr Mm100 kSheetTop{50};
constexpr int kQuietModules = 4;

// Cut at the end so that it fits the width; a label has no room for more.
QString fitted(const MetricCanvas& canvas, QString text, Mm100 width) {
    while (!text.isEmpty() && canvas.textWidth(text) > width)
        text.chop(1);
    return text;
}

void drawLabel(TXPrint& print, const Label& label, const Layout& layout, Mm100 left, Mm100 top) {
    MetricCanvas canvas(print.canvas());
    const Mm100 module = layout.qrModule;
    Mm100 textRight = left + layout.width - layout.padding;
    if (const auto code = encodeQr(payload(label))) {
        const Mm100 side = module * code->size;
        const Mm100 qrLeft = left + layout.width - module * kQuietModules - side;
        drawQr(canvas, qrLeft, top + (layout.height - side) / 2, module, *code);
        textRight = qrLeft - module * kQuietModules;
    }
    const Mm100 x = left + layout.padding;
    const Mm100 width = textRight - x;
    const QString texts[] = {
        label.Geraeteart,
        label.Hersteller,
        QStringLiteral("SN ") + label.Seriennummer,
        QStringLiteral("Geprüft ") + label.Datum,
        label.passed ? QStringLiteral("bestanden") : QStringLiteral("nicht bestanden"),
        QStringLiteral("Nächste Prüfung"),
        label.Termin,
        label.contractor,
        QStringLiteral("Nr. ") + QString::number(label.number),
    };
    for (std::size_t i = 0; i < layout.lines.size(); ++i) {
        const LineStyle& line = layout.lines[i];
        print.setFont(kLabelFont, line.bold, line.points);
        canvas.text(x, top + line.y, fitted(canvas, texts[i], width));
    }
}

// Each page one job, drawn by `drawPage` from its index; a page that could
// not be printed is told and ends the printout.
void drawPages(PrintTarget& target, std::optional<PaperSize> paper, int pages,
               const std::function<void(TXPrint&, int)>& drawPage,
               const std::function<void(const QString&)>& tell) {
    TXPrint print(target);
    print.setScaling(TScaling::pscMetric100);
    print.setMargins(0);
    print.setTitle(QStringLiteral("Prüfplaketten"));
    print.setOrientation(TXPrinterOrientation::xpoPortrait);
    print.setPaper(paper);
    for (int page = 0; page < pages; ++page) {
        if (!print.BeginDoc()) {
            tell(print.lastError());
            return;
        }
        drawPage(print, page);
        if (!print.EndDoc()) {
            tell(print.lastError());
            return;
        }
    }
}

} // namespace

QString contractorName(TableStore& store) {
    TableCursor customers(store, QStringLiteral("kunden"));
    if (!customers.open() || !customers.locate(QStringLiteral("Kundennummer"), {0}))
        return {};
    return customers.text(QStringLiteral("Auftraggeber"));
}

const QStringList& labelFields() {
    static const QStringList fields = {QStringLiteral("Zaehler"),    QStringLiteral("Geraeteart"),
                                       QStringLiteral("Hersteller"), QStringLiteral("Seriennummer"),
                                       QStringLiteral("Datum"),      QStringLiteral("Termin"),
                                       QStringLiteral("Ordnung")};
    return fields;
}

Label labelFrom(const QStringList& texts, const QString& contractor) {
    return Label{texts[0].toLongLong(), texts[1],  texts[2], texts[3], texts[4], texts[5],
                 texts[6] == u"j",      contractor};
}

Label labelOf(const TableCursor& archive, const QString& contractor) {
    QStringList texts;
    for (const QString& field : labelFields())
        texts << archive.text(field);
    return labelFrom(texts, contractor);
}

QByteArray payload(const Label& label) {
    QByteArray text = "ZTD " + QByteArray::number(label.number);
    if (!label.Termin.isEmpty())
        text += ' ' + label.Termin.toLatin1();
    return text;
}

int sheetCount(int labels, int startPosition) {
    return (startPosition - 1 + labels + kPerSheet - 1) / kPerSheet;
}

void drawSheets(PrintTarget& target, const QList<Label>& labels, int startPosition,
                const std::function<void(const QString&)>& tell) {
    const int skipped = startPosition - 1;
    const auto drawSheet = [&](TXPrint& print, int sheet) {
        const int firstSlot = sheet == 0 ? skipped : 0;
        const int lastSlot =
            std::min<qsizetype>(kPerSheet, skipped + labels.size() - sheet * kPerSheet);
        for (int slot = firstSlot; slot < lastSlot; ++slot)
            drawLabel(print, labels[sheet * kPerSheet + slot - skipped], kSheetLabel,
                      kSheetLabel.width * (slot % kColumns),
                      kSheetTop + kSheetLabel.height * (slot / kColumns));
    };
    // The sheet is printed on the printer's paper, as every A4 page.
    drawPages(target, std::nullopt, sheetCount(int(labels.size()), startPosition), drawSheet, tell);
}

void drawSingles(PrintTarget& target, const QList<Label>& labels,
                 const std::function<void(const QString&)>& tell) {
    drawPages(
        target, kSinglePaper, int(labels.size()),
        [&](TXPrint& print, int page) {
            drawLabel(print, labels[page], kSingleLabel, Mm100(0), Mm100(0));
        },
        tell);
}

void drawLabels(PrintTarget& target, const QList<Label>& labels, Format format, int startPosition,
                const std::function<void(const QString&)>& tell) {
    if (format == Format::Single)
        drawSingles(target, labels, tell);
    else
        drawSheets(target, labels, startPosition, tell);
}

QString pdfName(const QList<Label>& labels) {
    return proposedPdfName({QStringLiteral("Prüfplaketten"),
                            labels.isEmpty() ? QString() : QString::number(labels.first().number)});
}

} // namespace test_labels
