// TSkInplaceScrollBar: a window laid over one of another window's own scroll bars, hosting a TSkScrollBar that
// shows that bar's state and scrolls the window as the native bar would.
#pragma once

#include <skin/SkScrollBar.h>
#include <toolkit/WinControl.h>

#include <functional>

// Makes the bar an overlay hosts, owned by owner; without one the overlay makes a plain TSkScrollBar.
using TSkScrollBarFactory = std::function<TSkScrollBar*(TComponent* owner)>;

class TSkInplaceScrollBar : public TWinControl {
    TOOLKIT_CLASS(TSkInplaceScrollBar, TWinControl)

public:
    TSkInplaceScrollBar(TComponent* owner, TWinControl* target, bool vertical,
                        const TSkScrollBarFactory& factory = nullptr);
    ~TSkInplaceScrollBar() override;

    TSkScrollBar* ScrollBar() const { return FScrollBar; }
    TWinControl* Target() const { return FTarget; }
    bool Vertical() const { return FVertical; }
    // Set once the target is destroyed or let go; the overlay then does nothing more.
    bool Finished() const { return FFinished; }
    void Finish();

    // Hides the overlay when the target's bar is hidden; otherwise shows it over that bar and copies the bar's
    // range, page, position (unless this overlay is scrolling the target) and the target's Enabled.
    void Synchronise();
    // A message of the target, before the target handles it.
    void TargetMessage(const TMessage& message);

    // Only Synchronise places the overlay.
    void SetBounds(int left, int top, int width, int height) override;
    void Dispatch(TMessage& message) override;

private:
    // The bar's scroll event, sent on to the target as WM_VSCROLL or WM_HSCROLL.
    void BarScroll(TSkScrollCode code, int& position);

    TWinControl* FTarget;
    bool FVertical;
    TSkScrollBar* FScrollBar = nullptr;
    bool FFinished = false;
    bool FPlacing = false;
    // While the target handles a page, thumb or end code of ours, its position is not copied back.
    bool FScrolling = false;
};
