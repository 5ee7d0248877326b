#pragma once

#include "TestLabelsCommand.h"

#include <QDialog>

class QLabel;
class QRadioButton;
class QSpinBox;

// Asks for the rows of "Prüfplakette drucken…", the layout, and the first
// label's place on a sheet.
class TFormPlakette : public QDialog, public test_labels::ChoiceQuestion {
    Q_OBJECT
public:
    explicit TFormPlakette(QWidget* parent = nullptr);

    std::optional<test_labels::Choice> askChoice(qint64 markedRows) override;

    QRadioButton* currentRow() const { return currentRow_; }
    QRadioButton* markedRows() const { return markedRows_; }
    QRadioButton* viewRows() const { return viewRows_; }
    QRadioButton* sheet() const { return sheet_; }
    QRadioButton* single() const { return single_; }
    QSpinBox* startPosition() const { return startPosition_; }

protected:
    void done(int result) override;

private:
    QRadioButton* currentRow_;
    QRadioButton* markedRows_;
    QRadioButton* viewRows_;
    QRadioButton* sheet_;
    QRadioButton* single_;
    QLabel* startLabel_;
    QSpinBox* startPosition_;
    std::optional<test_labels::Choice> choice_;
};
