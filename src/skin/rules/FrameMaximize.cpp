#include "skin/rules/FrameMaximize.h"

namespace skin {
namespace {

// [start, start + length) narrowed to limit and centred, when limit is smaller.
void Narrow(int& start, int& end, int limit) {
    const int length = end - start;
    if (limit <= 0 || limit >= length) return;
    start += (length - limit) / 2;
    end = start + limit;
}

}  // namespace

FrameBounds InitialFrameBounds(const Rect& workArea) {
    const int w = workArea.Width(), h = workArea.Height();
    FrameBounds bounds;
    bounds.maxWidth = w;
    bounds.maxHeight = h;
    // Measured from the work area's own edges, so a task bar on the left or
    // top does not push the restored window off-centre.
    bounds.restore = Rect{workArea.left + w / 8, workArea.top + h / 8, workArea.right - w / 8,
                          workArea.bottom - h / 8};
    return bounds;
}

Rect MaximizedRect(const Rect& workArea, int maxWidth, int maxHeight) {
    Rect r = workArea;
    Narrow(r.left, r.right, maxWidth);
    Narrow(r.top, r.bottom, maxHeight);
    return r;
}

MaximizeToggle ToggleMaximize(bool maximized, const FrameBounds& bounds, const Rect& currentWorkArea) {
    if (maximized) return {bounds.restore, false};
    return {MaximizedRect(currentWorkArea, bounds.maxWidth, bounds.maxHeight), true};
}

const wchar_t* MaximizeButtonTooltip(bool maximized) { return maximized ? L"还原" : L"最大化"; }

}  // namespace skin
