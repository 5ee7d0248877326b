#pragma once

#include <QString>

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
