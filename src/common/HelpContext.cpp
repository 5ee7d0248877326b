#include "HelpContext.h"

#include <QVariant>
#include <QWidget>

namespace {
constexpr char kProperty[] = "helpContext";
}

namespace help {

void setContext(QObject& object, int context) {
    object.setProperty(kProperty, context);
}

int contextOf(const QObject& object) {
    return object.property(kProperty).toInt();
}

int contextAround(const QWidget* widget) {
    for (; widget; widget = widget->parentWidget()) {
        if (const int context = contextOf(*widget))
            return context;
    }
    return None;
}

} // namespace help
