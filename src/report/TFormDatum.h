#pragma once

#include <QDialog>

struct AppState;
class Prompter;
class QLabel;
class QLineEdit;

// Asks for a valid date in place of an impossible one found in an imported file;
// it can only be left with a real date.
class TFormDatum : public QDialog {
    Q_OBJECT
public:
    TFormDatum(AppState& state, Prompter& prompter, QWidget* parent = nullptr);

    void Button1Click();
    // Escape and the window manager's close cannot leave without a date.
    void reject() override {}

protected:
    void showEvent(QShowEvent* event) override;

private:
    AppState& state_;
    Prompter& prompter_;
    QLabel* Label1;
    QLabel* LabelWo;
    QLabel* LabelDatum;
    QLineEdit* MaskEdit1;
};
