#pragma once

#include "TestLabelsCommand.h"

#include <QDialog>

class QRadioButton;
class QSpinBox;

// Asks for the rows of "Prüfplakette drucken…" and the first label's place
// on the sheet.
class TFormPlakette : public QDialog, public test_labels::ChoiceQuestion {
    Q_OBJECT
public:
    explicit TFormPlakette(QWidget* parent = nullptr);

    std::optional<test_labels::Choice> askChoice() override;

    QRadioButton* currentRow() const { return currentRow_; }
    QRadioButton* viewRows() const { return viewRows_; }
    QSpinBox* startPosition() const { return startPosition_; }

protected:
    void done(int result) override;

private:
    QRadioButton* currentRow_;
    QRadioButton* viewRows_;
    QSpinBox* startPosition_;
    std::optional<test_labels::Choice> choice_;
};
