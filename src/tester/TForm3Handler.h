#pragma once

#include "SerialLine.h"
#include "TForm3.h"

// Everything a handler does runs inside one of these: timers keep out while
// it waits on the line, and a close asked for meanwhile waits until it is over.
class TForm3::Handler {
public:
    explicit Handler(TForm3& form)
        : form_(form)
        , exchange_(form.link_.line()) {
        ++form_.handlerDepth_;
    }
    ~Handler() {
        if (--form_.handlerDepth_ == 0 && form_.closeWanted_) {
            form_.closeWanted_ = false;
            form_.done(QDialog::Rejected);
        }
    }
    Handler(const Handler&) = delete;
    Handler& operator=(const Handler&) = delete;

private:
    TForm3& form_;
    SerialLine::Exchange exchange_;
};
