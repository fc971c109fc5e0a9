// Built on the C form of the interfaces, like the stand-in document: only what the host
// calls is filled in.
#define CINTERFACE
#include "support/StandInBrowser.h"

#include <exdisp.h>
#include <exdispid.h>
#include <ocidl.h>
#include <olectl.h>
#include <oleauto.h>

#include <cstddef>
#include <initializer_list>

namespace {
const CLSID kWebBrowser = {0x8856F961, 0x340A, 0x11D0, {0xA9, 0x6B, 0x00, 0xC0, 0x4F, 0xD7, 0x05, 0xA2}};
const IID kWebBrowser2 = {0xD30C1661, 0xCDAF, 0x11D0, {0x8A, 0x3E, 0x00, 0xC0, 0x4F, 0xC9, 0xE2, 0x6E}};
const IID kWebBrowserEvents2 = {0x34A715A0, 0x6587, 0x11D0, {0x92, 0x4A, 0x00, 0x20, 0xAF, 0xC7, 0xAC, 0x4D}};

volatile LONG g_liveControls = 0;

struct ControlState {
    StandInDocument* document;
    IOleClientSite* site = nullptr;  // one reference while set
    IDispatch* sink = nullptr;       // one reference while advised
    std::wstring location;
    std::wstring title;
};

// One object, four interfaces: each pointer handed out is the address of its table's slot.
struct Control {
    const IOleObjectVtbl* ole;  // also the identity
    const IOleInPlaceObjectVtbl* inPlace;
    const IWebBrowser2Vtbl* web;
    const IConnectionPointContainerVtbl* points;
    LONG refs;
    ControlState* state;
};
Control* g_newest = nullptr;  // the newest control alive

template <class I>
Control* ControlOf(I* self, std::size_t slot) {
    return reinterpret_cast<Control*>(reinterpret_cast<char*>(self) - slot);
}
Control* FromOle(IOleObject* self) { return ControlOf(self, offsetof(Control, ole)); }
Control* FromInPlace(IOleInPlaceObject* self) { return ControlOf(self, offsetof(Control, inPlace)); }
Control* FromWeb(IWebBrowser2* self) { return ControlOf(self, offsetof(Control, web)); }
Control* FromPoints(IConnectionPointContainer* self) { return ControlOf(self, offsetof(Control, points)); }

ULONG AddRefControl(Control* control) { return static_cast<ULONG>(::InterlockedIncrement(&control->refs)); }
ULONG ReleaseControl(Control* control) {
    const LONG left = ::InterlockedDecrement(&control->refs);
    if (left == 0) {
        if (control->state->site) control->state->site->lpVtbl->Release(control->state->site);
        if (control->state->sink) control->state->sink->lpVtbl->Release(control->state->sink);
        if (g_newest == control) g_newest = nullptr;
        delete control->state;
        delete control;
        ::InterlockedDecrement(&g_liveControls);
    }
    return static_cast<ULONG>(left);
}

bool IsOneOf(REFIID riid, std::initializer_list<const IID*> ids) {
    for (const IID* id : ids) {
        if (IsEqualIID(riid, *id)) return true;
    }
    return false;
}

HRESULT QueryControl(Control* control, REFIID riid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (IsOneOf(riid, {&IID_IUnknown, &IID_IOleObject})) {
        *out = &control->ole;
    } else if (IsOneOf(riid, {&IID_IOleWindow, &IID_IOleInPlaceObject})) {
        *out = &control->inPlace;
    } else if (IsOneOf(riid, {&IID_IDispatch, &kWebBrowser2})) {
        *out = &control->web;
    } else if (IsEqualIID(riid, IID_IConnectionPointContainer)) {
        *out = &control->points;
    } else {
        return E_NOINTERFACE;
    }
    AddRefControl(control);
    return S_OK;
}

// ---- events, as the control fires them to its sink
VARIANT Dispatch(IDispatch* object) {
    VARIANT v;
    ::VariantInit(&v);
    v.vt = VT_DISPATCH;
    v.pdispVal = object;
    return v;
}
VARIANT ByRef(VARIANT* inner) {
    VARIANT v;
    ::VariantInit(&v);
    v.vt = VT_BYREF | VT_VARIANT;
    v.pvarVal = inner;
    return v;
}

// Arguments in their published order; they are passed last first.
void Fire(Control* control, DISPID id, std::initializer_list<VARIANT> inOrder) {
    IDispatch* sink = control->state->sink;
    if (!sink) return;
    VARIANT args[8];
    UINT count = 0;
    for (auto it = inOrder.end(); it != inOrder.begin();) args[count++] = *--it;
    DISPPARAMS params{args, nullptr, count, 0};
    sink->lpVtbl->AddRef(sink);
    sink->lpVtbl->Invoke(sink, id, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr);
    sink->lpVtbl->Release(sink);
}

void FireTitle(Control* control) {
    BSTR title = ::SysAllocString(control->state->title.c_str());
    VARIANT text;
    ::VariantInit(&text);
    text.vt = VT_BSTR;
    text.bstrVal = title;
    Fire(control, DISPID_TITLECHANGE, {text});
    ::SysFreeString(title);
}

// ---- IOleObject
HRESULT STDMETHODCALLTYPE OleQuery(IOleObject* self, REFIID riid, void** out) { return QueryControl(FromOle(self), riid, out); }
ULONG STDMETHODCALLTYPE OleAddRef(IOleObject* self) { return AddRefControl(FromOle(self)); }
ULONG STDMETHODCALLTYPE OleRelease(IOleObject* self) { return ReleaseControl(FromOle(self)); }
HRESULT STDMETHODCALLTYPE OleSetClientSite(IOleObject* self, IOleClientSite* site) {
    ControlState& state = *FromOle(self)->state;
    if (site) site->lpVtbl->AddRef(site);
    if (state.site) state.site->lpVtbl->Release(state.site);
    state.site = site;
    return S_OK;
}
HRESULT STDMETHODCALLTYPE OleDoVerb(IOleObject*, LONG, LPMSG, IOleClientSite*, LONG, HWND, LPCRECT) { return S_OK; }
HRESULT STDMETHODCALLTYPE OleClose(IOleObject*, DWORD) { return S_OK; }

const IOleObjectVtbl* OleTable() {
    static const IOleObjectVtbl table = [] {
        IOleObjectVtbl t{};
        t.QueryInterface = OleQuery;
        t.AddRef = OleAddRef;
        t.Release = OleRelease;
        t.SetClientSite = OleSetClientSite;
        t.DoVerb = OleDoVerb;
        t.Close = OleClose;
        return t;
    }();
    return &table;
}

// ---- IOleInPlaceObject: no window of its own
HRESULT STDMETHODCALLTYPE InPlaceQuery(IOleInPlaceObject* self, REFIID riid, void** out) {
    return QueryControl(FromInPlace(self), riid, out);
}
ULONG STDMETHODCALLTYPE InPlaceAddRef(IOleInPlaceObject* self) { return AddRefControl(FromInPlace(self)); }
ULONG STDMETHODCALLTYPE InPlaceRelease(IOleInPlaceObject* self) { return ReleaseControl(FromInPlace(self)); }
HRESULT STDMETHODCALLTYPE InPlaceWindow(IOleInPlaceObject*, HWND* hwnd) {
    if (hwnd) *hwnd = nullptr;
    return E_FAIL;
}
HRESULT STDMETHODCALLTYPE InPlaceDeactivate(IOleInPlaceObject*) { return S_OK; }
HRESULT STDMETHODCALLTYPE InPlaceRects(IOleInPlaceObject*, LPCRECT, LPCRECT) { return S_OK; }

const IOleInPlaceObjectVtbl* InPlaceTable() {
    static const IOleInPlaceObjectVtbl table = [] {
        IOleInPlaceObjectVtbl t{};
        t.QueryInterface = InPlaceQuery;
        t.AddRef = InPlaceAddRef;
        t.Release = InPlaceRelease;
        t.GetWindow = InPlaceWindow;
        t.InPlaceDeactivate = InPlaceDeactivate;
        t.SetObjectRects = InPlaceRects;
        return t;
    }();
    return &table;
}

// ---- IWebBrowser2
HRESULT STDMETHODCALLTYPE WebQuery(IWebBrowser2* self, REFIID riid, void** out) { return QueryControl(FromWeb(self), riid, out); }
ULONG STDMETHODCALLTYPE WebAddRef(IWebBrowser2* self) { return AddRefControl(FromWeb(self)); }
ULONG STDMETHODCALLTYPE WebRelease(IWebBrowser2* self) { return ReleaseControl(FromWeb(self)); }
// An address as the control passes it: a BSTR in a VARIANT, freed with its owner.
class UrlArgument {
public:
    explicit UrlArgument(const std::wstring& address) {
        ::VariantInit(&value);
        value.vt = VT_BSTR;
        value.bstrVal = ::SysAllocString(address.c_str());
    }
    ~UrlArgument() { ::VariantClear(&value); }
    UrlArgument(const UrlArgument&) = delete;
    UrlArgument& operator=(const UrlArgument&) = delete;
    VARIANT value;
};

HRESULT STDMETHODCALLTYPE WebNavigate(IWebBrowser2* self, BSTR url, VARIANT*, VARIANT*, VARIANT*, VARIANT*) {
    Control* control = FromWeb(self);
    const std::wstring address = url ? url : L"";
    UrlArgument urlArgument(address);
    VARIANT& urlValue = urlArgument.value;
    VARIANT empty[4];
    for (VARIANT& v : empty) ::VariantInit(&v);
    VARIANT_BOOL cancel = VARIANT_FALSE;
    VARIANT cancelArg;
    ::VariantInit(&cancelArg);
    cancelArg.vt = VT_BYREF | VT_BOOL;
    cancelArg.pboolVal = &cancel;
    IDispatch* top = reinterpret_cast<IDispatch*>(&control->web);
    Fire(control, DISPID_BEFORENAVIGATE2,
         {Dispatch(top), ByRef(&urlValue), ByRef(&empty[0]), ByRef(&empty[1]), ByRef(&empty[2]), ByRef(&empty[3]), cancelArg});
    if (cancel != VARIANT_TRUE) {
        control->state->location = address;
        control->state->title = address;  // a page without a title of its own shows its address
        Fire(control, DISPID_NAVIGATECOMPLETE2, {Dispatch(top), ByRef(&urlValue)});
        FireTitle(control);
        Fire(control, DISPID_DOCUMENTCOMPLETE, {Dispatch(top), ByRef(&urlValue)});
    }
    return S_OK;
}
HRESULT STDMETHODCALLTYPE WebRefresh(IWebBrowser2*) { return S_OK; }
HRESULT STDMETHODCALLTYPE WebDocument(IWebBrowser2* self, IDispatch** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    Control* control = FromWeb(self);
    if (control->state->location.empty()) return S_OK;  // no page yet, no document
    IUnknown* document = control->state->document->NewReference();
    const HRESULT hr = document->lpVtbl->QueryInterface(document, IID_IDispatch, reinterpret_cast<void**>(out));
    document->lpVtbl->Release(document);
    return hr;
}
HRESULT Text(const std::wstring& text, BSTR* out) {
    if (!out) return E_POINTER;
    *out = ::SysAllocString(text.c_str());
    return S_OK;
}
HRESULT STDMETHODCALLTYPE WebLocation(IWebBrowser2* self, BSTR* out) { return Text(FromWeb(self)->state->location, out); }
HRESULT STDMETHODCALLTYPE WebTitle(IWebBrowser2* self, BSTR* out) { return Text(FromWeb(self)->state->title, out); }
HRESULT STDMETHODCALLTYPE WebSilent(IWebBrowser2*, VARIANT_BOOL) { return S_OK; }

const IWebBrowser2Vtbl* WebTable() {
    static const IWebBrowser2Vtbl table = [] {
        IWebBrowser2Vtbl t{};
        t.QueryInterface = WebQuery;
        t.AddRef = WebAddRef;
        t.Release = WebRelease;
        t.Navigate = WebNavigate;
        t.Refresh = WebRefresh;
        t.get_Document = WebDocument;
        t.get_LocationURL = WebLocation;
        t.get_LocationName = WebTitle;
        t.put_Silent = WebSilent;
        return t;
    }();
    return &table;
}

// ---- the DWebBrowserEvents2 connection point: an object of its own holding its control
struct EventPoint {
    const IConnectionPointVtbl* lpVtbl;
    LONG refs;
    Control* control;  // one reference
};
constexpr DWORD kCookie = 0x62;

HRESULT STDMETHODCALLTYPE PointQuery(IConnectionPoint* self, REFIID riid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (!IsOneOf(riid, {&IID_IUnknown, &IID_IConnectionPoint})) return E_NOINTERFACE;
    *out = self;
    ::InterlockedIncrement(&reinterpret_cast<EventPoint*>(self)->refs);
    return S_OK;
}
ULONG STDMETHODCALLTYPE PointAddRef(IConnectionPoint* self) {
    return static_cast<ULONG>(::InterlockedIncrement(&reinterpret_cast<EventPoint*>(self)->refs));
}
ULONG STDMETHODCALLTYPE PointRelease(IConnectionPoint* self) {
    auto* point = reinterpret_cast<EventPoint*>(self);
    const LONG left = ::InterlockedDecrement(&point->refs);
    if (left == 0) {
        ReleaseControl(point->control);
        delete point;
    }
    return static_cast<ULONG>(left);
}
HRESULT STDMETHODCALLTYPE PointAdvise(IConnectionPoint* self, IUnknown* sink, DWORD* cookie) {
    ControlState& state = *reinterpret_cast<EventPoint*>(self)->control->state;
    if (!sink || !cookie) return E_POINTER;
    if (state.sink) return CONNECT_E_ADVISELIMIT;
    if (FAILED(sink->lpVtbl->QueryInterface(sink, IID_IDispatch, reinterpret_cast<void**>(&state.sink)))) {
        state.sink = nullptr;
        return CONNECT_E_CANNOTCONNECT;
    }
    *cookie = kCookie;
    return S_OK;
}
HRESULT STDMETHODCALLTYPE PointUnadvise(IConnectionPoint* self, DWORD cookie) {
    ControlState& state = *reinterpret_cast<EventPoint*>(self)->control->state;
    if (cookie != kCookie || !state.sink) return CONNECT_E_NOCONNECTION;
    IDispatch* sink = state.sink;
    state.sink = nullptr;
    sink->lpVtbl->Release(sink);
    return S_OK;
}

const IConnectionPointVtbl* PointTable() {
    static const IConnectionPointVtbl table = [] {
        IConnectionPointVtbl t{};
        t.QueryInterface = PointQuery;
        t.AddRef = PointAddRef;
        t.Release = PointRelease;
        t.Advise = PointAdvise;
        t.Unadvise = PointUnadvise;
        return t;
    }();
    return &table;
}

HRESULT STDMETHODCALLTYPE PointsQuery(IConnectionPointContainer* self, REFIID riid, void** out) {
    return QueryControl(FromPoints(self), riid, out);
}
ULONG STDMETHODCALLTYPE PointsAddRef(IConnectionPointContainer* self) { return AddRefControl(FromPoints(self)); }
ULONG STDMETHODCALLTYPE PointsRelease(IConnectionPointContainer* self) { return ReleaseControl(FromPoints(self)); }
HRESULT STDMETHODCALLTYPE PointsFind(IConnectionPointContainer* self, REFIID riid, IConnectionPoint** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (!IsEqualIID(riid, kWebBrowserEvents2)) return CONNECT_E_NOCONNECTION;
    Control* control = FromPoints(self);
    AddRefControl(control);
    *out = reinterpret_cast<IConnectionPoint*>(new EventPoint{PointTable(), 1, control});
    return S_OK;
}

const IConnectionPointContainerVtbl* PointsTable() {
    static const IConnectionPointContainerVtbl table = [] {
        IConnectionPointContainerVtbl t{};
        t.QueryInterface = PointsQuery;
        t.AddRef = PointsAddRef;
        t.Release = PointsRelease;
        t.FindConnectionPoint = PointsFind;
        return t;
    }();
    return &table;
}

// ---- the class object
struct Factory {
    const IClassFactoryVtbl* lpVtbl;
    StandInDocument* document;
};

HRESULT STDMETHODCALLTYPE FactoryQuery(IClassFactory* self, REFIID riid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (!IsOneOf(riid, {&IID_IUnknown, &IID_IClassFactory})) return E_NOINTERFACE;
    *out = self;
    return S_OK;
}
// The class object lives as long as its registration: no count of its own.
ULONG STDMETHODCALLTYPE FactoryAddRef(IClassFactory*) { return 2; }
ULONG STDMETHODCALLTYPE FactoryRelease(IClassFactory*) { return 1; }
HRESULT STDMETHODCALLTYPE FactoryCreate(IClassFactory* self, IUnknown* outer, REFIID riid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    auto* control = new Control{OleTable(), InPlaceTable(), WebTable(), PointsTable(), 1,
                                new ControlState{reinterpret_cast<Factory*>(self)->document}};
    ::InterlockedIncrement(&g_liveControls);
    g_newest = control;
    const HRESULT hr = QueryControl(control, riid, out);
    ReleaseControl(control);
    return hr;
}
HRESULT STDMETHODCALLTYPE FactoryLock(IClassFactory*, BOOL) { return S_OK; }

const IClassFactoryVtbl* FactoryTable() {
    static const IClassFactoryVtbl table = [] {
        IClassFactoryVtbl t{};
        t.QueryInterface = FactoryQuery;
        t.AddRef = FactoryAddRef;
        t.Release = FactoryRelease;
        t.CreateInstance = FactoryCreate;
        t.LockServer = FactoryLock;
        return t;
    }();
    return &table;
}

Factory g_factory{nullptr, nullptr};
}  // namespace

