#pragma once

#include "SavePrintMode.h"
#include "common/Prompter.h"
#include "print/PrinterChoice.h"

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
    void ButtonPrWegClick();
    // Every close leaves the window ready for the next report in full mode.
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void save();
    void print();
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
};
