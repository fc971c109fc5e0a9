// The COM host of an Internet Explorer control: one object playing the client site, the
// in-place site and frame, the host-UI handler, the host's message-box hook and the sink of
// DWebBrowserEvents2. It turns what the control asks and tells into BrowserEvents calls.
//
// Reference counting: the site starts with one reference, owned by IeBrowser. The control
// takes its own references through SetClientSite and Advise and gives them back when
// IeBrowser unadvises, closes the control and clears its client site. The site holds no
// reference to the control, so there is no cycle. LiveBrowserSites() counts the site
// objects alive in the process, so a leak shows.
#pragma once
#include "base/Handles.h"
#include "framework/ComObject.h"

#include <windows.h>
#include <exdisp.h>
#include <mshtmhst.h>
#include <ole2.h>
#include <optional>
#include <string>

class BrowserEvents;
class IeDocumentEvents;

class IeBrowserSite final : public ComEventSink<IOleClientSite, IOleInPlaceSite, IOleInPlaceFrame, IDocHostUIHandler,
                                                IDocHostShowUI> {
public:
    // Returns a site with one reference, owned by the caller.
    static IeBrowserSite* New(HWND parent, BrowserEvents* events) noexcept;
    // Later calls from the control reach no listener (it may be gone).
    void Detach() noexcept {
        m_events = nullptr;
        m_documentEvents = nullptr;
        m_topBrowser = nullptr;
        m_activeObject.Reset();  // part of the control, which holds this site
    }
    // The control's active object while it is UI-active, else null.
    IOleInPlaceActiveObject* ActiveObject() const noexcept { return m_activeObject.Get(); }
    HWND ParentWindow() const noexcept { return m_parent; }
    // Whenever the top-level page has loaded a document, it is connected to `sink`. Neither is
    // owned here; IeBrowser keeps both alive until Detach.
    void WatchDocuments(IeDocumentEvents* sink, IUnknown* topBrowser) noexcept {
        m_documentEvents = sink;
        m_topBrowser = topBrowser;
    }
    IUnknown* Unknown() noexcept { return static_cast<IOleClientSite*>(this); }
    // A box of the browser's is open (EnableModeless(FALSE) not yet undone).
    bool IsModal() const noexcept { return m_modalDepth > 0; }

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID riid, void** object) override;

    // IOleClientSite
    STDMETHODIMP SaveObject() override { return E_NOTIMPL; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker** moniker) override;
    STDMETHODIMP GetContainer(IOleContainer** container) override;
    STDMETHODIMP ShowObject() override { return S_OK; }
    STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
    STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }

    // IOleWindow (shared by the in-place site and frame)
    STDMETHODIMP GetWindow(HWND* hwnd) override;
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

    // IOleInPlaceSite
    STDMETHODIMP CanInPlaceActivate() override { return S_OK; }
    STDMETHODIMP OnInPlaceActivate() override { return S_OK; }
    STDMETHODIMP OnUIActivate() override { return S_OK; }
    STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc, LPRECT pos, LPRECT clip,
                                  LPOLEINPLACEFRAMEINFO info) override;
    STDMETHODIMP Scroll(SIZE) override { return E_NOTIMPL; }
    STDMETHODIMP OnUIDeactivate(BOOL) override { return S_OK; }
    STDMETHODIMP OnInPlaceDeactivate() override { return S_OK; }
    STDMETHODIMP DiscardUndoState() override { return S_OK; }
    STDMETHODIMP DeactivateAndUndo() override { return S_OK; }
    STDMETHODIMP OnPosRectChange(LPCRECT) override { return S_OK; }

    // IOleInPlaceUIWindow / IOleInPlaceFrame: no menus, tool space or status bar
    STDMETHODIMP GetBorder(LPRECT) override { return INPLACE_E_NOTOOLSPACE; }
    STDMETHODIMP RequestBorderSpace(LPCBORDERWIDTHS) override { return INPLACE_E_NOTOOLSPACE; }
    STDMETHODIMP SetBorderSpace(LPCBORDERWIDTHS) override { return S_OK; }
    // The control hands over its active object when it becomes UI-active (null when it stops).
    STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject* object, LPCOLESTR) override;
    STDMETHODIMP InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override { return S_OK; }
    STDMETHODIMP SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
    STDMETHODIMP RemoveMenus(HMENU) override { return S_OK; }
    STDMETHODIMP SetStatusText(LPCOLESTR) override { return S_OK; }
    // Also IDocHostUIHandler's: the browser calls it around each box it shows.
    STDMETHODIMP EnableModeless(BOOL enable) override;
    STDMETHODIMP TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }

    // IDocHostUIHandler
    STDMETHODIMP ShowContextMenu(DWORD, POINT*, IUnknown*, IDispatch*) override;
    STDMETHODIMP GetHostInfo(DOCHOSTUIINFO* info) override;
    STDMETHODIMP ShowUI(DWORD, IOleInPlaceActiveObject*, IOleCommandTarget*, IOleInPlaceFrame*,
                        IOleInPlaceUIWindow*) override { return S_OK; }
    STDMETHODIMP HideUI() override { return S_OK; }
    STDMETHODIMP UpdateUI() override { return S_OK; }
    STDMETHODIMP OnDocWindowActivate(BOOL) override { return S_OK; }
    STDMETHODIMP OnFrameWindowActivate(BOOL) override { return S_OK; }
    STDMETHODIMP ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) override { return S_OK; }
    STDMETHODIMP TranslateAccelerator(LPMSG, const GUID*, DWORD) override { return S_FALSE; }
    STDMETHODIMP GetOptionKeyPath(LPOLESTR* key, DWORD) override;
    STDMETHODIMP GetDropTarget(IDropTarget*, IDropTarget** target) override;
    STDMETHODIMP GetExternal(IDispatch** dispatch) override;
    STDMETHODIMP TranslateUrl(DWORD, LPWSTR, LPWSTR* out) override;
    STDMETHODIMP FilterDataObject(IDataObject*, IDataObject** out) override;

    // IDocHostShowUI: the browser's own boxes and help, offered to the listener first
    STDMETHODIMP ShowMessage(HWND owner, LPOLESTR text, LPOLESTR caption, DWORD type, LPOLESTR helpFile,
                             DWORD helpContext, LRESULT* result) override;
    STDMETHODIMP ShowHelp(HWND owner, LPOLESTR helpFile, UINT command, DWORD data, POINT point,
                          IDispatch* hit) override;

    // IDispatch: DWebBrowserEvents2
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT*, EXCEPINFO*, UINT*) override;

private:
    IeBrowserSite(HWND parent, BrowserEvents* events) noexcept;
    ~IeBrowserSite() override;
    void DispatchEvent(DISPID id, const DISPPARAMS& params);
    bool IsInnerFrame(const VARIANT& sender) const;
    void ConnectTopDocument() noexcept;
    std::optional<std::wstring> FrameLocation(const VARIANT& navigating) const;

    HWND m_parent;
    BrowserEvents* m_events;
    IeDocumentEvents* m_documentEvents = nullptr;
    IUnknown* m_topBrowser = nullptr;
    int m_modalDepth = 0;
    ComPtr<IOleInPlaceActiveObject> m_activeObject;
};

// Host objects (sites and document-event sinks) alive in this process.
long LiveBrowserSites() noexcept;
