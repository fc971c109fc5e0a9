// The game page's document: the page's title and address as the view last saw them, read by
// the favourites dialog.
#pragma once
#include "framework/Document.h"

#include <string>

class GamePageState : public CDocument {
public:
    BOOL OnNewDocument() override { return CDocument::OnNewDocument(); }

    std::wstring m_strPageTitle;  // written whenever the page title changes
    std::wstring m_strPageUrl;    // written whenever a navigation has completed
};
