// Stands for a browser control's active object: counts its references and records what the
// frame tells it of the frame window's activation.
#pragma once
#include <windows.h>
#include <ole2.h>

#include <vector>

class RecordingActiveObject final : public IOleInPlaceActiveObject {
public:
    std::vector<BOOL> frameActivations;
    ULONG refs = 1;

    STDMETHODIMP QueryInterface(REFIID riid, void** object) override {
        if (!object) return E_POINTER;
        *object = nullptr;
        if (riid != IID_IUnknown && riid != IID_IOleWindow && riid != IID_IOleInPlaceActiveObject) return E_NOINTERFACE;
        *object = static_cast<IOleInPlaceActiveObject*>(this);
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++refs; }
    STDMETHODIMP_(ULONG) Release() override { return --refs; }
    STDMETHODIMP GetWindow(HWND* hwnd) override {
        if (hwnd) *hwnd = nullptr;
        return E_FAIL;
    }
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP TranslateAccelerator(LPMSG) override { return S_FALSE; }
    STDMETHODIMP OnFrameWindowActivate(BOOL active) override {
        frameActivations.push_back(active);
        return S_OK;
    }
    STDMETHODIMP OnDocWindowActivate(BOOL) override { return S_OK; }
    STDMETHODIMP ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) override { return S_OK; }
    STDMETHODIMP EnableModeless(BOOL) override { return S_OK; }
};
