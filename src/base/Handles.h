// Move-only owners for every kind of handle the launcher touches. Each owner closes its
// handle exactly once with the platform call that matches how it was obtained.
#pragma once
#include <windows.h>
#include <objbase.h>
#include <commctrl.h>
#include <oleauto.h>
#include <wincrypt.h>

#include <string>
#include <utility>

template <class Traits>
class UniqueResource {
public:
    using Handle = typename Traits::Handle;

    UniqueResource() noexcept = default;
    explicit UniqueResource(Handle h) noexcept : m_h(h) {}
    UniqueResource(UniqueResource&& other) noexcept : m_h(other.Release()) {}
    UniqueResource& operator=(UniqueResource&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }
    UniqueResource(const UniqueResource&) = delete;
    UniqueResource& operator=(const UniqueResource&) = delete;
    ~UniqueResource() { Reset(); }

    [[nodiscard]] Handle Get() const noexcept { return m_h; }
    [[nodiscard]] bool IsValid() const noexcept { return m_h != Traits::Invalid(); }
    explicit operator bool() const noexcept { return IsValid(); }

    [[nodiscard]] Handle Release() noexcept {
        Handle h = m_h;
        m_h = Traits::Invalid();
        return h;
    }
    void Reset(Handle h = Traits::Invalid()) noexcept {
        if (m_h != Traits::Invalid()) Traits::Close(m_h);
        m_h = h;
    }

private:
    Handle m_h = Traits::Invalid();
};

namespace handle_traits {
struct Kernel {
    using Handle = HANDLE;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { ::CloseHandle(h); }
};
struct File {
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { ::CloseHandle(h); }
};
struct Library {
    using Handle = HMODULE;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { ::FreeLibrary(h); }
};
struct RegKey {
    using Handle = HKEY;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { ::RegCloseKey(h); }
};
struct MemoryDC {
    using Handle = HDC;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { ::DeleteDC(h); }
};
template <class T>
struct GdiObject {
    using Handle = T;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { ::DeleteObject(h); }
};
struct Icon {
    using Handle = HICON;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { ::DestroyIcon(h); }
};
struct Menu {
    using Handle = HMENU;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { ::DestroyMenu(h); }
};
struct ImageList {
    using Handle = HIMAGELIST;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { ::ImageList_Destroy(h); }
};
struct Hook {
    using Handle = HHOOK;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { ::UnhookWindowsHookEx(h); }
};
struct Region {
    using Handle = HRGN;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { ::DeleteObject(h); }
};
struct FileFind {  // FindFirstFile
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { ::FindClose(h); }
};
struct VirtualMemory {  // a whole VirtualAlloc reservation
    using Handle = void*;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { ::VirtualFree(h, 0, MEM_RELEASE); }
};
struct CryptProvider {
    using Handle = HCRYPTPROV;
    static Handle Invalid() { return 0; }
    static void Close(Handle h) { ::CryptReleaseContext(h, 0); }
};
struct CryptKey {
    using Handle = HCRYPTKEY;
    static Handle Invalid() { return 0; }
    static void Close(Handle h) { ::CryptDestroyKey(h); }
};
struct CryptHash {
    using Handle = HCRYPTHASH;
    static Handle Invalid() { return 0; }
    static void Close(Handle h) { ::CryptDestroyHash(h); }
};
struct LocalMemory {  // what the system allocated for the caller with LocalAlloc
    using Handle = void*;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { ::LocalFree(h); }
};
}  // namespace handle_traits

using UniqueHandle = UniqueResource<handle_traits::Kernel>;
using UniqueFile = UniqueResource<handle_traits::File>;
using UniqueLibrary = UniqueResource<handle_traits::Library>;
using UniqueRegKey = UniqueResource<handle_traits::RegKey>;
using UniqueMemoryDC = UniqueResource<handle_traits::MemoryDC>;
using UniqueBitmap = UniqueResource<handle_traits::GdiObject<HBITMAP>>;
using UniqueFont = UniqueResource<handle_traits::GdiObject<HFONT>>;
using UniqueBrush = UniqueResource<handle_traits::GdiObject<HBRUSH>>;
using UniquePen = UniqueResource<handle_traits::GdiObject<HPEN>>;
using UniqueRegion = UniqueResource<handle_traits::Region>;
using UniqueIcon = UniqueResource<handle_traits::Icon>;
using UniqueMenu = UniqueResource<handle_traits::Menu>;
using UniqueImageList = UniqueResource<handle_traits::ImageList>;
using UniqueHook = UniqueResource<handle_traits::Hook>;
using UniqueVirtualMemory = UniqueResource<handle_traits::VirtualMemory>;
using UniqueFileFind = UniqueResource<handle_traits::FileFind>;
using UniqueCryptProvider = UniqueResource<handle_traits::CryptProvider>;
using UniqueCryptKey = UniqueResource<handle_traits::CryptKey>;
using UniqueCryptHash = UniqueResource<handle_traits::CryptHash>;
using UniqueLocalMemory = UniqueResource<handle_traits::LocalMemory>;

