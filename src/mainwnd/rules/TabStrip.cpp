#include "mainwnd/rules/TabStrip.h"

namespace tabs {

int TabLeft(int index) { return kStripLeft + kTabWidth * index; }

Rect TabRect(int index) { return Rect{TabLeft(index), kStripTop, TabLeft(index) + kTabWidth, 25}; }

Rect TitleRect(int index, bool muted) {
    return Rect{TabLeft(index) + 16, 8, TabLeft(index) + (muted ? 158 : 176), 22};
}

Rect MutedMarkRect(int index) { return Rect::FromXYWH(TabLeft(index) + 160, 9, 14, 12); }

Rect CloseCrossRect(int index) {
    return Rect::FromXYWH(TabLeft(index) + 176, kStripTop, kCloseSize, kCloseSize);
}

Rect StripRect(int rightEndTabs, int extraRight) {
    return Rect{kStripLeft, kStripTop, kStripLeft + kTabWidth * rightEndTabs + extraRight, 25};
}

bool InBand(Point p, int count) {
    return p.x > kStripLeft && p.x < kStripLeft + kTabWidth * count && p.y >= 3 && p.y <= 24;
}

int TabAt(int x) { return (x - kStripLeft) / kTabWidth; }

bool OnCloseCross(Point p) {
    const int left = TabLeft(TabAt(p.x)) + 176;
    return p.x >= left && p.x < left + kCloseSize && p.y < 16;
}

std::wstring TabTitle(const std::wstring& record, const std::function<int(const std::wstring&)>& widthOf) {
    if (widthOf(record) <= kTitleMaxWidth) return record;
    return record.substr(0, kTitleKeptChars) + L"...";
}

HoverUpdate OnHover(const HoverState& current, Point p, int count, bool leftButtonDown) {
    HoverUpdate update;
    update.state = current;
    if (!InBand(p, count)) {
        if (current.hotTab >= 0) update.invalidate.push_back(TabRect(current.hotTab));
        update.state = HoverState{-1, -1, false};
        update.tip = TipAction::Deactivate;
        return update;
    }
    const int tab = TabAt(p.x);
    int state = 0;
    if (!current.tipActive) {
        update.tip = TipAction::ActivateWithText;
        update.state.tipActive = true;
    } else if (tab != current.hotTab) {
        update.tip = TipAction::Deactivate;
        update.state.tipActive = false;
    }
    if (OnCloseCross(p)) {
        state = leftButtonDown ? 2 : 1;
        update.tip = TipAction::Deactivate;
        update.state.tipActive = false;
    }
    if (tab == current.hotTab && state == current.closeState) return update;
    if (current.hotTab >= 0) {
        update.invalidate.push_back(tab == current.hotTab ? CloseCrossRect(current.hotTab) : TabRect(current.hotTab));
    }
    if (tab != current.hotTab) update.invalidate.push_back(TabRect(tab));
    update.state.hotTab = tab;
    update.state.closeState = state;
    return update;
}

HoverUpdate OnMouseLeave(const HoverState& current) {
    HoverUpdate update;
    update.state = current;
    if (current.hotTab >= 0 || current.closeState >= 0) {
        if (current.hotTab >= 0) update.invalidate.push_back(TabRect(current.hotTab));
        update.state.hotTab = -1;
        update.state.closeState = -1;
    }
    return update;
}

int CurrentAfterClose(int closed, int countBefore) {
    const int countAfter = countBefore - 1;
    return closed >= countAfter ? countAfter - 1 : closed;
}

int NextTab(int current, int count) { return count > 0 ? (current + 1) % count : 0; }

}  // namespace tabs
