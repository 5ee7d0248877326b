#pragma once

#include <QDialog>

struct AppState;

// Asks after a measurement whether a test report is wanted.
class TForm11 : public QDialog {
    Q_OBJECT
public:
    explicit TForm11(AppState& state, QWidget* parent = nullptr);

protected:
    // Closing the window without an answer counts as "&Nein": the measurement
    // is then offered to the archive instead of being dropped.
    void showEvent(QShowEvent* event) override;

private:
    void answer(int reportWanted);

    AppState& state_;
};
