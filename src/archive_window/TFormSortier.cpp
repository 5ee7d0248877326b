#include "TFormSortier.h"

#include "ScreenCentre.h"
#include "common/HelpContext.h"
#include "common/WindowScaling.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QComboBox* criterionList(QWidget* parent, const char* name, bool withEmptyEntry) {
    auto* list = new QComboBox(parent);
    list->setObjectName(QLatin1String(name));
    if (withEmptyEntry)
        list->addItem(QString());
    list->addItems(archive_sort::labels());
    list->setMaxVisibleItems(13);
    return list;
}

} // namespace

TFormSortier::TFormSortier(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint)
    , ComboBox1(criterionList(this, "ComboBox1", false))
    , ComboBox2(criterionList(this, "ComboBox2", true))
    , ComboBox3(criterionList(this, "ComboBox3", true)) {
    setObjectName(QStringLiteral("FormSortier"));
    setWindowTitle(QStringLiteral("Sortierreihenfolge festlegen"));
    help::setContext(*this, help::Archive);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("ButtonBox"));
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("BitBtnOK"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("BitBtnCancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* lists = new QGridLayout;
    const char* const labels[] = {"1. Kriterium", "2. Kriterium", "3. Kriterium"};
    QComboBox* const combos[] = {ComboBox1, ComboBox2, ComboBox3};
    for (int i = 0; i < 3; ++i) {
        auto* label = new QLabel(QString::fromUtf8(labels[i]), this);
        label->setObjectName(QStringLiteral("Label%1").arg(i + 1));
        lists->addWidget(label, 0, i);
        lists->addWidget(combos[i], 1, i);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(lists);
    layout->addStretch();
    layout->addWidget(buttons);
    resize(560, 140);
    scaleWindow(*this);
}

void TFormSortier::showEvent(QShowEvent* event) {
    centreOnScreen(*this);
    QDialog::showEvent(event);
}

void TFormSortier::showCriteria(const SortCriteria& criteria) {
    ComboBox1->setCurrentIndex(criteria.first - 1);
    ComboBox2->setCurrentIndex(criteria.second);
    ComboBox3->setCurrentIndex(criteria.third);
}

SortCriteria TFormSortier::chosen() const {
    return {ComboBox1->currentIndex() + 1, ComboBox2->currentIndex(), ComboBox3->currentIndex()};
}

bool TFormSortier::choose(SortCriteria& criteria) {
    showCriteria(criteria);
    if (exec() != QDialog::Accepted)
        return false;
    criteria = chosen();
    return true;
}
