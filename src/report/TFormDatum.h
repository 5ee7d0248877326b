#pragma once

#include "DateQuestion.h"

#include <QDialog>

class Prompter;
class QLabel;
class QLineEdit;

// Asks for a valid date in place of an impossible one found in an imported file;
// it can only be left with a real date.
class TFormDatum : public QDialog {
    Q_OBJECT
public:
    explicit TFormDatum(Prompter& prompter, QWidget* parent = nullptr);

    // Shows the question modally; the real date typed in its place.
    QString askDate(const DateQuestion& question);
    // Fills the window with the question.
    void present(const DateQuestion& question);

    void Button1Click();
    // Escape and the window manager's close cannot leave without a date.
    void reject() override {}

private:
    Prompter& prompter_;
    QString entered_;
    QLabel* Label1;
    QLabel* LabelWo;
    QLabel* LabelDatum;
    QLineEdit* MaskEdit1;
};
