#pragma once

#include "PortSettings.h"

#include <QDialog>

#include <map>

class Prompter;
class QComboBox;
class QLabel;
class QPushButton;
class SerialLine;

// Port-selection window: chooses which of COM1..COM6 leads to the tester and
// keeps the choice in "COM.FIL". The device behind each slot can be chosen
// too; it is remembered in the bindings file (none given: for this run only).
class TForm2 : public QDialog {
    Q_OBJECT
public:
    TForm2(SerialLine& line, Prompter& prompter, const QString& comFilePath = com_file::kFileName,
           const QString& bindingsPath = {}, QWidget* parent = nullptr);

    const PortSettings& settings() const { return settings_; }

    void ButtonAbortClick();
    void ButtonOkClick();
    // Leaving by Escape or the close box is the same as "&Abbrechen".
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void showDeviceOfSelection();
    // Binds the slots whose device the user changed, and remembers them.
    void bindChangedDevices();

    SerialLine& line_;
    Prompter& prompter_;
    QString comFilePath_;
    QString bindingsPath_;
    PortSettings settings_;
    // Slot → device typed or picked since the window was shown.
    std::map<int, QString> changedDevices_;
    bool showingDevice_ = false;
    QLabel* Label1;
    QComboBox* ComboBoxPort;
    QLabel* LabelGeraet;
    QComboBox* ComboBoxGeraet;
    QPushButton* ButtonAbort;
    QPushButton* ButtonOk;
};
