#pragma once

#include "CollectiveReportCommand.h"

#include <QDialog>

#include <array>

class QLineEdit;
class QRadioButton;

// Asks for the cover, the number and the remarks of a collective report.
class TFormSammelFormat : public QDialog, public collective_report::FormatQuestion {
    Q_OBJECT
public:
    explicit TFormSammelFormat(QWidget* parent = nullptr);

    std::optional<collective_report::FormatChoice> askFormat() override;

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    std::array<QRadioButton*, 3> covers_{};
    QLineEdit* Edit1;
    std::array<QLineEdit*, 6> remarkEdits_{};
    // 0 portrait cover, 1 landscape cover, 2 no cover after "&Weiter"; -1 otherwise.
    int choice_ = -1;
};
