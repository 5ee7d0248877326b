#pragma once

#include <QString>

#include <functional>
#include <optional>

// The customer taken in the customer lookup.
struct CustomerChoice {
    QString name;      // Auftraggeber
    qint32 number = 0; // Kundennummer
    QString place;     // AuftraggeberOrt
    QString street;    // AuftraggeberStrasse
};

// Shows the customer lookup: the customer taken, nothing after "&Abbruch".
using CustomerLookup = std::function<std::optional<CustomerChoice>()>;
// Shows the customer-number entry: the number typed, nothing after "Abbruch".
using CustomerNumberEntry = std::function<std::optional<qint32>()>;
