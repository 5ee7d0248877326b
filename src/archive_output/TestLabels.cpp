#include "TestLabels.h"

#include "print/MetricCanvas.h"
#include "print/PageStyle.h"
#include "print/PrintOutput.h"
#include "print/QrCode.h"
#include "print/TXPrint.h"
#include "tables/TableCursor.h"

namespace test_labels {

namespace {

using namespace page_style;

constexpr Mm100 kLabelWidth{7000};
constexpr Mm100 kLabelHeight{3700};
// The 8 rows leave half a millimetre above and below.
constexpr Mm100 kSheetTop{50};
constexpr Mm100 kPadding{300};
// 0.8 mm: well above the 0.5 mm a phone camera needs.
constexpr Mm100 kQrModule{80};
constexpr int kQuietModules = 4;

// Cut at the end so that it fits the width; a label has no room for more.
QString fitted(const MetricCanvas& canvas, QString text, Mm100 width) {
    while (!text.isEmpty() && canvas.textWidth(text) > width)
        text.chop(1);
    return text;
}

void drawLabel(TXPrint& print, const Label& label, Mm100 left, Mm100 top) {
    MetricCanvas canvas(print.canvas());
    Mm100 textRight = left + kLabelWidth - kPadding;
    if (const auto code = encodeQr(payload(label))) {
        const Mm100 side = kQrModule * code->size;
        const Mm100 qrLeft = left + kLabelWidth - kQrModule * kQuietModules - side;
        drawQr(canvas, qrLeft, top + (kLabelHeight - side) / 2, kQrModule, *code);
        textRight = qrLeft - kQrModule * kQuietModules;
    }
    const Mm100 x = left + kPadding;
    const Mm100 width = textRight - x;
    const auto line = [&](int y, bool bold, int points, const QString& text) {
        print.setFont(kLabelFont, bold, points);
        canvas.text(x, top + Mm100(y), fitted(canvas, text, width));
    };
    line(250, true, 9, label.Geraeteart);
    line(580, false, 8, label.Hersteller);
    line(860, false, 8, QStringLiteral("SN ") + label.Seriennummer);
    line(1140, false, 8, QStringLiteral("Geprüft ") + label.Datum);
    line(1420, true, 8,
         label.passed ? QStringLiteral("bestanden") : QStringLiteral("nicht bestanden"));
    line(1750, false, 7, QStringLiteral("Nächste Prüfung"));
    line(1990, true, 16, label.Termin);
    line(2750, false, 7, label.contractor);
    line(3050, false, 7, QStringLiteral("Nr. ") + QString::number(label.number));
}

} // namespace

QString contractorName(TableStore& store) {
    TableCursor customers(store, QStringLiteral("kunden"));
    if (!customers.open() || !customers.locate(QStringLiteral("Kundennummer"), {0}))
        return {};
    return customers.text(QStringLiteral("Auftraggeber"));
}

Label labelOf(const TableCursor& archive, const QString& contractor) {
    Label label;
    label.number = archive.integer(QStringLiteral("Zaehler"));
    label.Geraeteart = archive.text(QStringLiteral("Geraeteart"));
    label.Hersteller = archive.text(QStringLiteral("Hersteller"));
    label.Seriennummer = archive.text(QStringLiteral("Seriennummer"));
    label.Datum = archive.text(QStringLiteral("Datum"));
    label.Termin = archive.text(QStringLiteral("Termin"));
    label.passed = archive.text(QStringLiteral("Ordnung")) == u"j";
    label.contractor = contractor;
    return label;
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
    TXPrint print(target);
    print.setScaling(TScaling::pscMetric100);
    print.setMargins(0);
    print.setTitle(QStringLiteral("Prüfplaketten"));
    print.setOrientation(TXPrinterOrientation::xpoPortrait);
    qsizetype next = 0;
    int slot = startPosition - 1;
    while (next < labels.size()) {
        if (!print.BeginDoc()) {
            tell(print.lastError());
            return;
        }
        for (; slot < kPerSheet && next < labels.size(); ++slot, ++next)
            drawLabel(print, labels[next], kLabelWidth * (slot % kColumns),
                      kSheetTop + kLabelHeight * (slot / kColumns));
        slot = 0;
        if (!print.EndDoc()) {
            tell(print.lastError());
            return;
        }
    }
}

QString pdfName(const QList<Label>& labels) {
    return proposedPdfName({QStringLiteral("Prüfplaketten"),
                            labels.isEmpty() ? QString() : QString::number(labels.first().number)});
}

} // namespace test_labels
