#include "SettingsMenu.h"

#include "TesterBytes.h"
#include "TesterConnection.h"
#include "report/ReportState.h"
#include "report/Vocabulary.h"

void SettingsMenu::open(int version) {
    active_ = true;
    cursor_ = 1;
    items_ = itemCount(version);
}

SettingsMenu::Item SettingsMenu::item(int position) const {
    if (position == items_)
        return Item::Back;
    return position == 1 ? Item::Light : position == 2 ? Item::ProtectionClass : Item::Language;
}

int SettingsMenu::position(Item item) const {
    switch (item) {
    case Item::Light:
        return 1;
    case Item::ProtectionClass:
        return 2;
    case Item::Language:
        return 3;
    case Item::Back:
        break;
    }
    return items_;
}

void SettingsMenu::back() {
    cursor_ = cursor_ == 1 ? items_ : cursor_ - 1;
}

void SettingsMenu::forward() {
    cursor_ = cursor_ == items_ ? 1 : cursor_ + 1;
}

std::vector<std::uint8_t> SettingsMenu::clickOn(int target) {
    const int d = target - cursor_;
    cursor_ = target;
    if (d == 0)
        return {};
    // The shorter way round; two steps of four either way go forward.
    const int forwardSteps = (d + items_) % items_;
    const int backwardSteps = items_ - forwardSteps;
    if (forwardSteps <= backwardSteps)
        return std::vector<std::uint8_t>(forwardSteps, tester_byte::kKey0702);
    return std::vector<std::uint8_t>(backwardSteps, tester_byte::kKey0701);
}

std::vector<std::uint8_t> SettingsMenu::keysToBack() const {
    switch (items_ - cursor_) {
    case 1:
        return {tester_byte::kKey0702};
    case 2:
        return std::vector<std::uint8_t>(items_ == 4 ? 2 : 1, tester_byte::kKey0701);
    case 3:
        return {tester_byte::kKey0701};
    default:
        return {};
    }
}

SettingsMenu::Selection SettingsMenu::select(int version, TesterConnection& connection,
                                             ReportState& report) const {
    Selection selection;
    const bool newTester = version >= 6;
    switch (item(cursor_)) {
    case Item::Light:
        // Older testers show what the light was, newer ones what it is now.
        if (newTester) {
            connection.lightFlag ^= 1;
            selection.lightCaption = connection.frenchDisplay
                                         ? (connection.lightFlag ? QStringLiteral("lumièr décl.")
                                                                 : QStringLiteral("lumièr encl."))
                                         : lightCaption(connection.lightFlag);
        } else {
            selection.lightCaption = lightCaption(connection.lightFlag);
            connection.lightFlag ^= 1;
        }
        break;
    case Item::ProtectionClass:
        report.protectionClass = nextProtectionClass(report.protectionClass);
        selection.classCaption =
            newTester || report.protectionClass == 4
                ? vocabulary::classCaption(report.protectionClass).value_or(QString())
                : QStringLiteral("Schutzklasse  %1").arg(report.protectionClass);
        break;
    case Item::Language:
        break;
    case Item::Back:
        selection.leave = true;
        break;
    }
    return selection;
}

QString lightCaption(int lightFlag) {
    return lightFlag ? QStringLiteral("Licht aus") : QStringLiteral("Licht an");
}

int nextProtectionClass(int protectionClass) {
    return protectionClass >= 4 ? 1 : protectionClass + 1;
}
