#pragma once

#include "common/Prompter.h"

#include <QDialog>

struct ReportSession;

// Offers to start a new report from a saved one used as template.
class TForm12 : public QDialog {
    Q_OBJECT
public:
    TForm12(ReportSession& state, Prompter& prompter, QWidget* parent = nullptr);

    static const Prompter::FileDialog OpenDialog1;

    void ButtonJaClick();

private:
    ReportSession& state_;
    Prompter& prompter_;
};
