#include "framework/IeBrowserSite.h"

#include "base/Handles.h"
#include "framework/Browser.h"
#include "framework/IeDocumentEvents.h"
#include "framework/IeInterfaceIds.h"

#include <exdispid.h>

#include <new>
#include <string>

namespace {
volatile LONG g_liveSites = 0;

// The variant a by-reference variant points to (the browser passes addresses that way).
const VARIANT* Deref(const VARIANT& v) {
    if (v.vt == (VT_BYREF | VT_VARIANT)) return v.pvarVal;
    return &v;
}

std::wstring TextOf(const VARIANT& arg) {
    const VARIANT* v = Deref(arg);
    if (!v) return {};
    if (v->vt == VT_BSTR && v->bstrVal) return std::wstring(v->bstrVal, ::SysStringLen(v->bstrVal));
    if (v->vt == (VT_BYREF | VT_BSTR) && v->pbstrVal && *v->pbstrVal) {
        return std::wstring(*v->pbstrVal, ::SysStringLen(*v->pbstrVal));
    }
    return {};
}

long LongOf(const VARIANT& arg) {
    const VARIANT* v = Deref(arg);
    if (!v) return 0;
    if (v->vt == VT_I4) return v->lVal;
    if (v->vt == (VT_BYREF | VT_I4) && v->plVal) return *v->plVal;
    return 0;
}

void SetCancel(const VARIANT& arg, bool cancel) {
    if (arg.vt == (VT_BYREF | VT_BOOL) && arg.pboolVal) *arg.pboolVal = cancel ? VARIANT_TRUE : VARIANT_FALSE;
}

// Arguments arrive last first: the event's n-th parameter (from 0) of count.
const VARIANT& Arg(const DISPPARAMS& params, UINT n) { return params.rgvarg[params.cArgs - 1 - n]; }
}  // namespace

long LiveBrowserSites() noexcept { return g_liveSites; }

void CountBrowserHostObject(int delta) noexcept {
    if (delta > 0) {
        ::InterlockedIncrement(&g_liveSites);
    } else {
        ::InterlockedDecrement(&g_liveSites);
    }
}

IeBrowserSite* IeBrowserSite::New(HWND parent, BrowserEvents* events) noexcept {
    return new (std::nothrow) IeBrowserSite(parent, events);
}

IeBrowserSite::IeBrowserSite(HWND parent, BrowserEvents* events) noexcept : m_parent(parent), m_events(events) {
    CountBrowserHostObject(1);
}

IeBrowserSite::~IeBrowserSite() { CountBrowserHostObject(-1); }

