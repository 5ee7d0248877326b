#pragma once

#include <QString>

struct Protokoll;
class Prompter;
class TableCursor;

// The addresses an archive row does not keep itself: the customer's street
// and place and the contractor's name, street and place.
struct RowAddresses {
    QString customerStreet;
    QString customerPlace;
    QString contractorName;
    QString contractorStreet;
    QString contractorPlace;
};

// Looks them up in the customer table (opened and closed here). A customer
// number above 0 that is missing, and a missing contractor, are told to the
// user and leave their lines empty.
RowAddresses lookUpAddresses(TableCursor& customers, Prompter& prompter, qint64 customerNumber);

// The same, written into the record's customer street and place (lines 2
// and 3) and its three contractor lines.
void loadAddresses(TableCursor& customers, Prompter& prompter, qint64 customerNumber,
                   Protokoll& record);
