#include "app/Shortcuts.h"

#include "app/SelfDelete.h"
#include "base/Handles.h"
#include "base/Paths.h"

#include <shlobj.h>
#include <shobjidl.h>

namespace {
constexpr wchar_t kLinkName[] = L"QuarnelHalvira";

std::wstring LinkPath(const std::wstring& folder, const std::wstring& name) { return folder + L"\\" + name + L".lnk"; }

std::wstring ProgramsFolder() {
    const std::wstring programs = ShellFolder(CSIDL_PROGRAMS);
    return programs.empty() ? programs : programs + L"\\" + kProgramsFolderName;
}
}  // namespace

bool CreateShellLink(const std::wstring& target, const wchar_t* description, const std::wstring& linkPath,
                     const std::wstring& arguments) {
    if (linkPath.empty()) return false;
    ComPtr<IShellLinkW> link;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.PutVoid()))) {
        return false;
    }
    link->SetPath(target.c_str());
    link->SetIconLocation(target.c_str(), 0);
    link->SetArguments(arguments.c_str());
    if (description && *description) link->SetDescription(description);
    const size_t slash = target.find_last_of(L"\\/");
    link->SetWorkingDirectory(slash == std::wstring::npos ? L"" : target.substr(0, slash).c_str());
    ComPtr<IPersistFile> file;
    return SUCCEEDED(link->QueryInterface(IID_IPersistFile, file.PutVoid())) &&
           SUCCEEDED(file->Save(linkPath.c_str(), TRUE));
}

bool CreateDesktopShortcut(const std::wstring& target) {
    if (!PathExists(target)) return false;
    const std::wstring desktop = ShellFolder(CSIDL_DESKTOPDIRECTORY);
    if (desktop.empty()) return false;
    // An older layout put the link beside the documents folder, under the desktop's name.
    const std::wstring documents = ShellFolder(CSIDL_PERSONAL);
    const size_t docSlash = documents.rfind(L'\\');
    const size_t deskSlash = desktop.rfind(L'\\');
    if (docSlash != std::wstring::npos && deskSlash != std::wstring::npos) {
        ::DeleteFileW(LinkPath(documents.substr(0, docSlash) + desktop.substr(deskSlash), kLinkName).c_str());
    }
    return CreateShellLink(target, kLinkName, LinkPath(desktop, kLinkName), L"/TovD");
}

bool CreateProgramsShortcut(const std::wstring& arguments, const std::wstring& target, const std::wstring& name) {
    if (name.empty() || !PathExists(target)) return false;
    const std::wstring folder = ProgramsFolder();
    if (folder.empty()) return false;
    ::CreateDirectoryW(folder.c_str(), nullptr);
    return CreateShellLink(target, nullptr, LinkPath(folder, name), arguments);
}

bool DeleteDesktopShortcut(const std::wstring& name) {
    const std::wstring desktop = ShellFolder(CSIDL_DESKTOPDIRECTORY);
    return !desktop.empty() && ::DeleteFileW(LinkPath(desktop, name).c_str());
}

bool DeleteProgramsShortcut(const std::wstring& name) {
    const std::wstring folder = ProgramsFolder();
    return !folder.empty() && ::DeleteFileW(LinkPath(folder, name).c_str());
}

bool RemoveShortcuts() {
    const ComScope com;
    DeleteDesktopShortcut(L"Quarnel网页游戏");
    DeleteDesktopShortcut(kLinkName);
    DeleteProgramsShortcut(kLinkName);
    DeleteProgramsShortcut(L"卸载 QuarnelHalvira");
    const std::wstring folder = ProgramsFolder();
    if (!folder.empty() && CountFiles(folder) == 0) ::RemoveDirectoryW(folder.c_str());
    return true;
}
