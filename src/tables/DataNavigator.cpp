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
    }
    // Running into either end moves nothing but changes what can be pressed.
    updateButtons();
}

void DataNavigator::updateButtons() {
    const bool usable = cursor_.isOpen() && !cursor_.isEmpty();
    for (const auto& [which, button] : buttons_) {
        const bool towardsStart = which == Button::First || which == Button::Prior;
        button->setEnabled(usable && !(towardsStart ? cursor_.bof() : cursor_.eof()));
    }
}
