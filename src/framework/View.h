// CView: the child window that fills a frame's client area and shows its document.
#pragma once
#include "framework/Document.h"
#include "framework/Wnd.h"

// The window class of frames and views (also how another process finds a game view).
inline constexpr wchar_t kFrameOrViewClass[] = L"AfxFrameOrView90su";

class CView : public CWnd {
public:
    // Creates the view as a child of the frame, through PreCreateWindow.
    bool Create(HWND frame, UINT id, CDocument* document);
    CDocument* GetDocument() const noexcept { return m_pDocument; }

    // After document, frame and view exist.
    virtual void OnInitialUpdate() {}
    // The frame is about to close (its pages may still say goodbye).
    virtual void OnFrameClosing() {}
    // True when the view cannot be closed now; it then closes its frame itself once it can.
    virtual bool HoldsClose() { return false; }
    // A key message the frame did not want: the view may use it; true when it did.
    virtual bool TranslateViewAccelerator(MSG*) { return false; }

    // kFrameOrViewClass, registered once.
    static const wchar_t* FrameOrViewClassName();

protected:
    virtual BOOL PreCreateWindow(CREATESTRUCTW& cs);
    virtual int OnCreate(CREATESTRUCTW* cs);
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

    CDocument* m_pDocument = nullptr;
};
