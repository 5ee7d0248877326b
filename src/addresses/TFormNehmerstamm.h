#pragma once

#include <QDialog>

#include <memory>

class QLineEdit;
class TableCursor;
class TableStore;

// Edits the contractor's own address, kept as customer number 0.
class TFormNehmerstamm : public QDialog {
    Q_OBJECT
public:
    TFormNehmerstamm(TableStore& tables, QWidget* parent = nullptr);
    ~TFormNehmerstamm() override;

    void Button1Click();
    void Button2Click();
    // Every way out but "&Abbruch" saves, the close box included. A save the
    // table refuses keeps the window open, so nothing typed is lost.
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    // Escape discards, as "&Abbruch" does.
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::unique_ptr<TableCursor> Table1;
    QLineEdit* EditFirma;
    QLineEdit* EditOrt;
    QLineEdit* EditStrasse;
    bool save_ = false;
};
