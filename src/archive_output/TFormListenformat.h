#pragma once

#include "DeviceListCommand.h"

#include <QDialog>

class QRadioButton;

// Chooses one of the three device-list formats.
class TFormListenformat : public QDialog, public device_list::FormatQuestion {
    Q_OBJECT
public:
    explicit TFormListenformat(QWidget* parent = nullptr);

    std::optional<device_list::Format> askFormat() override;

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    QList<QRadioButton*> items_;
    // 0, 1 or 2 after "&OK"; -1 after any other way out.
    int format_ = -1;
};
