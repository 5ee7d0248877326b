#include "DataNavigator.h"

#include "TableCursor.h"

#include <QHBoxLayout>
#include <QToolButton>

namespace {

struct ButtonLook {
    const char* objectName;
    QString glyph;
    QString hint;
};

ButtonLook lookOf(DataNavigator::Button which) {
    switch (which) {
    case DataNavigator::Button::First:
        return {"First", QStringLiteral("|◀"), QStringLiteral("Erster Datensatz")};
    case DataNavigator::Button::Prior:
        return {"Prior", QStringLiteral("◀"), QStringLiteral("Vorheriger Datensatz")};
    case DataNavigator::Button::Next:
        return {"Next", QStringLiteral("▶"), QStringLiteral("Nächster Datensatz")};
    case DataNavigator::Button::Last:
        return {"Last", QStringLiteral("▶|"), QStringLiteral("Letzter Datensatz")};
    case DataNavigator::Button::Delete:
        return {"Delete", QStringLiteral("−"), QStringLiteral("Datensatz löschen")};
    case DataNavigator::Button::Insert:
        return {"Insert", QStringLiteral("+"), QStringLiteral("Datensatz einfügen")};
    case DataNavigator::Button::Edit:
        return {"Edit", QStringLiteral("▲"), QStringLiteral("Datensatz bearbeiten")};
    case DataNavigator::Button::Post:
        return {"Post", QStringLiteral("✔"), QStringLiteral("Daten speichern")};
    case DataNavigator::Button::Cancel:
        return {"Cancel", QStringLiteral("✘"), QStringLiteral("Bearbeiten abbrechen")};
    }
    return {};
}

} // namespace

DataNavigator::DataNavigator(TableCursor& cursor, const QList<Button>& buttons, QWidget* parent)
    : QWidget(parent)
    , cursor_(cursor) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (const Button which : buttons) {
        const ButtonLook look = lookOf(which);
        auto* button = new QToolButton(this);
        button->setObjectName(QLatin1String(look.objectName));
        button->setText(look.glyph);
        button->setToolTip(look.hint);
        button->setFocusPolicy(Qt::NoFocus);
        button->setMinimumWidth(28);
        connect(button, &QToolButton::clicked, this, [this, which] { press(which); });
        layout->addWidget(button);
        buttons_.append({which, button});
    }
    layout->addStretch();
    connect(&cursor_, &TableCursor::dataChanged, this, &DataNavigator::updateButtons);
    connect(&cursor_, &TableCursor::stateChanged, this, &DataNavigator::updateButtons);
    updateButtons();
}

QToolButton* DataNavigator::button(Button which) const {
    for (const auto& [kind, button] : buttons_)
        if (kind == which)
            return button;
    return nullptr;
}

void DataNavigator::press(Button which) {
    switch (which) {
    case Button::First:
        cursor_.first();
        break;
    case Button::Prior:
        cursor_.prior();
        break;
    case Button::Next:
        cursor_.next();
        break;
    case Button::Last:
        cursor_.last();
        break;
    case Button::Delete:
        if (deleteRow_)
            deleteRow_();
        else
            cursor_.deleteRow();
        break;
    case Button::Insert:
        cursor_.insert();
        break;
    case Button::Edit:
        cursor_.edit();
        break;
    case Button::Post:
        cursor_.post();
        break;
    case Button::Cancel:
        cursor_.cancel();
        break;
    }
    // Running into either end moves nothing but changes what can be pressed.
    updateButtons();
}

void DataNavigator::updateButtons() {
    const bool usable = cursor_.isOpen() && !cursor_.isEmpty();
    const bool editing = cursor_.state() == TableCursor::State::Edit ||
                         cursor_.state() == TableCursor::State::Insert;
    for (const auto& [which, button] : buttons_) {
        switch (which) {
        case Button::First:
        case Button::Prior:
            button->setEnabled(usable && !cursor_.bof());
            break;
        case Button::Next:
        case Button::Last:
            button->setEnabled(usable && !cursor_.eof());
            break;
        case Button::Delete:
            button->setEnabled(usable);
            break;
        case Button::Insert:
        case Button::Edit:
            button->setEnabled(cursor_.isOpen());
            break;
        case Button::Post:
        case Button::Cancel:
            button->setEnabled(editing);
            break;
        }
    }
}
