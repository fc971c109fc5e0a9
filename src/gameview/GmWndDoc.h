// The game page's document: it holds nothing.
#pragma once
#include "framework/Document.h"

class CGmWndDoc : public CDocument {
public:
    BOOL OnNewDocument() override { return CDocument::OnNewDocument(); }
};