// A device context borrowed from a window with GetDC; released on scope exit.
class WindowDC {
public:
    explicit WindowDC(HWND hwnd) noexcept : m_hwnd(hwnd), m_hdc(::GetDC(hwnd)) {}
    ~WindowDC() {
        if (m_hdc) ::ReleaseDC(m_hwnd, m_hdc);
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    [[nodiscard]] HDC Get() const noexcept { return m_hdc; }

private:
    HWND m_hwnd;
    HDC m_hdc;
};

// BeginPaint/EndPaint pair for a WM_PAINT handler.
class PaintDC {
public:
    explicit PaintDC(HWND hwnd) noexcept : m_hwnd(hwnd) { ::BeginPaint(hwnd, &m_ps); }
    ~PaintDC() { ::EndPaint(m_hwnd, &m_ps); }
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;
    [[nodiscard]] HDC Get() const noexcept { return m_ps.hdc; }
    [[nodiscard]] const PAINTSTRUCT& Info() const noexcept { return m_ps; }

private:
    HWND m_hwnd;
    PAINTSTRUCT m_ps{};
};

// Selects a GDI object into a DC and puts the previous one back on scope exit.
class SelectScope {
public:
    SelectScope(HDC hdc, HGDIOBJ obj) noexcept : m_hdc(hdc), m_old(obj ? ::SelectObject(hdc, obj) : nullptr) {}
    ~SelectScope() {
        if (m_old) ::SelectObject(m_hdc, m_old);
    }
    SelectScope(const SelectScope&) = delete;
    SelectScope& operator=(const SelectScope&) = delete;

private:
    HDC m_hdc;
    HGDIOBJ m_old;
};

// COM interface pointer with one reference owned.
template <class T>
class ComPtr {
public:
    ComPtr() noexcept = default;
    ComPtr(std::nullptr_t) noexcept {}
    // Adopts a reference the caller already owns.
    static ComPtr Adopt(T* p) noexcept {
        ComPtr c;
        c.m_p = p;
        return c;
    }
    ComPtr(const ComPtr& o) noexcept : m_p(o.m_p) {
        if (m_p) m_p->AddRef();
    }
    ComPtr(ComPtr&& o) noexcept : m_p(std::exchange(o.m_p, nullptr)) {}
    ComPtr& operator=(ComPtr o) noexcept {
        std::swap(m_p, o.m_p);
        return *this;
    }
    ~ComPtr() { Reset(); }

    void Reset() noexcept {
        if (m_p) std::exchange(m_p, nullptr)->Release();
    }
    [[nodiscard]] T* Get() const noexcept { return m_p; }
    T* operator->() const noexcept { return m_p; }
    explicit operator bool() const noexcept { return m_p != nullptr; }
    // For out-parameters: releases the current pointer first.
    T** Put() noexcept {
        Reset();
        return &m_p;
    }
    void** PutVoid() noexcept { return reinterpret_cast<void**>(Put()); }

private:
    T* m_p = nullptr;
};

// An owned BSTR.
class Bstr {
public:
    Bstr() noexcept = default;
    explicit Bstr(const std::wstring& text)
        : m_b(::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}
    ~Bstr() { ::SysFreeString(m_b); }
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    [[nodiscard]] BSTR Get() const noexcept { return m_b; }
    BSTR* Put() noexcept {
        ::SysFreeString(m_b);
        m_b = nullptr;
        return &m_b;
    }
    [[nodiscard]] std::wstring Text() const { return m_b ? std::wstring(m_b, ::SysStringLen(m_b)) : std::wstring(); }

private:
    BSTR m_b = nullptr;
};

// COM (or OLE) initialised for the current thread for the scope's life.
class ComScope {
public:
    ComScope() noexcept : m_ok(SUCCEEDED(::CoInitialize(nullptr))) {}
    ~ComScope() {
        if (m_ok) ::CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;
    [[nodiscard]] bool Ok() const noexcept { return m_ok; }

private:
    bool m_ok;
};
