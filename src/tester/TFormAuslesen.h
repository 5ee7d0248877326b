#pragma once

#include "ReadoutPages.h"
#include "ReadoutSession.h"
#include "TesterLink.h"

#include <QDialog>

struct ReportState;
struct TesterState;
class Prompter;
class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTimer;

// Reads the tester's measurement memory, shows it page by page, lets the
// user drop lines and hands the rest to the archive.
class TFormAuslesen : public QDialog, private ReadoutWindow {
    Q_OBJECT
public:
    TFormAuslesen(TesterState& state, ReportState& report, Prompter& prompter, SerialLine& line,
                  QWidget* parent = nullptr);

    // The archive opens and closes the port around the readout.
    TesterLink& link() { return link_; }

    void ButtonUebernahmeClick();
    void ButtonWeiterClick();
    void ButtonEntfernenClick();
    void ButtonEndeClick();
    // Any other way out counts as "&Abbruch".
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void readMemory();
    // What the reading shows through the window.
    void showPreparing() override;
    void showLegend(const QString& text) override;
    void showInformation(const QString& text) override;
    void showReady() override;
    void addLine(const QString& line) override;
    void showProgress(int percent) override;
    void showRead() override;

    void showPage();
    // Closes a moment later: the window may not end while it is being shown.
    void closeSoon();
    QPushButton* addButton(const char* name, const QString& caption, int left,
                           void (TFormAuslesen::*click)());

    TesterState& state_;
    ReportState& report_;
    Prompter& prompter_;
    TesterLink link_;
    ReadoutPages pages_;
    QLabel* Label1;
    QLabel* Label2;
    QPlainTextEdit* Memo1;
    QPushButton* ButtonUebernahme;
    QPushButton* ButtonWeiter;
    QPushButton* ButtonEntfernen;
    QProgressBar* ProgressBar1;
    QTimer* Timer1;
};
