// CDocument: the data side of a single-document set. The launcher's documents hold nothing;
// the class exists so the frame, view and document meet as one set.
#pragma once
#include <windows.h>

class CDocument {
public:
    CDocument() noexcept = default;
    virtual ~CDocument() = default;
    CDocument(const CDocument&) = delete;
    CDocument& operator=(const CDocument&) = delete;

    virtual BOOL OnNewDocument() { return TRUE; }
};
