#pragma once

#include <sys/fsuid.h>
#include <unistd.h>

// As root, permission bits do not stop writes: while resumed, the file-system
// identity of this thread is an ordinary user's, for whom they do.
class WithoutWriteRights {
public:
    WithoutWriteRights() {
        if (geteuid() != 0)
            return;
        setfsuid(kNobody);
        usable_ = setfsuid(0) == kNobody;
    }
    ~WithoutWriteRights() { suspend(); }
    bool usable() const { return geteuid() != 0 || usable_; }
    void resume() {
        if (usable_)
            setfsuid(kNobody);
    }
    void suspend() {
        if (usable_)
            setfsuid(0);
    }

private:
    static constexpr uid_t kNobody = 65534;
    bool usable_ = false;
};
