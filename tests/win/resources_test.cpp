// The skin images, icons and dialog templates the windows load are in the executable.
#include "base/Handles.h"
#include "res/resource.h"
#include "support/Process.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <cstring>
#include <string>

namespace {
struct PngSize {
    int id;
    uint32_t width;
    uint32_t height;
};

const PngSize kImages[] = {
    {129, 1055, 738}, {131, 30, 51},  {132, 132, 28}, {133, 228, 23}, {134, 30, 51},  {135, 108, 28},
    {136, 108, 28},   {137, 108, 28}, {138, 108, 27}, {139, 176, 28}, {140, 567, 22}, {141, 39, 13},
    {142, 14, 16},    {143, 250, 191}, {144, 144, 14}, {145, 216, 22}, {146, 160, 212}, {147, 250, 167},
    {148, 108, 27},   {149, 108, 27}, {150, 316, 28}, {151, 316, 28}, {152, 390, 21}, {153, 390, 21},
    {162, 284, 150}, {163, 42, 12},
};

uint32_t BigEndian32(const unsigned char* p) {
    return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | p[3];
}

// The dialog template's size in dialog units (DLGTEMPLATEEX layout).
SIZE TemplateSize(int id) {
    HRSRC res = ::FindResourceW(nullptr, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(5));
    if (!res) return {0, 0};
    const auto* words = static_cast<const WORD*>(::LockResource(::LoadResource(nullptr, res)));
    if (words[0] != 1 || words[1] != 0xFFFF) return {-1, -1};  // not an extended template
    // dlgVer, signature, helpID(2), exStyle(2), style(2), cDlgItems, x, y, cx, cy
    return {static_cast<short>(words[11]), static_cast<short>(words[12])};
}
}  // namespace

TEST(Resources, EveryPngImageHasItsExactSize) {
    for (const PngSize& image : kImages) {
        HRSRC res = ::FindResourceW(nullptr, MAKEINTRESOURCEW(image.id), L"PNG");
        ASSERT_NE(res, nullptr) << image.id;
        ASSERT_GE(::SizeofResource(nullptr, res), 24u);
        const auto* bytes = static_cast<const unsigned char*>(::LockResource(::LoadResource(nullptr, res)));
        ASSERT_EQ(std::memcmp(bytes, "\x89PNG\r\n\x1a\n", 8), 0) << image.id;
        EXPECT_EQ(BigEndian32(bytes + 16), image.width) << image.id;
        EXPECT_EQ(BigEndian32(bytes + 20), image.height) << image.id;
    }
}

TEST(Resources, DialogTemplatesHaveTheirSizes) {
    // The settings dialog is 60 units taller than its three-key form: the screenshot key's row.
    const struct {
        int id;
        LONG cx, cy;
    } templates[] = {{IDD_MAIN, 389, 246},     {IDD_MESSAGE_BOX, 316, 183}, {IDD_UPDATE, 281, 71},
                     {IDD_LOGIN, 593, 407},    {IDD_SETTINGS, 206, 293},    {IDD_FAVORITE, 316, 97},
                     {IDD_NOTICE, 196, 122},   {IDD_ADD_ACCOUNT, 189, 92}};
    for (const auto& t : templates) {
        const SIZE size = TemplateSize(t.id);
        EXPECT_EQ(size.cx, t.cx) << t.id;
        EXPECT_EQ(size.cy, t.cy) << t.id;
    }
}

TEST(Resources, IconsLoadAtSmallAndLargeSizes) {
    for (int id : {IDR_MAINFRAME, IDI_FAVORITE}) {
        for (int size : {16, 32}) {
            HICON icon = static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_ICON,
                                                         size, size, 0));
            EXPECT_NE(icon, nullptr) << id << " at " << size;
            if (icon) ::DestroyIcon(icon);
        }
    }
}

// Nothing the launcher does needs an administrator: it asks for no more than the player's
// own rights, so no page it shows runs elevated and no UAC question comes at each start.
TEST(Resources, TheLauncherRunsWithThePlayersOwnRights) {
    const UniqueLibrary product(::LoadLibraryExW(ProductPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    ASSERT_TRUE(product);
    HRSRC res = ::FindResourceW(product.Get(), MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));  // RT_MANIFEST
    ASSERT_NE(res, nullptr);
    const char* data = static_cast<const char*>(::LockResource(::LoadResource(product.Get(), res)));
    ASSERT_NE(data, nullptr);
    const std::string manifest(data, ::SizeofResource(product.Get(), res));
    EXPECT_NE(manifest.find("<requestedExecutionLevel level=\"asInvoker\""), std::string::npos) << manifest;
    EXPECT_EQ(manifest.find("requireAdministrator"), std::string::npos);
    EXPECT_EQ(manifest.find("highestAvailable"), std::string::npos);
}
