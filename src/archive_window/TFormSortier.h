#pragma once

#include "archive/ArchiveSort.h"

#include <QDialog>

class QComboBox;

// Lets the user pick the three fields the archive rows are ordered by.
class TFormSortier : public QDialog {
    Q_OBJECT
public:
    explicit TFormSortier(QWidget* parent = nullptr);

    // Shows the criteria, runs the dialog, and takes the choice over on OK.
    // True when it was confirmed.
    bool choose(SortCriteria& criteria);

    // The lists as they stand: what OK takes over.
    SortCriteria chosen() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void showCriteria(const SortCriteria& criteria);

    QComboBox* ComboBox1;
    QComboBox* ComboBox2;
    QComboBox* ComboBox3;
};
