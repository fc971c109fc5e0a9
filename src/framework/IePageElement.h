// A page element of Internet Explorer's document behind the PageElement interface.
#pragma once
#include "base/Handles.h"
#include "framework/Browser.h"

#include <mshtml.h>

class IePageElement final : public PageElement {
public:
    explicit IePageElement(ComPtr<IHTMLElement> element) noexcept : m_element(std::move(element)) {}

    std::wstring ClassName() const override;
    std::wstring TagName() const override;
    std::optional<RECT> OffsetRect() const override;
    bool IsDisabled() const override;
    bool SetBackgroundPositionX(long x) override;
    void Click() override;

private:
    ComPtr<IHTMLElement> m_element;
};
