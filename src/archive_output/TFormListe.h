#pragma once

#include "addresses/CustomerChoice.h"

#include "DeviceListCommand.h"

#include <QDialog>

#include <memory>

class Prompter;
class QLineEdit;
class TableCursor;
class TableStore;

// Asks for the customer and the range of next test dates of a device list.
class TFormListe : public QDialog, public device_list::RequestQuestion {
    Q_OBJECT
public:
    using Request = device_list::Request;

    TFormListe(Prompter& prompter, TableStore& tables, QWidget* parent = nullptr);
    ~TFormListe() override;
    // Created after this dialog; handed over once it exists.
    void setCustomerLookup(CustomerLookup lookup) { customerLookup_ = std::move(lookup); }

    // Valid after the dialog was accepted.
    const Request& request() const { return request_; }
    std::optional<Request> askRequest() override;

    void Button1Click();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool checkCustomer();
    bool checkDates();
    // Shows the message, then the lookup; a customer taken there fills the entries.
    void refuseCustomer(const QString& message);

    Prompter& prompter_;
    std::unique_ptr<TableCursor> customers_;
    CustomerLookup customerLookup_;
    QLineEdit* KundeName;
    QLineEdit* KundeNr;
    QLineEdit* MaskEdit1;
    QLineEdit* MaskEdit2;
    Request request_;
};
