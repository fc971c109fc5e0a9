// Internet Explorer's optical zoom as the launcher asks for it, against a stand-in for the
// control's command target (Wine here has no HTML engine to zoom).
#include "framework/IeZoom.h"

#include <gtest/gtest.h>

namespace {
struct StandInTarget : IOleCommandTarget {
    DWORD status = OLECMDF_SUPPORTED | OLECMDF_ENABLED;
    HRESULT execResult = S_OK;
    ULONG queriedCommand = 0;
    int execs = 0;
    DWORD execCommand = 0, execOption = 0;
    bool groupNull = false;
    VARIANT argument{};

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE QueryStatus(const GUID* group, ULONG count, OLECMD* commands, OLECMDTEXT*) override {
        if (group || count != 1) return E_INVALIDARG;
        queriedCommand = commands[0].cmdID;
        commands[0].cmdf = status;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Exec(const GUID* group, DWORD command, DWORD option, VARIANT* in, VARIANT*) override {
        ++execs;
        groupNull = group == nullptr;
        execCommand = command;
        execOption = option;
        if (in) argument = *in;
        return execResult;
    }
};
}  // namespace

TEST(IeZoom, TheControlIsAskedForItsOpticalZoomWithoutAnyQuestionToThePage) {
    StandInTarget control;
    EXPECT_TRUE(OpticalZoomAvailable(&control));
    EXPECT_EQ(control.queriedCommand, 63u);  // OLECMDID_OPTICAL_ZOOM
    EXPECT_TRUE(SetOpticalZoom(&control, 125));
    EXPECT_TRUE(control.groupNull);
    EXPECT_EQ(control.execCommand, 63u);
    EXPECT_EQ(control.execOption, static_cast<DWORD>(OLECMDEXECOPT_DONTPROMPTUSER));
    EXPECT_EQ(control.argument.vt, VT_I4);
    EXPECT_EQ(control.argument.lVal, 125);
}

TEST(IeZoom, AControlWithoutItOrThatRefusesIsNoZoom) {
    StandInTarget control;
    control.status = OLECMDF_SUPPORTED;  // there, but not now
    EXPECT_FALSE(OpticalZoomAvailable(&control));
    control.status = 0;  // before Internet Explorer 7
    EXPECT_FALSE(OpticalZoomAvailable(&control));
    control.execResult = E_FAIL;
    EXPECT_FALSE(SetOpticalZoom(&control, 110));
    control.execs = 0;
    EXPECT_FALSE(SetOpticalZoom(&control, 0));
    EXPECT_EQ(control.execs, 0);
    EXPECT_FALSE(OpticalZoomAvailable(nullptr));
    EXPECT_FALSE(SetOpticalZoom(nullptr, 100));
}
