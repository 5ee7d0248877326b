#pragma once

#include "addresses/CustomerChoice.h"

#include "common/Prompter.h"

#include <QDialog>

#include <array>
#include <memory>

struct ReportSession;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TableCursor;
class TableStore;

// The report wizard: three pages that complete the current record with order,
// customer, device, faults, repairs, inspection and closing statements.
class TForm9 : public QDialog {
    Q_OBJECT
public:
    TForm9(ReportSession& state, Prompter& prompter, TableStore& tables, QWidget* parent = nullptr);
    ~TForm9() override;

    // The template question and the customer lookup are created after the
    // wizard, so they are handed over once they exist.
    void setDialogs(QDialog* templateQuestion, CustomerLookup customerLookup);

    void ButtonWeiterClick();
    void ButtonZurueck2Click();
    void ButtonWeiter2Click();
    void ButtonZurueck3Click();
    void ButtonWeiter3Click();
    // However the wizard closes, the record receives what it shows.
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildPage1();
    void buildPage2();
    void buildPage3();
    QLabel* addLabel(int page, const char* name, const QString& caption, int left, int top);
    QPushButton* addButton(int page, const char* name, const QString& caption, int left,
                           void (TForm9::*click)());
    // Places an edit or box at its designed place, or right of the label on
    // its row when that label's caption reaches further.
    void placeAfterLabel(QWidget& widget, int page, int left, int top, int width);
    QLineEdit* edit(const char* name) const;
    void activate();
    void showPage(int page);
    void lookUpCustomer();
    void lookUpContractor();
    void writeRecord();

    ReportSession& state_;
    Prompter& prompter_;
    std::unique_ptr<TableCursor> Table1;
    QDialog* templateQuestion_ = nullptr;
    CustomerLookup customerLookup_;
    // Widgets of pages 1..3 (index 0 unused).
    std::array<QList<QWidget*>, 4> pages_;
    std::array<QCheckBox*, 7> checkBoxes_{};
    std::array<QLabel*, 3> LabelMess{};
    std::array<QLabel*, 3> LabelEinheit{};
    std::array<QLabel*, 3> LabelWert{};
    QLabel* LabelPruefung = nullptr;
    QLabel* LabelKlasse = nullptr;
    QLabel* Label17 = nullptr;
    // Set when an edited report had "mängelfrei" unticked: ticking it is questioned.
    bool confirmStatement_ = false;
};
