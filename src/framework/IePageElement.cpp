#include "framework/IePageElement.h"

std::wstring IePageElement::ClassName() const {
    Bstr name;
    if (FAILED(m_element->get_className(name.Put()))) return {};
    return name.Text();
}

std::wstring IePageElement::TagName() const {
    Bstr name;
    if (FAILED(m_element->get_tagName(name.Put()))) return {};
    return name.Text();
}

std::optional<RECT> IePageElement::OffsetRect() const {
    long left = 0, top = 0, width = 0, height = 0;
    if (FAILED(m_element->get_offsetLeft(&left)) || FAILED(m_element->get_offsetTop(&top)) ||
        FAILED(m_element->get_offsetWidth(&width)) || FAILED(m_element->get_offsetHeight(&height))) {
        return std::nullopt;
    }
    return RECT{left, top, left + width, top + height};
}

bool IePageElement::IsDisabled() const {
    Bstr name(L"disabled");
    if (!name.Get()) return false;
    VARIANT value;
    ::VariantInit(&value);
    const bool disabled = SUCCEEDED(m_element->getAttribute(name.Get(), 0, &value)) && value.vt == VT_BOOL &&
                          value.boolVal == VARIANT_TRUE;
    ::VariantClear(&value);
    return disabled;
}

bool IePageElement::SetBackgroundPositionX(long x) {
    ComPtr<IHTMLStyle> style;
    if (FAILED(m_element->get_style(style.Put())) || !style) return false;
    VARIANT value;
    ::VariantInit(&value);
    value.vt = VT_I4;
    value.lVal = x;
    return SUCCEEDED(style->put_backgroundPositionX(value));
}

void IePageElement::Click() { m_element->click(); }
