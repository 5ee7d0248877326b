#pragma once

#include <QDialog>

#include <optional>

class Prompter;
class QLineEdit;

// Asks for a customer number; the caller reads the number after it closes.
class TFormKdnr : public QDialog {
    Q_OBJECT
public:
    explicit TFormKdnr(Prompter& prompter, QWidget* parent = nullptr);

    // Shows the entry modally: the number typed, nothing after "Abbruch".
    std::optional<qint32> enterNumber();

    void Button1Click();
    void Button2Click();
    // Escape ends the entry as "Abbruch" does.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    std::optional<qint32> entered_;
    Prompter& prompter_;
    QLineEdit* MaskEdit1;
};
