// The stand-in's objects are built on the C form of the interfaces: a table with only the
// entries the product calls filled in, where the C++ form would need every one of the
// hundreds of members of IHTMLElement and IHTMLStyle.
#define CINTERFACE
#include "support/StandInDocument.h"

#include <ocidl.h>
#include <oleauto.h>
#include <mshtml.h>

#include <cwchar>

namespace {
// Published interface ids (mshtml.h, ocidl.h), spelled out: the uuid library does not hold
// all of them everywhere.
const IID kHtmlDocumentEvents2 = {0x3050F613, 0x98B5, 0x11CF, {0xBB, 0x82, 0x00, 0xAA, 0x00, 0xBD, 0xCE, 0x0B}};
const IID kHtmlEventObj = {0x3050F32D, 0x98B5, 0x11CF, {0xBB, 0x82, 0x00, 0xAA, 0x00, 0xBD, 0xCE, 0x0B}};
const IID kHtmlElement = {0x3050F1FF, 0x98B5, 0x11CF, {0xBB, 0x82, 0x00, 0xAA, 0x00, 0xBD, 0xCE, 0x0B}};
const IID kHtmlStyle = {0x3050F25E, 0x98B5, 0x11CF, {0xBB, 0x82, 0x00, 0xAA, 0x00, 0xBD, 0xCE, 0x0B}};
const IID kHtmlDocument2 = {0x332C4425, 0x26CB, 0x11D0, {0xB4, 0x83, 0x00, 0xC0, 0x4F, 0xD9, 0x01, 0x19}};
const IID kHtmlBodyElement = {0x3050F1D8, 0x98B5, 0x11CF, {0xBB, 0x82, 0x00, 0xAA, 0x00, 0xBD, 0xCE, 0x0B}};
const IID kHtmlElement2 = {0x3050F434, 0x98B5, 0x11CF, {0xBB, 0x82, 0x00, 0xAA, 0x00, 0xBD, 0xCE, 0x0B}};

volatile LONG g_live = 0;
}  // namespace

struct StandInDocument::Shared {
    std::vector<StandInElement> elements;
    StandInElement body{L"", L"BODY"};
    IDispatch* sink = nullptr;  // one reference while connected
    ~Shared() {
        if (sink) sink->lpVtbl->Release(sink);
    }
};

