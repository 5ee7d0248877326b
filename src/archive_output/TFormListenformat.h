#pragma once

#include <QDialog>

class QRadioButton;

// Chooses one of the three device-list formats.
class TFormListenformat : public QDialog {
    Q_OBJECT
public:
    explicit TFormListenformat(QWidget* parent = nullptr);

    // 0, 1 or 2 after "&OK"; -1 after any other way out.
    int format() const { return format_; }

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    QList<QRadioButton*> items_;
    int format_ = -1;
};
