// CFrameWnd: the top-level window of a single-document set. Its creation creates the view
// (frame created, view created, then the initial update), like the framework it stands for.
#pragma once
#include "framework/Document.h"
#include "framework/View.h"
#include "framework/Wnd.h"

#include <functional>
#include <memory>

struct CCreateContext {
    CDocument* document = nullptr;
    std::function<std::unique_ptr<CView>()> newView;
};

class CFrameWnd : public CWnd {
public:
    static constexpr UINT kFirstViewId = 0xE900;

    // Creates the frame window (through PreCreateWindow); its creation makes the view.
    bool LoadFrame(const wchar_t* title, DWORD style, CCreateContext& context);
    // Gives the view its initial update; call once the document is ready.
    void InitialUpdateFrame();

    CView* GetActiveView() const noexcept { return m_pView.get(); }
    // Keys the frame itself does not act on go to the view's page (after the frame's rules,
    // so F5 and the hot keys stay the frame's).
    BOOL PreTranslateMessage(MSG* msg) override;
    CDocument* GetActiveDocument() const noexcept { return m_pContext ? m_pContext->document : m_pDocument; }

protected:
    virtual BOOL PreCreateWindow(CREATESTRUCTW& cs);
    // Creates the view; -1 when it cannot be made.
    virtual int OnCreate(CREATESTRUCTW* cs);
    virtual void OnClose();
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void PlaceView() const;

    CCreateContext* m_pContext = nullptr;  // only while the window is being created
    CDocument* m_pDocument = nullptr;
    std::unique_ptr<CView> m_pView;
};

// Joins a document, a frame and a view the way a single-document template does.
struct CSingleDocSet {
    std::unique_ptr<CDocument> document;
    std::unique_ptr<CFrameWnd> frame;
    // Frame created (making its view), new document, initial update. False on any failure.
    bool Open(const wchar_t* title, DWORD style, std::function<std::unique_ptr<CView>()> newView);
    // Destroys the windows first, while the document still exists.
    void Close();
};
