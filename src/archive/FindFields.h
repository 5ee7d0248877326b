#pragma once

#include <QString>

#include <array>
#include <optional>

// The archive fields that search and filter offer, in the order of their lists.
namespace find_fields {

// What a value typed for the field must look like.
enum class ValueCheck { None, Digits, Date, YesNo };

struct FindField {
    const char* field;
    const char* searchLabel;
    const char* filterLabel;
    ValueCheck check;
    // Written in apostrophes into a filter text; the others stand bare.
    bool quoted;
};

inline constexpr int kCount = 24;
const std::array<FindField, kCount>& fields();

// Digits only, at least one.
bool isDigits(const QString& value);
// "1" for "j", "J", "ja", "Ja"; "0" for "n", "N", "nein", "Nein"; nothing for any other text.
std::optional<QString> yesNoValue(const QString& value);
// Whether the value passes the field's check.
bool passes(ValueCheck check, const QString& value);

} // namespace find_fields
