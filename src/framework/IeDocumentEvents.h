// The page's DOM events from Internet Explorer: a sink on the loaded document's
// HTMLDocumentEvents2 that hands each event's source element to BrowserEvents::OnPageEvent
// and turns a cancel into the event's return value false.
//
// Reference counting: the sink starts with one reference, owned by IeBrowser; the document
// holds another while connected. Disconnect gives that one back. The sink is counted in
// LiveBrowserSites() like the site, so a leak shows.
#pragma once
#include "base/Handles.h"
#include "framework/ComObject.h"

#include <windows.h>
#include <mshtml.h>
#include <ocidl.h>

class BrowserEvents;

class IeDocumentEvents final : public ComEventSink<> {
public:
    static IeDocumentEvents* New(BrowserEvents* events) noexcept;
    void Detach() noexcept { m_events = nullptr; }
    // Connects to the document (unless it is the one already connected); the previous
    // document's connection is dropped.
    void Connect(IUnknown* document) noexcept;
    void Disconnect() noexcept;

    STDMETHODIMP QueryInterface(REFIID riid, void** object) override;
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT* result, EXCEPINFO*,
                        UINT*) override;

private:
    explicit IeDocumentEvents(BrowserEvents* events) noexcept;
    ~IeDocumentEvents() override;

    BrowserEvents* m_events;
    ComPtr<IUnknown> m_document;
    ComPtr<IConnectionPoint> m_point;
    DWORD m_cookie = 0;
};
