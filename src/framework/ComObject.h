// The IUnknown and IDispatch plumbing the launcher's own COM objects share: a reference count
// that starts at one (the creator's) and deletes the object at zero, and for event sinks an
// IDispatch without type information or names. Each object answers QueryInterface itself.
#pragma once
#include <windows.h>
#include <oaidl.h>

template <class... Interfaces>
class ComObject : public Interfaces... {
public:
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(::InterlockedIncrement(&m_refs)); }
    STDMETHODIMP_(ULONG) Release() override {
        const LONG refs = ::InterlockedDecrement(&m_refs);
        if (refs == 0) delete this;
        return static_cast<ULONG>(refs);
    }

protected:
    ComObject() noexcept = default;
    virtual ~ComObject() = default;
    ComObject(const ComObject&) = delete;
    ComObject& operator=(const ComObject&) = delete;

private:
    LONG m_refs = 1;
};

// An event sink: IDispatch (and any further interfaces) whose Invoke the sink writes; callers
// find members by their DISPIDs, never by name.
template <class... Interfaces>
class ComEventSink : public ComObject<Interfaces..., IDispatch> {
public:
    STDMETHODIMP GetTypeInfoCount(UINT* count) override {
        if (count) *count = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
        if (info) *info = nullptr;
        return E_NOTIMPL;
    }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
};
