#pragma once

#include "Protokoll.h"

#include <QString>

#include <array>

// What the report wizard edits of the record: its edits with their limits and
// places at 96 dpi, its check boxes, and the rules for the measured values.
namespace wizard_fields {

struct TextField {
    const char* control;
    QString Protokoll::*member;
    int typingLimit;
    int page;
    int left;
    int top;
    int width;
};

// Every edit of the wizard in tab order of its page.
extern const std::array<TextField, 23> kTextFields;

// The contractor lines, which the wizard fills from the defaults first.
bool isContractorLine(const TextField& field);

// Besichtigung1..3 and Satz1..4 as CheckBox1..7 hold them.
extern const std::array<qint32 Protokoll::*, 7> kCheckMembers;

// Control bytes and anything beyond ASCII in the first six characters of a
// measured value would garble the report: they become blanks, and a shorter
// value is filled up with blanks to six characters.
QString cleanMeasuredValue(const QString& value);

// A value the tester marked as failed ("F...") makes the device not in order.
bool measurementFailed(const QString& value);

} // namespace wizard_fields
