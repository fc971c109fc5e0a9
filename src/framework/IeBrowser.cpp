#include "framework/IeBrowser.h"

#include "base/SystemLibrary.h"
#include "framework/IeInterfaceIds.h"
#include "framework/IeZoom.h"

#include <mshtml.h>
#include <oleidl.h>

namespace {
constexpr DWORD kOleCmdOnUnload = 37;  // OLECMDID_ONUNLOAD: the page's "before unload" question

// No page from the web may take any browser of this process to a local file, a share or any
// other address of the local zone (a UNC address would also hand the player's Windows
// credentials to a remote host): the platform's zone-elevation control, set once for the
// process. urlmon has it from XP SP2 on, so it is looked up at run time; urlmon stays loaded,
// since the setting lives in it.
// (The headers show its names only to builds that require XP SP2: its documented values.)
constexpr int kFeatureZoneElevation = 1;
constexpr DWORD kSetFeatureOnProcess = 0x2;

void BlockZoneElevation() {
    static const bool done = [] {
        using SetFeature = HRESULT(WINAPI*)(int, DWORD, BOOL);
        const auto set =
            LibraryFunction<SetFeature>(LoadSystemLibrary(L"urlmon.dll"), "CoInternetSetFeatureEnabled");
        return set && SUCCEEDED(set(kFeatureZoneElevation, kSetFeatureOnProcess, TRUE));
    }();
    (void)done;
}
}  // namespace

std::unique_ptr<Browser> CreateIeBrowser() { return std::make_unique<IeBrowser>(); }

IeBrowser::~IeBrowser() { Destroy(); }

bool IeBrowser::Create(HWND parent, const RECT& rc, BrowserEvents* events) {
    if (m_site || !events) return false;
    BlockZoneElevation();
    m_site = ComPtr<IeBrowserSite>::Adopt(IeBrowserSite::New(parent, events));
    m_documentEvents = ComPtr<IeDocumentEvents>::Adopt(IeDocumentEvents::New(events));
    if (!m_site || !m_documentEvents) {
        Destroy();
        return false;
    }
    if (FAILED(::CoCreateInstance(kWebBrowser, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject, m_object.PutVoid())) ||
        FAILED(m_object->SetClientSite(m_site.Get()))) {
        Destroy();
        return false;
    }
    ::OleSetContainedObject(m_object.Get(), TRUE);
    RECT pos = rc;
    if (FAILED(m_object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, m_site.Get(), 0, parent, &pos)) ||
        FAILED(m_object->QueryInterface(kWebBrowser2, m_web.PutVoid()))) {
        Destroy();
        return false;
    }
    ComPtr<IUnknown> identity;
    if (SUCCEEDED(m_web->QueryInterface(IID_IUnknown, identity.PutVoid()))) {
        m_site->WatchDocuments(m_documentEvents.Get(), identity.Get());
    }
    ComPtr<IConnectionPointContainer> container;
    if (SUCCEEDED(m_web->QueryInterface(IID_IConnectionPointContainer, container.PutVoid())) &&
        SUCCEEDED(container->FindConnectionPoint(kWebBrowserEvents2, m_events.Put()))) {
        if (FAILED(m_events->Advise(static_cast<IDispatch*>(m_site.Get()), &m_cookie))) {
            m_events.Reset();
            m_cookie = 0;
        }
    }
    Move(rc);
    return true;
}

void IeBrowser::Destroy() {
    if (m_documentEvents) {
        m_documentEvents->Detach();
        m_documentEvents->Disconnect();
        m_documentEvents.Reset();
    }
    if (!m_site) return;
    m_site->Detach();
    if (m_events) {
        m_events->Unadvise(m_cookie);
        m_events.Reset();
        m_cookie = 0;
    }
    if (m_object) {
        ComPtr<IOleInPlaceObject> inPlace;
        if (SUCCEEDED(m_object->QueryInterface(IID_IOleInPlaceObject, inPlace.PutVoid()))) inPlace->InPlaceDeactivate();
        m_object->Close(OLECLOSE_NOSAVE);
        m_object->SetClientSite(nullptr);
    }
    m_web.Reset();
    m_object.Reset();
    m_site.Reset();
}

void IeBrowser::Move(const RECT& rc) {
    m_position = rc;
    ComPtr<IOleInPlaceObject> inPlace;
    if (m_object && SUCCEEDED(m_object->QueryInterface(IID_IOleInPlaceObject, inPlace.PutVoid()))) {
        inPlace->SetObjectRects(&rc, &rc);
    }
}

