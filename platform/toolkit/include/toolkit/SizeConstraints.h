// TSizeConstraints: the smallest and largest size a control may take; 0 means no limit.
#pragma once

#include <toolkit/Persistent.h>

class TSizeConstraints : public TPersistent {
    TOOLKIT_CLASS(TSizeConstraints, TPersistent)

public:
    TSizeConstraints() = default;

    // Negative values become 0. A maximum below the minimum pulls the minimum down, and the other way round, so
    // the pair never contradicts itself. Each change fires OnChange.
    int MaxHeight() const { return FMaxHeight; }
    void SetMaxHeight(int value);
    int MaxWidth() const { return FMaxWidth; }
    void SetMaxWidth(int value);
    int MinHeight() const { return FMinHeight; }
    void SetMinHeight(int value);
    int MinWidth() const { return FMinWidth; }
    void SetMinWidth(int value);

    void Assign(const TPersistent* source) override;

    TNotifyEvent OnChange;

private:
    void Change();

    int FMaxHeight = 0;
    int FMaxWidth = 0;
    int FMinHeight = 0;
    int FMinWidth = 0;
};