StandInBrowserClass::StandInBrowserClass(StandInDocument& document) {
    g_factory = Factory{FactoryTable(), &document};
    DWORD cookie = 0;
    if (SUCCEEDED(::CoRegisterClassObject(kWebBrowser, reinterpret_cast<IUnknown*>(&g_factory), CLSCTX_INPROC_SERVER,
                                          REGCLS_MULTIPLEUSE, &cookie))) {
        m_cookie = cookie;
    }
}

StandInBrowserClass::~StandInBrowserClass() {
    if (m_cookie) ::CoRevokeClassObject(m_cookie);
}

long StandInBrowserClass::LiveControls() { return g_liveControls; }

bool StandInBrowserClass::HasSite() const { return g_newest && g_newest->state->site; }

bool StandInBrowserClass::HasSink() const { return g_newest && g_newest->state->sink; }

void StandInBrowserClass::LoadInnerFrame(const std::wstring& url) {
    if (!g_newest) return;
    // The frame's browser is a control of its own, with the frame's address.
    auto* frame = new Control{OleTable(), InPlaceTable(), WebTable(), PointsTable(), 1,
                              new ControlState{g_newest->state->document}};
    ::InterlockedIncrement(&g_liveControls);
    frame->state->location = url;
    UrlArgument urlArgument(url);
    IDispatch* sender = reinterpret_cast<IDispatch*>(&frame->web);
    Fire(g_newest, DISPID_NAVIGATECOMPLETE2, {Dispatch(sender), ByRef(&urlArgument.value)});
    Fire(g_newest, DISPID_DOCUMENTCOMPLETE, {Dispatch(sender), ByRef(&urlArgument.value)});
    ReleaseControl(frame);
}

void StandInBrowserClass::ChangeTitle(const std::wstring& title) {
    if (!g_newest) return;
    g_newest->state->title = title;
    FireTitle(g_newest);
}

void StandInBrowserClass::ReplaceDocument(StandInDocument& next) {
    if (!g_newest) return;
    g_newest->state->document = &next;
    Fire(g_newest, DISPID_DOWNLOADCOMPLETE, {});
}
