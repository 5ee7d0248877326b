#pragma once

#include "SavePrintMode.h"
#include "common/Prompter.h"
#include "print/PrintOutput.h"

#include <QDialog>

#include <functional>
#include <memory>

struct ReportSession;
class PrintTarget;
class QLabel;
class QPushButton;

// Saves the finished report as a protocol file and prints it; after File/Print
// it only prints the chosen file.
class TForm10 : public QDialog {
    Q_OBJECT
public:
    TForm10(ReportSession& state, Prompter& prompter, PrinterSource printers,
            QWidget* parent = nullptr);

    static const Prompter::FileDialog SaveDialog1;

    // Shows the window modally in the given mode; shown otherwise, it saves and prints.
    void run(SavePrintMode mode);

    void ButtonPrdatClick();
    void ButtonPrDruClick();
    void ButtonPrSpDrClick();
    void ButtonDruckliveClick();
    // Beside every print: the same page as a PDF file, or in the preview.
    void ButtonPdfClick();
    void ButtonVorschauClick();
    void ButtonPrWegClick();
    // Every close leaves the window ready for the next report in full mode.
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void save();
    void print(OutputKind kind);
    QPushButton* addButton(const char* name, const QString& caption, QRect geometry,
                           void (TForm10::*click)());

    ReportSession& state_;
    SavePrintMode mode_ = SavePrintMode::SaveAndPrint;
    Prompter& prompter_;
    PrinterSource printers_;
    QLabel* Label1;
    QPushButton* ButtonDrucklive;
    QPushButton* ButtonPrDru;
    QPushButton* ButtonPrSpDr;
    QPushButton* ButtonPrdat;
    QPushButton* ButtonPdf;
    QPushButton* ButtonVorschau;
};
