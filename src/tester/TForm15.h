#pragma once

#include <QDialog>

struct TesterState;
class QLabel;
class QPushButton;

// Memory-version window: shows and switches the software letter of the
// tester's measurement memory.
class TForm15 : public QDialog {
    Q_OBJECT
public:
    explicit TForm15(TesterState& state, QWidget* parent = nullptr);

    void Button1Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    TesterState& state_;
    QLabel* Label1;
    QPushButton* Button1;
    QPushButton* Button2;
};
