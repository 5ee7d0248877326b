#include "TForm10.h"

#include "ProtocolFile.h"
#include "ReportPage.h"
#include "common/HelpContext.h"
#include "common/WindowScaling.h"
#include "print/TXPrint.h"
#include "report/ReportSession.h"

#include <QLabel>
#include <QPushButton>

namespace {
const QString kFullCaption = QStringLiteral("Protokoll speichern/drucken");
} // namespace

const Prompter::FileDialog TForm10::SaveDialog1{QStringLiteral("Speichern unter"),
                                                QStringLiteral("Protokolldateien (*.pro)|*.pro"),
                                                QStringLiteral("pro"),
                                                {},
                                                true};

TForm10::TForm10(ReportSession& state, Prompter& prompter, PrinterSource printers, QWidget* parent)
    : QDialog(parent)
    , state_(state)
    , prompter_(prompter)
    , printers_(std::move(printers))
    , Label1(new QLabel(this)) {
    setObjectName(QStringLiteral("Form10"));
    setWindowTitle(kFullCaption);
    help::setContext(*this, help::RemoteControlAndReport);

    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->move(128, 32);
    Label1->hide();
    ButtonDrucklive = addButton(
        "ButtonDrucklive", QStringLiteral("&Datei jetzt drucken?     Dann diese Taste drücken."),
        {124, 64, 353, 25}, &TForm10::ButtonDruckliveClick);
    ButtonDrucklive->hide();
    ButtonDrucklive->setEnabled(false);
    ButtonPrDru = addButton("ButtonPrDru", QStringLiteral("&Drucken"), {54, 128, 134, 25},
                            &TForm10::ButtonPrDruClick);
    ButtonPrSpDr = addButton("ButtonPrSpDr", QStringLiteral("Speichern &und Drucken"),
                             {226, 128, 134, 25}, &TForm10::ButtonPrSpDrClick);
    ButtonPrdat = addButton("ButtonPrdat", QStringLiteral("&Speichern"), {397, 128, 134, 25},
                            &TForm10::ButtonPrdatClick);
    ButtonPdf = addButton("ButtonPdf", QStringLiteral("&PDF speichern…"), {140, 165, 134, 25},
                          &TForm10::ButtonPdfClick);
    ButtonVorschau = addButton("ButtonVorschau", QStringLiteral("&Vorschau"), {312, 165, 134, 25},
                               &TForm10::ButtonVorschauClick);
    addButton("ButtonPrWeg", QStringLiteral("&Ende"), {218, 202, 134, 25},
              &TForm10::ButtonPrWegClick);
    resize(610, 280);
    scaleWindow(*this);
}

QPushButton* TForm10::addButton(const char* name, const QString& caption, QRect geometry,
                                void (TForm10::*click)()) {
    auto* button = new QPushButton(caption, this);
    button->setObjectName(QLatin1String(name));
    // Fonts wider than the designed one would cut the caption: grow about the centre.
    const int missing = button->sizeHint().width() - geometry.width();
    if (missing > 0)
        geometry.adjust(-(missing + 1) / 2, 0, missing / 2 + 1, 0);
    button->setGeometry(geometry);
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, click);
    return button;
}

void TForm10::run(SavePrintMode mode) {
    mode_ = mode;
    exec();
}

void TForm10::showEvent(QShowEvent* event) {
    if (mode_ == SavePrintMode::PrintOnly) {
        setWindowTitle(QStringLiteral("Protokoll drucken"));
        Label1->setText(QStringLiteral("Ausgewählte Datei:  ") + state_.protocolFileName);
        Label1->adjustSize();
        Label1->show();
        ButtonDrucklive->show();
        ButtonDrucklive->setEnabled(true);
        for (QPushButton* button : {ButtonPrdat, ButtonPrDru, ButtonPrSpDr}) {
            button->hide();
            button->setEnabled(false);
        }
        ButtonDrucklive->setFocus();
    }
    QDialog::showEvent(event);
}

void TForm10::save() {
    Prompter::FileDialog dialog = SaveDialog1;
    // A report opened for editing, or the template last loaded, is proposed.
    dialog.fileName = state_.protocolFileName;
    const auto path = prompter_.saveFile(dialog);
    if (!path) {
        prompter_.message(QStringLiteral("Datei wurde nicht gespeichert! "),
                          QStringLiteral("Hinweis"), Prompter::Buttons::Ok);
        return;
    }
    state_.savePath = *path;
    const Protokoll record = state_.record;
    if (const auto error =
            protocol_file::writeProtocolFile(*path, protocol_file::buildProtocolImage(record)))
        prompter_.message(*error, QStringLiteral("Fehler"), Prompter::Buttons::Ok);
}

void TForm10::print(OutputKind kind) {
    deliver(prompter_, {printers_, kind}, report_page::pdfName(state_.record),
            [this](PrintTarget& target) {
                TXPrint XPrint1(target);
                report_page::configure(XPrint1);
                report_page::printWithMessages(XPrint1, prompter_, state_.record, state_.report,
                                               state_.limitTexts);
            });
}

void TForm10::ButtonPrdatClick() {
    save();
}

void TForm10::ButtonPrDruClick() {
    print(OutputKind::Printer);
}

void TForm10::ButtonPrSpDrClick() {
    // The report is printed even when it was not saved.
    save();
    print(OutputKind::Printer);
}

void TForm10::ButtonDruckliveClick() {
    print(OutputKind::Printer);
}

void TForm10::ButtonPdfClick() {
    print(OutputKind::Pdf);
}

void TForm10::ButtonVorschauClick() {
    print(OutputKind::Preview);
}

void TForm10::ButtonPrWegClick() {
    accept();
}

void TForm10::done(int result) {
    state_.protocolFileName.clear();
    Label1->hide();
    for (QPushButton* button : {ButtonPrdat, ButtonPrDru, ButtonPrSpDr}) {
        button->show();
        button->setEnabled(true);
    }
    ButtonDrucklive->hide();
    ButtonDrucklive->setEnabled(false);
    setWindowTitle(kFullCaption);
    mode_ = SavePrintMode::SaveAndPrint;
    QDialog::done(result);
}
