#pragma once

#include <QDialog>

struct AppState;
class Prompter;
class QLineEdit;

// Asks for a customer number; the caller reads the number after it closes.
class TFormKdnr : public QDialog {
    Q_OBJECT
public:
    TFormKdnr(AppState& state, Prompter& prompter, QWidget* parent = nullptr);

    void Button1Click();
    void Button2Click();
    // Escape ends the entry as "Abbruch" does.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    AppState& state_;
    Prompter& prompter_;
    QLineEdit* MaskEdit1;
};
