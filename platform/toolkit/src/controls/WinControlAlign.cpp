// TWinControl's alignment: aligned children take their edges in the order top, bottom, left, right, client; anchored
// ones follow the parent's size.
#include <toolkit/WinControl.h>

#include <cstdint>
#include <vector>

namespace {

// Among controls of one alignment, the one nearer its edge goes first.
bool InsertBefore(TControl* c1, TControl* c2, TAlign align) {
    switch (align) {
    case alTop: return c1->Top() < c2->Top();
    case alBottom: return c1->Top() + c1->Height() >= c2->Top() + c2->Height();
    case alLeft: return c1->Left() < c2->Left();
    case alRight: return c1->Left() + c1->Width() >= c2->Left() + c2->Width();
    default: return false;
    }
}

// a * b / c rounded half away from zero, as the Windows MulDiv rounds.
int ScaleRounded(int a, int b, int c) {
    int64_t product = int64_t(a) * b;
    int64_t half = (c < 0 ? -c : c) / 2;
    int64_t sign = ((product < 0) != (c < 0)) ? -1 : 1;
    int64_t magnitude = ((product < 0 ? -product : product) + half) / (c < 0 ? -c : c);
    return static_cast<int>(sign * magnitude);
}

}  // namespace

void TWinControl::DisableAlign() { ++FAlignLevel; }

void TWinControl::EnableAlign() {
    if (FAlignLevel == 0) return;
    --FAlignLevel;
    if (FAlignLevel == 0 && ControlState().Contains(csAlignmentNeeded)) Realign();
}

void TWinControl::Realign() { AlignControl(nullptr); }

void TWinControl::AlignControl(TControl* control) {
    if (ComponentState().Contains(csDestroying) || ComponentState().Contains(csLoading)) return;
    if (FAlignLevel != 0) {
        SetControlState(ControlState() + TControlState{csAlignmentNeeded});
        return;
    }
    DisableAlign();
    try {
        RECT rect = ClientRect();
        AlignControls(control, rect);
    } catch (...) {
        SetControlState(ControlState() - TControlState{csAlignmentNeeded});
        --FAlignLevel;
        throw;
    }
    SetControlState(ControlState() - TControlState{csAlignmentNeeded});
    --FAlignLevel;
}

void TWinControl::AdjustClientRect(RECT&) {}

void TWinControl::AlignControls(TControl* control, RECT& rect) {
    AdjustClientRect(rect);
    for (TAlign align : {alTop, alBottom, alLeft, alRight, alClient, alCustom, alNone}) DoAlign(control, align, rect);
}

void TWinControl::DoAlign(TControl* control, TAlign align, RECT& rect) {
    std::vector<TControl*> list;
    // The control that asked goes first among its equals, so a moved control keeps the place it was moved to.
    if (control && control->Parent() == this && control->Align() == align && control->Visible())
        list.push_back(control);
    // Only the edge alignments order their controls; the others keep the order of the list (without walking it for
    // every control, which made inserting many unaligned children quadratic).
    const bool ordered = align == alTop || align == alBottom || align == alLeft || align == alRight;
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* child = Controls(i);
        if (child == control || child->Align() != align || !child->Visible()) continue;
        size_t j = ordered ? 0 : list.size();
        while (j < list.size() && !InsertBefore(child, list[j], align)) ++j;
        list.insert(list.begin() + static_cast<std::ptrdiff_t>(j), child);
    }
    for (TControl* child : list) AlignPosition(child, align, rect);
}

void TWinControl::AlignPosition(TControl* control, TAlign align, RECT& rect) {
    if (align == alNone || control->Anchors() != AnchorAlign[align]) {
        POINT original = control->FOriginalParentSize;
        if (original.x != 0 && original.y != 0) {
            RECT client = ClientRect();
            POINT parentSize{client.right, client.bottom};
            TAnchors anchors = control->Anchors();
            POINT rules = control->FAnchorRules;
            int left = control->Left(), top = control->Top();
            int width = control->Width(), height = control->Height();
            if (anchors.Contains(akRight)) {
                if (anchors.Contains(akLeft))
                    width = parentSize.x - (original.x - rules.x);
                else
                    left = parentSize.x - (original.x - rules.x);
            } else if (!anchors.Contains(akLeft)) {
                left = ScaleRounded(rules.x, parentSize.x, original.x) - width / 2;
            }
            if (anchors.Contains(akBottom)) {
                if (anchors.Contains(akTop))
                    height = parentSize.y - (original.y - rules.y);
                else
                    top = parentSize.y - (original.y - rules.y);
            } else if (!anchors.Contains(akTop)) {
                top = ScaleRounded(rules.y, parentSize.y, original.y) - height / 2;
            }
            control->FAnchorMove = true;
            try {
                control->SetBounds(left, top, width, height);
            } catch (...) {
                control->FAnchorMove = false;
                throw;
            }
            control->FAnchorMove = false;
        }
        if (align == alNone || align == alCustom) return;
    }
    int newWidth = rect.right - rect.left;
    if (newWidth < 0 || align == alLeft || align == alRight) newWidth = control->Width();
    int newHeight = rect.bottom - rect.top;
    if (newHeight < 0 || align == alTop || align == alBottom) newHeight = control->Height();
    int newLeft = rect.left, newTop = rect.top;
    switch (align) {
    case alTop: rect.top += newHeight; break;
    case alBottom:
        rect.bottom -= newHeight;
        newTop = rect.bottom;
        break;
    case alLeft: rect.left += newWidth; break;
    case alRight:
        rect.right -= newWidth;
        newLeft = rect.right;
        break;
    default: break;
    }
    control->FAnchorMove = true;
    try {
        control->SetBounds(newLeft, newTop, newWidth, newHeight);
    } catch (...) {
        control->FAnchorMove = false;
        throw;
    }
    control->FAnchorMove = false;
    // Constraints may have refused the size: give the difference back to the remaining area.
    int dw = newWidth - control->Width(), dh = newHeight - control->Height();
    if (dw == 0 && dh == 0) return;
    switch (align) {
    case alTop: rect.top -= dh; break;
    case alBottom: rect.bottom += dh; break;
    case alLeft: rect.left -= dw; break;
    case alRight: rect.right += dw; break;
    case alClient:
        rect.right += dw;
        rect.bottom += dh;
        break;
    default: break;
    }
}
