// "添加收藏": saves the current game page as an Internet Explorer favourite under a name
// the user can edit (the page title at first). A plain system dialog, run modally by the
// game frame on Ctrl+D.
#pragma once
#include "framework/Controls.h"
#include "framework/Dialog.h"

#include <string>

class FavoriteDialog : public CDialog {
public:
    FavoriteDialog(const std::wstring& name, const std::wstring& url, HWND owner);

    BOOL OnInitDialog() override;
    // Closes the dialog, then writes Favorites\<name>.url. Nothing is shown either way.
    void OnOK() override;

protected:
    void DoDataExchange() override;

private:
    std::wstring m_strName;   // the name proposed: the page title
    std::wstring m_strUrl;    // the page address
    std::wstring m_strTitle;  // kept for a name the user empties
    CEdit m_editName;
};
