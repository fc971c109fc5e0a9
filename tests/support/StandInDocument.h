// A stand-in for Internet Explorer's HTML document at the interface level, so that the
// product's real browser path (the document-event sink, the page-element wrapper, the page
// dialogs' event maps) runs here, where Wine has no HTML engine: the document's connection
// point for HTMLDocumentEvents2, elements with class, tag, offset box, "disabled", a style
// with its background offset and click(), and event objects with their source element and a
// return value the sink may set to false.
//
// Only what the product calls is there; anything else it calls is a null entry of the
// interface's table, so a call the stand-in does not know ends the test loudly.
#pragma once
#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

struct StandInElement {
    std::wstring className;
    std::wstring tagName;
    RECT offset{};
    bool disabled = false;
    std::optional<long> backgroundX;  // the style's background-position-x, once set
    int clicks = 0;
    // The body only: its "scroll" attribute as last set, and its scroll size.
    std::wstring scroll;
    SIZE scrollSize{};
};

class StandInDocument {
public:
    StandInDocument();
    ~StandInDocument();
    StandInDocument(const StandInDocument&) = delete;
    StandInDocument& operator=(const StandInDocument&) = delete;

    // The document's IUnknown, with one reference owned by the caller.
    IUnknown* NewReference();
    // Adds an element; its number for Fire and Element.
    int AddElement(const StandInElement& element);
    StandInElement& Element(int number);
    // The document's body (IHTMLDocument2::get_body), an element of its own.
    static constexpr int kBody = -1;

    // Fires an HTMLDocumentEvents2 event (its dispid) with the element as its source to the
    // connected sink, as the document does: false when the sink set the event's return value
    // to false (the default action cancelled), true otherwise; nothing without a sink.
    std::optional<bool> Fire(long dispid, int element);
    // The sinks connected now.
    [[nodiscard]] int Sinks() const;
    // The stand-in's COM objects alive now (document, connection point, elements, styles,
    // event objects): what is left after every reference was given back shows a leak.
    [[nodiscard]] static long LiveObjects();

    struct Shared;  // the document's state, kept by each of its objects

private:
    std::shared_ptr<Shared> m_shared;
    IUnknown* m_document;  // one reference of its own
};
