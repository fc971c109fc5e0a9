#include "features/FavoriteDialog.h"

#include "features/FavoriteFile.h"
#include "res/resource.h"

FavoriteDialog::FavoriteDialog(const std::wstring& name, const std::wstring& url, HWND owner)
    : CDialog(IDD_FAVORITE, owner), m_strName(name), m_strUrl(url), m_strTitle(name) {}

void FavoriteDialog::DoDataExchange() { BindControl(IDC_EDIT_FAV_NAME, m_editName); }

BOOL FavoriteDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    m_editName.SetWindowText(m_strName.c_str());
    CenterWindow();  // the template has no position of its own
    return TRUE;
}

void FavoriteDialog::OnOK() {
    // Ends the modal loop; the window and its edit stay readable until DoModal returns.
    CDialog::OnOK();
    m_strName = m_editName.GetWindowText();
    SaveFavorite(m_strName, m_strTitle, m_strUrl);
}
