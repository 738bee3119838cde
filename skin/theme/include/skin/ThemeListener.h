// TskThemeListener: what an object that is not a toolkit control implements to hear the theme manager's
// broadcasts (the form and engine components); controls hear them through their own message path.
#pragma once

#include <toolkit/Messages.h>

class TskThemeListener {
public:
    // Receives { SkThemeMessage, change code, lParam, Result 0 }.
    virtual void Dispatch(TMessage& message) = 0;

protected:
    ~TskThemeListener() = default;
};
