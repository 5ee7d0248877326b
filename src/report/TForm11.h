#pragma once

#include <QDialog>

// Asks after a measurement whether a test report is wanted.
class TForm11 : public QDialog {
    Q_OBJECT
public:
    explicit TForm11(QWidget* parent = nullptr);

    // Shows the question modally: true for "&Ja". Closing the window without
    // an answer counts as "&Nein": the measurement is then offered to the
    // archive instead of being dropped.
    bool askReport();

private:
    void answer(bool reportWanted);

    bool reportWanted_ = false;
};