namespace {
// Every object: its table first (what a COM pointer points at), then a count and its state.
template <class Vtbl, class State>
struct Object {
    const Vtbl* lpVtbl;
    LONG refs;
    State state;
};

template <class O>
O* NewObject(const decltype(O::lpVtbl) table, decltype(O::state) state) {
    ::InterlockedIncrement(&g_live);
    return new O{table, 1, std::move(state)};
}

template <class O>
ULONG STDMETHODCALLTYPE AddRefOf(O* self) {
    return static_cast<ULONG>(::InterlockedIncrement(&self->refs));
}

template <class O>
ULONG STDMETHODCALLTYPE ReleaseOf(O* self) {
    const LONG left = ::InterlockedDecrement(&self->refs);
    if (left == 0) {
        delete self;
        ::InterlockedDecrement(&g_live);
    }
    return static_cast<ULONG>(left);
}

// Answers IUnknown and the ids given with the object itself.
template <class O>
HRESULT Answer(O* self, REFIID riid, void** out, std::initializer_list<const IID*> ids) {
    if (!out) return E_POINTER;
    *out = nullptr;
    bool known = IsEqualIID(riid, IID_IUnknown);
    for (const IID* id : ids) known = known || IsEqualIID(riid, *id);
    if (!known) return E_NOINTERFACE;
    *out = self;
    AddRefOf(self);
    return S_OK;
}

// An element's objects (itself, its style) reach its state through the document's, which
// they keep alive.
struct ElementRef {
    std::shared_ptr<StandInDocument::Shared> shared;
    int element;
};
StandInElement& StateOf(const ElementRef& ref) {
    return ref.element == StandInDocument::kBody ? ref.shared->body : ref.shared->elements[ref.element];
}

// ---- style: background-position-x
using Style = Object<IHTMLStyleVtbl, ElementRef>;

HRESULT STDMETHODCALLTYPE StyleQuery(IHTMLStyle* self, REFIID riid, void** out) {
    return Answer(reinterpret_cast<Style*>(self), riid, out, {&IID_IDispatch, &kHtmlStyle});
}
ULONG STDMETHODCALLTYPE StyleAddRef(IHTMLStyle* self) { return AddRefOf(reinterpret_cast<Style*>(self)); }
ULONG STDMETHODCALLTYPE StyleRelease(IHTMLStyle* self) { return ReleaseOf(reinterpret_cast<Style*>(self)); }
HRESULT STDMETHODCALLTYPE StylePutBackgroundX(IHTMLStyle* self, VARIANT value) {
    auto* style = reinterpret_cast<Style*>(self);
    VARIANT number;
    ::VariantInit(&number);
    if (FAILED(::VariantChangeType(&number, &value, 0, VT_I4))) return E_INVALIDARG;
    StateOf(style->state).backgroundX = number.lVal;
    return S_OK;
}

const IHTMLStyleVtbl* StyleTable() {
    static const IHTMLStyleVtbl table = [] {
        IHTMLStyleVtbl t{};
        t.QueryInterface = StyleQuery;
        t.AddRef = StyleAddRef;
        t.Release = StyleRelease;
        t.put_backgroundPositionX = StylePutBackgroundX;
        return t;
    }();
    return &table;
}

// ---- the body's own interfaces, each an object of its own over the body's state (nothing
// here asks them for their identity)
using BodyScroll = Object<IHTMLBodyElementVtbl, ElementRef>;

HRESULT STDMETHODCALLTYPE BodyScrollQuery(IHTMLBodyElement* self, REFIID riid, void** out) {
    return Answer(reinterpret_cast<BodyScroll*>(self), riid, out, {&IID_IDispatch, &kHtmlBodyElement});
}
ULONG STDMETHODCALLTYPE BodyScrollAddRef(IHTMLBodyElement* self) { return AddRefOf(reinterpret_cast<BodyScroll*>(self)); }
ULONG STDMETHODCALLTYPE BodyScrollRelease(IHTMLBodyElement* self) {
    return ReleaseOf(reinterpret_cast<BodyScroll*>(self));
}
HRESULT STDMETHODCALLTYPE BodyPutScroll(IHTMLBodyElement* self, BSTR value) {
    StateOf(reinterpret_cast<BodyScroll*>(self)->state).scroll = value ? value : L"";
    return S_OK;
}

const IHTMLBodyElementVtbl* BodyScrollTable() {
    static const IHTMLBodyElementVtbl table = [] {
        IHTMLBodyElementVtbl t{};
        t.QueryInterface = BodyScrollQuery;
        t.AddRef = BodyScrollAddRef;
        t.Release = BodyScrollRelease;
        t.put_scroll = BodyPutScroll;
        return t;
    }();
    return &table;
}

using BodySize = Object<IHTMLElement2Vtbl, ElementRef>;

HRESULT STDMETHODCALLTYPE BodySizeQuery(IHTMLElement2* self, REFIID riid, void** out) {
    return Answer(reinterpret_cast<BodySize*>(self), riid, out, {&IID_IDispatch, &kHtmlElement2});
}
ULONG STDMETHODCALLTYPE BodySizeAddRef(IHTMLElement2* self) { return AddRefOf(reinterpret_cast<BodySize*>(self)); }
ULONG STDMETHODCALLTYPE BodySizeRelease(IHTMLElement2* self) { return ReleaseOf(reinterpret_cast<BodySize*>(self)); }
HRESULT STDMETHODCALLTYPE BodyScrollWidth(IHTMLElement2* self, long* out) {
    if (!out) return E_POINTER;
    *out = StateOf(reinterpret_cast<BodySize*>(self)->state).scrollSize.cx;
    return S_OK;
}
HRESULT STDMETHODCALLTYPE BodyScrollHeight(IHTMLElement2* self, long* out) {
    if (!out) return E_POINTER;
    *out = StateOf(reinterpret_cast<BodySize*>(self)->state).scrollSize.cy;
    return S_OK;
}

const IHTMLElement2Vtbl* BodySizeTable() {
    static const IHTMLElement2Vtbl table = [] {
        IHTMLElement2Vtbl t{};
        t.QueryInterface = BodySizeQuery;
        t.AddRef = BodySizeAddRef;
        t.Release = BodySizeRelease;
        t.get_scrollWidth = BodyScrollWidth;
        t.get_scrollHeight = BodyScrollHeight;
        return t;
    }();
    return &table;
}

// ---- element
using Element = Object<IHTMLElementVtbl, ElementRef>;

StandInElement& StateOf(IHTMLElement* self) { return StateOf(reinterpret_cast<Element*>(self)->state); }
HRESULT Text(const std::wstring& text, BSTR* out) {
    if (!out) return E_POINTER;
    *out = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return *out ? S_OK : E_OUTOFMEMORY;
}
HRESULT Number(long value, long* out) {
    if (!out) return E_POINTER;
    *out = value;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE ElementQuery(IHTMLElement* self, REFIID riid, void** out) {
    const ElementRef& ref = reinterpret_cast<Element*>(self)->state;
    if (out && ref.element == StandInDocument::kBody && IsEqualIID(riid, kHtmlBodyElement)) {
        *out = NewObject<BodyScroll>(BodyScrollTable(), ref);
        return S_OK;
    }
    if (out && ref.element == StandInDocument::kBody && IsEqualIID(riid, kHtmlElement2)) {
        *out = NewObject<BodySize>(BodySizeTable(), ref);
        return S_OK;
    }
    return Answer(reinterpret_cast<Element*>(self), riid, out, {&IID_IDispatch, &kHtmlElement});
}
ULONG STDMETHODCALLTYPE ElementAddRef(IHTMLElement* self) { return AddRefOf(reinterpret_cast<Element*>(self)); }
ULONG STDMETHODCALLTYPE ElementRelease(IHTMLElement* self) { return ReleaseOf(reinterpret_cast<Element*>(self)); }
HRESULT STDMETHODCALLTYPE ElementClassName(IHTMLElement* self, BSTR* out) { return Text(StateOf(self).className, out); }
HRESULT STDMETHODCALLTYPE ElementTagName(IHTMLElement* self, BSTR* out) { return Text(StateOf(self).tagName, out); }
HRESULT STDMETHODCALLTYPE ElementLeft(IHTMLElement* self, long* out) { return Number(StateOf(self).offset.left, out); }
HRESULT STDMETHODCALLTYPE ElementTop(IHTMLElement* self, long* out) { return Number(StateOf(self).offset.top, out); }
HRESULT STDMETHODCALLTYPE ElementWidth(IHTMLElement* self, long* out) {
    return Number(StateOf(self).offset.right - StateOf(self).offset.left, out);
}
HRESULT STDMETHODCALLTYPE ElementHeight(IHTMLElement* self, long* out) {
    return Number(StateOf(self).offset.bottom - StateOf(self).offset.top, out);
}
// Attributes read as the browser gives them: "disabled" as a boolean, an unknown one as null.
HRESULT STDMETHODCALLTYPE ElementAttribute(IHTMLElement* self, BSTR name, LONG, VARIANT* out) {
    if (!out) return E_POINTER;
    ::VariantInit(out);
    if (name && ::_wcsicmp(name, L"disabled") == 0) {
        out->vt = VT_BOOL;
        out->boolVal = StateOf(self).disabled ? VARIANT_TRUE : VARIANT_FALSE;
    } else {
        out->vt = VT_NULL;
    }
    return S_OK;
}
HRESULT STDMETHODCALLTYPE ElementStyle(IHTMLElement* self, IHTMLStyle** out) {
    if (!out) return E_POINTER;
    *out = reinterpret_cast<IHTMLStyle*>(NewObject<Style>(StyleTable(), reinterpret_cast<Element*>(self)->state));
    return S_OK;
}
HRESULT STDMETHODCALLTYPE ElementClick(IHTMLElement* self) {
    ++StateOf(self).clicks;
    return S_OK;
}

const IHTMLElementVtbl* ElementTable() {
    static const IHTMLElementVtbl table = [] {
        IHTMLElementVtbl t{};
        t.QueryInterface = ElementQuery;
        t.AddRef = ElementAddRef;
        t.Release = ElementRelease;
        t.get_className = ElementClassName;
        t.get_tagName = ElementTagName;
        t.get_offsetLeft = ElementLeft;
        t.get_offsetTop = ElementTop;
        t.get_offsetWidth = ElementWidth;
        t.get_offsetHeight = ElementHeight;
        t.getAttribute = ElementAttribute;
        t.get_style = ElementStyle;
        t.click = ElementClick;
        return t;
    }();
    return &table;
}

// ---- event object: its source element and its return value
struct EventState {
    IHTMLElement* source;  // one reference
    VARIANT returnValue;
};
using Event = Object<IHTMLEventObjVtbl, EventState>;

HRESULT STDMETHODCALLTYPE EventQuery(IHTMLEventObj* self, REFIID riid, void** out) {
    return Answer(reinterpret_cast<Event*>(self), riid, out, {&IID_IDispatch, &kHtmlEventObj});
}
ULONG STDMETHODCALLTYPE EventAddRef(IHTMLEventObj* self) { return AddRefOf(reinterpret_cast<Event*>(self)); }
ULONG STDMETHODCALLTYPE EventRelease(IHTMLEventObj* self) {
    auto* event = reinterpret_cast<Event*>(self);
    if (event->refs == 1) {
        event->state.source->lpVtbl->Release(event->state.source);
        ::VariantClear(&event->state.returnValue);
    }
    return ReleaseOf(event);
}
HRESULT STDMETHODCALLTYPE EventSource(IHTMLEventObj* self, IHTMLElement** out) {
    if (!out) return E_POINTER;
    *out = reinterpret_cast<Event*>(self)->state.source;
    (*out)->lpVtbl->AddRef(*out);
    return S_OK;
}
HRESULT STDMETHODCALLTYPE EventPutReturn(IHTMLEventObj* self, VARIANT value) {
    return ::VariantCopy(&reinterpret_cast<Event*>(self)->state.returnValue, &value);
}
HRESULT STDMETHODCALLTYPE EventGetReturn(IHTMLEventObj* self, VARIANT* out) {
    if (!out) return E_POINTER;
    ::VariantInit(out);
    return ::VariantCopy(out, &reinterpret_cast<Event*>(self)->state.returnValue);
}

const IHTMLEventObjVtbl* EventTable() {
    static const IHTMLEventObjVtbl table = [] {
        IHTMLEventObjVtbl t{};
        t.QueryInterface = EventQuery;
        t.AddRef = EventAddRef;
        t.Release = EventRelease;
        t.get_srcElement = EventSource;
        t.put_returnValue = EventPutReturn;
        t.get_returnValue = EventGetReturn;
        return t;
    }();
    return &table;
}

// ---- the document's connection point for HTMLDocumentEvents2
struct PointState {
    std::shared_ptr<StandInDocument::Shared> shared;
};
using Point = Object<IConnectionPointVtbl, PointState>;
constexpr DWORD kCookie = 0x51;

HRESULT STDMETHODCALLTYPE PointQuery(IConnectionPoint* self, REFIID riid, void** out) {
    return Answer(reinterpret_cast<Point*>(self), riid, out, {&IID_IConnectionPoint});
}
ULONG STDMETHODCALLTYPE PointAddRef(IConnectionPoint* self) { return AddRefOf(reinterpret_cast<Point*>(self)); }
ULONG STDMETHODCALLTYPE PointRelease(IConnectionPoint* self) { return ReleaseOf(reinterpret_cast<Point*>(self)); }
HRESULT STDMETHODCALLTYPE PointInterface(IConnectionPoint*, IID* out) {
    if (!out) return E_POINTER;
    *out = kHtmlDocumentEvents2;
    return S_OK;
}
// One sink at a time, as the product connects one; taken as the browser takes it, through
// its IDispatch.
HRESULT STDMETHODCALLTYPE PointAdvise(IConnectionPoint* self, IUnknown* sink, DWORD* cookie) {
    auto& shared = *reinterpret_cast<Point*>(self)->state.shared;
    if (!sink || !cookie) return E_POINTER;
    if (shared.sink) return CONNECT_E_ADVISELIMIT;
    IDispatch* dispatch = nullptr;
    if (FAILED(sink->lpVtbl->QueryInterface(sink, IID_IDispatch, reinterpret_cast<void**>(&dispatch))) || !dispatch) {
        return CONNECT_E_CANNOTCONNECT;
    }
    shared.sink = dispatch;
    *cookie = kCookie;
    return S_OK;
}
HRESULT STDMETHODCALLTYPE PointUnadvise(IConnectionPoint* self, DWORD cookie) {
    auto& shared = *reinterpret_cast<Point*>(self)->state.shared;
    if (cookie != kCookie || !shared.sink) return CONNECT_E_NOCONNECTION;
    IDispatch* sink = shared.sink;
    shared.sink = nullptr;
    sink->lpVtbl->Release(sink);
    return S_OK;
}

const IConnectionPointVtbl* PointTable() {
    static const IConnectionPointVtbl table = [] {
        IConnectionPointVtbl t{};
        t.QueryInterface = PointQuery;
        t.AddRef = PointAddRef;
        t.Release = PointRelease;
        t.GetConnectionInterface = PointInterface;
        t.Advise = PointAdvise;
        t.Unadvise = PointUnadvise;
        return t;
    }();
    return &table;
}

// ---- the document: a connection-point container, which also answers IHTMLDocument2 (and
// IDispatch, as the browser hands its document out) with an object of its own
using Document = Object<IConnectionPointContainerVtbl, PointState>;
struct HtmlDocumentState {
    IConnectionPointContainer* document;  // one reference: the identity
    std::shared_ptr<StandInDocument::Shared> shared;
};
using HtmlDocument = Object<IHTMLDocument2Vtbl, HtmlDocumentState>;

HRESULT STDMETHODCALLTYPE HtmlDocumentQuery(IHTMLDocument2* self, REFIID riid, void** out) {
    auto* html = reinterpret_cast<HtmlDocument*>(self);
    if (out && (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IConnectionPointContainer))) {
        return html->state.document->lpVtbl->QueryInterface(html->state.document, riid, out);
    }
    return Answer(html, riid, out, {&IID_IDispatch, &kHtmlDocument2});
}
ULONG STDMETHODCALLTYPE HtmlDocumentAddRef(IHTMLDocument2* self) { return AddRefOf(reinterpret_cast<HtmlDocument*>(self)); }
ULONG STDMETHODCALLTYPE HtmlDocumentRelease(IHTMLDocument2* self) {
    auto* html = reinterpret_cast<HtmlDocument*>(self);
    if (html->refs == 1) html->state.document->lpVtbl->Release(html->state.document);
    return ReleaseOf(html);
}
HRESULT STDMETHODCALLTYPE HtmlDocumentBody(IHTMLDocument2* self, IHTMLElement** out) {
    if (!out) return E_POINTER;
    *out = reinterpret_cast<IHTMLElement*>(
        NewObject<Element>(ElementTable(), ElementRef{reinterpret_cast<HtmlDocument*>(self)->state.shared, StandInDocument::kBody}));
    return S_OK;
}

const IHTMLDocument2Vtbl* HtmlDocumentTable() {
    static const IHTMLDocument2Vtbl table = [] {
        IHTMLDocument2Vtbl t{};
        t.QueryInterface = HtmlDocumentQuery;
        t.AddRef = HtmlDocumentAddRef;
        t.Release = HtmlDocumentRelease;
        t.get_body = HtmlDocumentBody;
        return t;
    }();
    return &table;
}

HRESULT STDMETHODCALLTYPE DocumentQuery(IConnectionPointContainer* self, REFIID riid, void** out) {
    auto* document = reinterpret_cast<Document*>(self);
    if (out && (IsEqualIID(riid, IID_IDispatch) || IsEqualIID(riid, kHtmlDocument2))) {
        AddRefOf(document);
        *out = NewObject<HtmlDocument>(HtmlDocumentTable(), HtmlDocumentState{self, document->state.shared});
        return S_OK;
    }
    return Answer(document, riid, out, {&IID_IConnectionPointContainer});
}
ULONG STDMETHODCALLTYPE DocumentAddRef(IConnectionPointContainer* self) {
    return AddRefOf(reinterpret_cast<Document*>(self));
}
ULONG STDMETHODCALLTYPE DocumentRelease(IConnectionPointContainer* self) {
    return ReleaseOf(reinterpret_cast<Document*>(self));
}
HRESULT STDMETHODCALLTYPE DocumentFindPoint(IConnectionPointContainer* self, REFIID riid, IConnectionPoint** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (!IsEqualIID(riid, kHtmlDocumentEvents2)) return CONNECT_E_NOCONNECTION;
    *out = reinterpret_cast<IConnectionPoint*>(NewObject<Point>(PointTable(), reinterpret_cast<Document*>(self)->state));
    return S_OK;
}

const IConnectionPointContainerVtbl* DocumentTable() {
    static const IConnectionPointContainerVtbl table = [] {
        IConnectionPointContainerVtbl t{};
        t.QueryInterface = DocumentQuery;
        t.AddRef = DocumentAddRef;
        t.Release = DocumentRelease;
        t.FindConnectionPoint = DocumentFindPoint;
        return t;
    }();
    return &table;
}
}  // namespace

