#pragma once

#include "archive/ArchiveFilter.h"

#include <QDialog>

#include <array>

class Prompter;
class QComboBox;
class QLineEdit;
class QPushButton;

// Collects up to five conditions on archive fields and checks them; the
// archive turns them into its filter after the dialog closes.
class TFormFilter : public QDialog {
    Q_OBJECT
public:
    explicit TFormFilter(Prompter& prompter, QWidget* parent = nullptr);

    // The archive is shown again: start afresh at the next opening.
    void markForReset() { conditions_.resetPending = true; }
    const FilterConditions& conditions() const { return conditions_; }

    void ButtonPlusClick();
    void ButtonMinusClick();
    void ButtonFilterLoeschenClick();
    void ButtonAbbrechenClick();
    void ButtonWeiterClick();
    // Escape ends the dialog as "&Abbrechen" does.
    void reject() override;
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    static constexpr int kRows = FilterConditions::kMaxRows;
    void showConditions();
    void copyControls();
    void showRows();

    Prompter& prompter_;
    FilterConditions conditions_;
    // The conditions as they were when the dialog opened; "&Abbrechen" goes back to them.
    FilterConditions openedWith_;
    std::array<QComboBox*, kRows> fieldLists_{};
    std::array<QComboBox*, kRows> operatorLists_{};
    std::array<QLineEdit*, kRows> valueEdits_{};
    // linkLists_[k] joins row k to row k + 1.
    std::array<QComboBox*, kRows - 1> linkLists_{};
    QPushButton* ButtonPlus;
    QPushButton* ButtonMinus;
};
