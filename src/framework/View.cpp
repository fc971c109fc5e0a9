#include "framework/View.h"

const wchar_t* CView::FrameOrViewClassName() {
    static const ATOM atom = [] {
        WNDCLASSEXW wc{sizeof(wc)};
        wc.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
        wc.lpfnWndProc = &CWnd::StaticWndProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = kFrameOrViewClass;
        return ::RegisterClassExW(&wc);
    }();
    return atom ? kFrameOrViewClass : nullptr;
}

BOOL CView::PreCreateWindow(CREATESTRUCTW&) { return TRUE; }

bool CView::Create(HWND frame, UINT id, CDocument* document) {
    m_pDocument = document;
    RECT client{};
    ::GetClientRect(frame, &client);
    CREATESTRUCTW cs{};
    cs.lpszClass = FrameOrViewClassName();
    cs.lpszName = L"";
    cs.style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    cs.dwExStyle = WS_EX_CLIENTEDGE;
    cs.cx = client.right;
    cs.cy = client.bottom;
    cs.hwndParent = frame;
    cs.hMenu = reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id));
    if (!PreCreateWindow(cs) || !cs.lpszClass) return false;
    return CreateEx(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style, RECT{cs.x, cs.y, cs.x + cs.cx, cs.y + cs.cy},
                    cs.hwndParent, reinterpret_cast<UINT_PTR>(cs.hMenu));
}

int CView::OnCreate(CREATESTRUCTW*) { return 0; }

LRESULT CView::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_CREATE) return OnCreate(reinterpret_cast<CREATESTRUCTW*>(lParam));
    return CWnd::WindowProc(msg, wParam, lParam);
}
