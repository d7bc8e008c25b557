#pragma once
// The wait cursor, for as long as a handler that writes files runs: Apply
// may wait for files another program holds, Play for the system's shell, a
// restore for as many files as an Apply.

#include "front/main_window_view.h"

namespace modsetup::front {

class BusyCursor {
public:
    explicit BusyCursor(MainWindowView& view) : view_(view) { view_.showBusy(true); }
    ~BusyCursor() { view_.showBusy(false); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

private:
    MainWindowView& view_;
};

}  // namespace modsetup::front
