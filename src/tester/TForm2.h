#pragma once

#include "PortSettings.h"

#include <QDialog>

class Prompter;
class QComboBox;
class QLabel;
class QPushButton;
class SerialLine;

// Port-selection window: chooses which of COM1..COM6 leads to the tester and
// keeps the choice in "COM.FIL".
class TForm2 : public QDialog {
    Q_OBJECT
public:
    TForm2(SerialLine& line, Prompter& prompter, const QString& comFilePath = com_file::kFileName,
           QWidget* parent = nullptr);

    const PortSettings& settings() const { return settings_; }

    void ButtonAbortClick();
    void ButtonOkClick();
    // Leaving by Escape or the close box is the same as "&Abbrechen".
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void showDeviceOfSelection();

    Prompter& prompter_;
    QString comFilePath_;
    PortSettings settings_;
    QLabel* Label1;
    QComboBox* ComboBoxPort;
    QLabel* LabelGeraet;
    QPushButton* ButtonAbort;
    QPushButton* ButtonOk;
};
