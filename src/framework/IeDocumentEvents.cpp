#include "framework/IeDocumentEvents.h"

#include "framework/Browser.h"
#include "framework/IeInterfaceIds.h"
#include "framework/IePageElement.h"

#include <new>

void CountBrowserHostObject(int delta) noexcept;  // IeBrowserSite.cpp

IeDocumentEvents* IeDocumentEvents::New(BrowserEvents* events) noexcept {
    return new (std::nothrow) IeDocumentEvents(events);
}

IeDocumentEvents::IeDocumentEvents(BrowserEvents* events) noexcept : m_events(events) { CountBrowserHostObject(1); }

IeDocumentEvents::~IeDocumentEvents() { CountBrowserHostObject(-1); }

void IeDocumentEvents::Connect(IUnknown* document) noexcept {
    if (!document) return;
    ComPtr<IUnknown> identity;
    if (FAILED(document->QueryInterface(IID_IUnknown, identity.PutVoid()))) return;
    if (identity.Get() == m_document.Get()) return;
    Disconnect();
    ComPtr<IConnectionPointContainer> container;
    if (FAILED(identity->QueryInterface(IID_IConnectionPointContainer, container.PutVoid())) ||
        FAILED(container->FindConnectionPoint(kHtmlDocumentEvents2, m_point.Put())) ||
        FAILED(m_point->Advise(this, &m_cookie))) {
        m_point.Reset();
        m_cookie = 0;
        return;
    }
    m_document = identity;
}

void IeDocumentEvents::Disconnect() noexcept {
    if (m_point) m_point->Unadvise(m_cookie);
    m_point.Reset();
    m_cookie = 0;
    m_document.Reset();
}

STDMETHODIMP IeDocumentEvents::QueryInterface(REFIID riid, void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (riid != IID_IUnknown && riid != IID_IDispatch && riid != kHtmlDocumentEvents2) return E_NOINTERFACE;
    *object = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
}

STDMETHODIMP IeDocumentEvents::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT* result, EXCEPINFO*,
                                      UINT*) {
    // Every HTMLDocumentEvents2 member carries the event object as its only argument.
    if (!m_events || !params || params->cArgs != 1 || !params->rgvarg) return S_OK;
    const VARIANT& arg = params->rgvarg[0];
    if (arg.vt != VT_DISPATCH || !arg.pdispVal) return S_OK;
    ComPtr<IHTMLEventObj> event;
    if (FAILED(arg.pdispVal->QueryInterface(__uuidof(IHTMLEventObj), event.PutVoid())) || !event) return S_OK;
    ComPtr<IHTMLElement> source;
    if (FAILED(event->get_srcElement(source.Put())) || !source) return S_OK;
    bool cancel = false;
    try {  // the listener may not throw into the browser
        cancel = m_events->OnPageEvent(id, std::make_shared<IePageElement>(source));
    } catch (...) {
        return S_OK;
    }
    if (cancel) {
        VARIANT no;
        ::VariantInit(&no);
        no.vt = VT_BOOL;
        no.boolVal = VARIANT_FALSE;
        event->put_returnValue(no);
        if (result) {
            ::VariantInit(result);
            *result = no;
        }
    }
    return S_OK;
}
