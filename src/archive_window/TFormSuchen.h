#pragma once

#include "archive/ArchiveSearch.h"

#include <QDialog>

class Prompter;
class QComboBox;
class QLineEdit;

// Asks which archive field to search and for what; the archive reads the
// request after it closes.
class TFormSuchen : public QDialog {
    Q_OBJECT
public:
    explicit TFormSuchen(Prompter& prompter, QWidget* parent = nullptr);

    const SearchRequest& request() const { return request_; }

    void ButtonWeiterClick();
    void ButtonAbbruchClick();
    // Escape and the window frame end the dialog as "&Abbruch" does.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    Prompter& prompter_;
    SearchRequest request_;
    QComboBox* ComboBox1;
    QLineEdit* Edit1;
};