bool IeBrowser::Navigate(const std::wstring& url) {
    if (!m_web) return false;
    Bstr address(url);
    VARIANT empty;
    ::VariantInit(&empty);
    return SUCCEEDED(m_web->Navigate(address.Get(), &empty, &empty, &empty, &empty));
}

void IeBrowser::Refresh() {
    if (m_web) m_web->Refresh();
}

void IeBrowser::SetSilent(bool silent) {
    if (m_web) m_web->put_Silent(silent ? VARIANT_TRUE : VARIANT_FALSE);
}

std::wstring IeBrowser::LocationUrl() const {
    Bstr url;
    if (m_web && SUCCEEDED(m_web->get_LocationURL(url.Put()))) return url.Text();
    return {};
}

std::wstring IeBrowser::Title() const {
    Bstr title;
    if (m_web && SUCCEEDED(m_web->get_LocationName(title.Put()))) return title.Text();
    return {};
}

bool IeBrowser::PromptBeforeLeave() {
    const ComPtr<IOleCommandTarget> target = CommandTarget();
    if (!target) return true;
    VARIANT leave;
    ::VariantInit(&leave);
    if (FAILED(target->Exec(nullptr, kOleCmdOnUnload, 0, nullptr, &leave))) return true;
    return !(leave.vt == VT_BOOL && leave.boolVal == VARIANT_FALSE);
}

void IeBrowser::SetBodyScroll(const std::wstring& value) {
    ComPtr<IDispatch> dispatch;
    ComPtr<IHTMLDocument2> document;
    ComPtr<IHTMLElement> body;
    ComPtr<IHTMLBodyElement> bodyElement;
    if (!m_web || FAILED(m_web->get_Document(dispatch.Put())) || !dispatch ||
        FAILED(dispatch->QueryInterface(__uuidof(IHTMLDocument2), document.PutVoid())) ||
        FAILED(document->get_body(body.Put())) || !body ||
        FAILED(body->QueryInterface(__uuidof(IHTMLBodyElement), bodyElement.PutVoid()))) {
        return;  // no page, or a page without a body (a frameset)
    }
    Bstr scroll(value);
    bodyElement->put_scroll(scroll.Get());
}

HWND IeBrowser::Window() const {
    ComPtr<IOleInPlaceObject> inPlace;
    HWND hwnd = nullptr;
    if (m_object && SUCCEEDED(m_object->QueryInterface(IID_IOleInPlaceObject, inPlace.PutVoid()))) {
        inPlace->GetWindow(&hwnd);
    }
    return hwnd;
}

bool IeBrowser::TranslateAccelerator(MSG* msg) {
    if (!m_web || !msg) return false;
    ComPtr<IOleInPlaceActiveObject> active;
    if (FAILED(m_web->QueryInterface(IID_IOleInPlaceActiveObject, active.PutVoid())) || !active) return false;
    return active->TranslateAccelerator(msg) == S_OK;
}

void IeBrowser::Activate(bool active) {
    if (!m_object || !m_site) return;
    if (active) {
        // Only in-place active, the page would not take keys until it was clicked.
        RECT position = m_position;
        m_object->DoVerb(OLEIVERB_UIACTIVATE, nullptr, m_site.Get(), 0, m_site->ParentWindow(), &position);
    }
    if (IOleInPlaceActiveObject* object = m_site->ActiveObject()) object->OnFrameWindowActivate(active ? TRUE : FALSE);
}

ComPtr<IOleCommandTarget> IeBrowser::CommandTarget() const {
    ComPtr<IOleCommandTarget> target;
    if (m_web) m_web->QueryInterface(IID_IOleCommandTarget, target.PutVoid());
    return target;
}

bool IeBrowser::CanZoom() const { return OpticalZoomAvailable(CommandTarget().Get()); }

bool IeBrowser::SetZoom(int percent) { return SetOpticalZoom(CommandTarget().Get(), percent); }

std::optional<SIZE> IeBrowser::ContentSize() const {
    ComPtr<IDispatch> dispatch;
    ComPtr<IHTMLDocument2> document;
    ComPtr<IHTMLElement> body;
    ComPtr<IHTMLElement2> element;
    long width = 0, height = 0;
    if (!m_web || FAILED(m_web->get_Document(dispatch.Put())) || !dispatch ||
        FAILED(dispatch->QueryInterface(__uuidof(IHTMLDocument2), document.PutVoid())) ||
        FAILED(document->get_body(body.Put())) || !body ||
        FAILED(body->QueryInterface(__uuidof(IHTMLElement2), element.PutVoid())) ||
        FAILED(element->get_scrollWidth(&width)) || FAILED(element->get_scrollHeight(&height))) {
        return std::nullopt;
    }
    return SIZE{width, height};
}