StandInDocument::StandInDocument()
    : m_shared(std::make_shared<Shared>()),
      m_document(reinterpret_cast<IUnknown*>(NewObject<Document>(DocumentTable(), PointState{m_shared}))) {}

StandInDocument::~StandInDocument() { m_document->lpVtbl->Release(m_document); }

IUnknown* StandInDocument::NewReference() {
    m_document->lpVtbl->AddRef(m_document);
    return m_document;
}

int StandInDocument::AddElement(const StandInElement& element) {
    m_shared->elements.push_back(element);
    return static_cast<int>(m_shared->elements.size() - 1);
}

StandInElement& StandInDocument::Element(int number) {
    return number == kBody ? m_shared->body : m_shared->elements.at(static_cast<size_t>(number));
}

std::optional<bool> StandInDocument::Fire(long dispid, int element) {
    IDispatch* sink = m_shared->sink;
    if (!sink) return std::nullopt;
    auto* source = reinterpret_cast<IHTMLElement*>(NewObject<::Element>(ElementTable(), ElementRef{m_shared, element}));
    EventState state{source, {}};
    ::VariantInit(&state.returnValue);
    auto* event = reinterpret_cast<IHTMLEventObj*>(NewObject<Event>(EventTable(), state));
    VARIANT argument;
    ::VariantInit(&argument);
    argument.vt = VT_DISPATCH;
    argument.pdispVal = reinterpret_cast<IDispatch*>(event);
    DISPPARAMS params{&argument, nullptr, 1, 0};
    VARIANT result;
    ::VariantInit(&result);
    sink->lpVtbl->AddRef(sink);  // the sink may be disconnected inside its own call
    sink->lpVtbl->Invoke(sink, dispid, IID_NULL, 0, DISPATCH_METHOD, &params, &result, nullptr, nullptr);
    sink->lpVtbl->Release(sink);
    ::VariantClear(&result);
    const VARIANT& answer = reinterpret_cast<Event*>(event)->state.returnValue;
    const bool proceeds = !(answer.vt == VT_BOOL && answer.boolVal == VARIANT_FALSE);
    event->lpVtbl->Release(event);
    return proceeds;
}

int StandInDocument::Sinks() const { return m_shared->sink ? 1 : 0; }

long StandInDocument::LiveObjects() { return g_live; }