STDMETHODIMP IeBrowserSite::QueryInterface(REFIID riid, void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (riid == IID_IUnknown || riid == IID_IOleClientSite) {
        *object = static_cast<IOleClientSite*>(this);
    } else if (riid == IID_IOleWindow || riid == IID_IOleInPlaceSite) {
        *object = static_cast<IOleInPlaceSite*>(this);
    } else if (riid == IID_IOleInPlaceUIWindow || riid == IID_IOleInPlaceFrame) {
        *object = static_cast<IOleInPlaceFrame*>(this);
    } else if (riid == kDocHostUIHandler) {
        *object = static_cast<IDocHostUIHandler*>(this);
    } else if (riid == kDocHostShowUI) {
        *object = static_cast<IDocHostShowUI*>(this);
    } else if (riid == IID_IDispatch || riid == kWebBrowserEvents2) {
        *object = static_cast<IDispatch*>(this);
    } else {
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

STDMETHODIMP IeBrowserSite::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
    if (moniker) *moniker = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP IeBrowserSite::GetContainer(IOleContainer** container) {
    if (container) *container = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP IeBrowserSite::GetWindow(HWND* hwnd) {
    if (!hwnd) return E_POINTER;
    *hwnd = m_parent;
    return S_OK;
}

STDMETHODIMP IeBrowserSite::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc, LPRECT pos,
                                             LPRECT clip, LPOLEINPLACEFRAMEINFO info) {
    if (!frame || !doc || !pos || !clip || !info) return E_POINTER;
    *frame = static_cast<IOleInPlaceFrame*>(this);
    AddRef();
    *doc = nullptr;
    ::GetClientRect(m_parent, pos);
    *clip = *pos;
    info->fMDIApp = FALSE;
    info->hwndFrame = m_parent;
    info->haccel = nullptr;
    info->cAccelEntries = 0;
    return S_OK;
}

STDMETHODIMP IeBrowserSite::SetActiveObject(IOleInPlaceActiveObject* object, LPCOLESTR) {
    if (object) object->AddRef();
    m_activeObject = ComPtr<IOleInPlaceActiveObject>::Adopt(object);
    return S_OK;
}

STDMETHODIMP IeBrowserSite::EnableModeless(BOOL enable) {
    if (!enable) {
        ++m_modalDepth;
    } else if (m_modalDepth > 0 && --m_modalDepth == 0 && m_events) {
        try {
            m_events->OnModalEnded();
        } catch (...) {
        }
    }
    return S_OK;
}

STDMETHODIMP IeBrowserSite::ShowContextMenu(DWORD, POINT*, IUnknown*, IDispatch*) {
    return m_events && m_events->OnShowContextMenu() ? S_OK : S_FALSE;
}

STDMETHODIMP IeBrowserSite::GetHostInfo(DOCHOSTUIINFO* info) {
    if (!info) return E_POINTER;
    if (m_events) info->dwFlags = m_events->OnGetHostInfo(info->dwFlags);
    return S_OK;
}

STDMETHODIMP IeBrowserSite::ShowMessage(HWND owner, LPOLESTR text, LPOLESTR caption, DWORD type, LPOLESTR helpFile,
                                        DWORD helpContext, LRESULT* result) {
    if (!m_events) return S_FALSE;
    try {
        return m_events->OnShowMessage(owner, text, caption, type, helpFile, helpContext, result);
    } catch (...) {
        return S_FALSE;
    }
}

STDMETHODIMP IeBrowserSite::ShowHelp(HWND owner, LPOLESTR helpFile, UINT command, DWORD data, POINT point,
                                     IDispatch*) {
    if (!m_events) return S_FALSE;
    try {
        return m_events->OnShowHelp(owner, helpFile, command, data, point);
    } catch (...) {
        return S_FALSE;
    }
}

STDMETHODIMP IeBrowserSite::GetOptionKeyPath(LPOLESTR* key, DWORD) {
    if (key) *key = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP IeBrowserSite::GetDropTarget(IDropTarget*, IDropTarget** target) {
    if (target) *target = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP IeBrowserSite::GetExternal(IDispatch** dispatch) {
    if (dispatch) *dispatch = nullptr;
    return S_FALSE;
}

STDMETHODIMP IeBrowserSite::TranslateUrl(DWORD, LPWSTR, LPWSTR* out) {
    if (out) *out = nullptr;
    return S_FALSE;
}

STDMETHODIMP IeBrowserSite::FilterDataObject(IDataObject*, IDataObject** out) {
    if (out) *out = nullptr;
    return S_FALSE;
}

STDMETHODIMP IeBrowserSite::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                                   UINT*) {
    // The same IDispatch is the client site's: the control reads its container's ambient
    // properties (user mode, download control, user agent; negative ids) through it. This host
    // sets none, so the control keeps its own defaults.
    if (id < 0 || !(flags & DISPATCH_METHOD)) return DISP_E_MEMBERNOTFOUND;
    if (!params || (params->cArgs && !params->rgvarg)) return E_INVALIDARG;
    // The listener may not throw into the browser.
    try {
        if (m_events) DispatchEvent(id, *params);
    } catch (...) {
    }
    return S_OK;
}

// Events whose argument count does not match their published form are ignored.
void IeBrowserSite::DispatchEvent(DISPID id, const DISPPARAMS& params) {
    switch (id) {
        case DISPID_BEFORENAVIGATE2: {  // pDisp, URL, Flags, TargetFrameName, PostData, Headers, Cancel
            if (params.cArgs != 7) return;
            bool cancel = false;
            const std::wstring url = TextOf(Arg(params, 1));
            if (const std::optional<std::wstring> frame = FrameLocation(Arg(params, 0))) {
                m_events->OnBeforeFrameNavigate2(url, *frame, cancel);
            } else {
                m_events->OnBeforeNavigate2(url, cancel);
            }
            SetCancel(Arg(params, 6), cancel);
            break;
        }
        // Each frame of the page completes too; only the page's own completions are the page's.
        case DISPID_NAVIGATECOMPLETE2:  // pDisp, URL
            if (params.cArgs != 2 || IsInnerFrame(Arg(params, 0))) return;
            ConnectTopDocument();
            m_events->OnNavigateComplete2(TextOf(Arg(params, 1)));
            break;
        case DISPID_DOCUMENTCOMPLETE:  // pDisp, URL
            if (params.cArgs != 2 || IsInnerFrame(Arg(params, 0))) return;
            ConnectTopDocument();
            m_events->OnDocumentComplete(TextOf(Arg(params, 1)));
            break;
        // A script may replace the document without a navigation (document.open, a reload);
        // the new one is connected when its download is done.
        case DISPID_DOWNLOADCOMPLETE:
            ConnectTopDocument();
            break;
        case DISPID_NAVIGATEERROR: {  // pDisp, URL, Frame, StatusCode, Cancel
            if (params.cArgs != 5) return;
            bool cancel = false;
            m_events->OnNavigateError(TextOf(Arg(params, 1)), LongOf(Arg(params, 3)), cancel);
            SetCancel(Arg(params, 4), cancel);
            break;
        }
        case DISPID_TITLECHANGE:  // Text
            if (params.cArgs == 1) m_events->OnTitleChange(TextOf(Arg(params, 0)));
            break;
        default:
            break;
    }
}

// The event's browser object is the top-level browser for the page's own events and the
// frame's own browser object for an inner frame's. A sender that cannot be told (none, or
// before the top level is known) counts as the page's own.
bool IeBrowserSite::IsInnerFrame(const VARIANT& sender) const {
    const VARIANT* v = Deref(sender);
    if (!m_topBrowser || !v || v->vt != VT_DISPATCH || !v->pdispVal) return false;
    ComPtr<IUnknown> identity;
    return SUCCEEDED(v->pdispVal->QueryInterface(IID_IUnknown, identity.PutVoid())) && identity.Get() != m_topBrowser;
}

// For an inner frame: its current address (empty when it has none yet); nothing for the top
// level.
std::optional<std::wstring> IeBrowserSite::FrameLocation(const VARIANT& navigating) const {
    if (!IsInnerFrame(navigating)) return std::nullopt;
    const VARIANT* v = Deref(navigating);
    std::wstring location;
    ComPtr<IWebBrowser2> frame;
    BSTR text = nullptr;
    if (SUCCEEDED(v->pdispVal->QueryInterface(__uuidof(IWebBrowser2), frame.PutVoid())) &&
        SUCCEEDED(frame->get_LocationURL(&text)) && text) {
        location.assign(text, ::SysStringLen(text));
    }
    ::SysFreeString(text);
    return location;
}

// The top-level browser's current document gets the page-event sink (a document already
// connected stays as it is).
void IeBrowserSite::ConnectTopDocument() noexcept {
    if (!m_documentEvents || !m_topBrowser) return;
    ComPtr<IWebBrowser2> browser;
    ComPtr<IDispatch> document;
    if (SUCCEEDED(m_topBrowser->QueryInterface(__uuidof(IWebBrowser2), browser.PutVoid())) &&
        SUCCEEDED(browser->get_Document(document.Put())) && document) {
        m_documentEvents->Connect(document.Get());
    }
}
