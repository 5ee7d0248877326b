#include "FakeClock.h"

#include <algorithm>

void FakeClock::wait(int milliseconds) {
    now_ += std::max(milliseconds, 0);
    if (observer_)
        observer_(now_);
}
