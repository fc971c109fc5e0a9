// Every network use of the launcher against every way the service can fail it. Whatever the
// service does, the launcher must not crash, must keep its window answering, must keep what it
// has stored, must not swap in a bad executable, and a start that only reports must end within
// its time-outs. Each cell's outcome is written to fault-matrix.tsv beside the tests
// (scripts/fault-table turns it into the README's table).
#include "app/rules/DumpPath.h"
#include "base/Config.h"
#include "base/Paths.h"
#include "base/rules/PathParts.h"
#include "support/Assertions.h"
#include "support/DevService.h"
#include "support/HttpSupport.h"
#include "support/Launcher.h"
#include "support/Process.h"
#include "support/Registry.h"
#include "support/Settings.h"
#include "update/FileDigest.h"
#include "update/UpdateRegistry.h"

#include <shlobj.h>
#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <iterator>
#include <tuple>
#include <vector>

namespace {

enum class Use { Check, Activity, VersionCheck, LoginReport, NoticeText, NoticePicture, Download, Install, Uninstall };

struct UseInfo {
    Use use;
    const char* name;  // as the table shows it
    const char* path;  // what the fault is put on
};
const UseInfo kUses[] = {
    {Use::Check, "connection check", "check"},
    {Use::Activity, "activity report", "/active.htm"},
    {Use::VersionCheck, "version check", "/update/ConfigTov.htm"},
    {Use::Download, "update download", "/update/QuarnelHalvira.exe"},
    {Use::LoginReport, "login report", "/login.htm"},
    {Use::NoticeText, "notice text", "/notice/tov.txt"},
    {Use::NoticePicture, "notice picture", "/notice/tovpic.png"},
    {Use::Install, "install report", "/install.htm"},
    {Use::Uninstall, "uninstall report", "/uninstall.htm"},
};
const char* const kFaults[] = {"down", "404", "500", "nolength", "chunked", "short", "trickle", "hang", "drop"};

const wchar_t kNetworkMessage[] = L"当前网络不可用，请检查网络连接是否正常！";

unsigned StoredCount(const std::wstring& ini, const wchar_t* key) { return static_cast<unsigned>(_wtoi(StoredSetting(ini, key).c_str())); }

// Hot keys and the notice's state are kept beside the executable; the usage counters in the
// install folder, whichever copy runs.
std::wstring CounterFile() { return GetInstallFolder() + L"\\Statistic.ini"; }

// The hot keys a user chose: they must come through every start untouched.
const wchar_t* const kHotKeyNames[] = {L"ShortKey", L"AltWndKey", L"SndKey"};
const wchar_t* const kChosenHotKeys[] = {L"3,120", L"1,87", L"4,83"};


class FaultMatrix : public ::testing::TestWithParam<std::tuple<int, const char*>> {
protected:
    const UseInfo& TheUse() const { return kUses[std::get<0>(GetParam())]; }
    std::string TheFault() const { return std::get<1>(GetParam()); }
    bool Slow() const { return TheFault() == "hang" || TheFault() == "trickle"; }

    void SetUp() override {
        devservice::ClearFaults();
        devservice::ResetRequests();
        ASSERT_FALSE(devservice::Get("/__control/set?update=none&key=&notice=none&noticecount=2").empty());
    }
    void TearDown() override {
        for (DWORD pid : m_started) KillProcessTree(pid);
        RestoreSettings();
        devservice::ClearFaults();
        devservice::SetNetworkUp(true);
        devservice::Get("/__control/set?update=none&key=&notice=none&noticecount=2");
        WriteOutcome();
    }

    // The fault on the use's path (the check listener switched off for "down": a listener
    // that is not there is what "down" means to a connection check).
    void PutFault() {
        if (TheUse().use == Use::Check && TheFault() == "down") {
            m_networkDown = std::make_unique<NetworkDownScope>();
        } else {
            ASSERT_TRUE(devservice::SetFault(TheUse().path, TheFault()));
        }
    }

    void Start(ChildProcess& process, const std::wstring& exe, const std::wstring& arguments) {
        m_log = FolderOf(exe) + L"\\QuarnelHalvira.log";
        m_logBefore = FileContent(m_log).size();
        m_dump = DumpPathForExecutable(exe);
        ::DeleteFileW(m_dump.c_str());
        m_startTick = ::GetTickCount();
        ASSERT_TRUE(process.Start(exe, arguments));
        m_started.push_back(process.Id());
    }
    double SecondsSinceStart() const { return (::GetTickCount() - m_startTick) / 1000.0; }

    // Until the service has seen the faulted request and the launcher has had the time to
    // deal with its failure (a hang or a trickle lasts a time-out), the window must answer
    // every second. False as soon as it does not.
    bool AnswersThroughTheFault(HWND window, DWORD pid) {
        return AnswersUntilSettled(window, pid, Slow() ? config::kTransferTimeoutMs + 2000 : 1500);
    }
    bool AnswersUntilSettled(HWND window, DWORD pid, DWORD settle) {
        const bool sawRequest = WaitUntil(
            [&] {
                if (!AnswersWithinASecond(window)) m_unanswered = true;
                return m_unanswered || !RecordedRequestsTo(TheUse().path).empty() || !ProcessAlive(pid);
            },
            kPatienceMs);
        const DWORD until = ::GetTickCount() + settle;
        while (!m_unanswered && ProcessAlive(pid) && static_cast<int>(until - ::GetTickCount()) > 0) {
            if (!AnswersWithinASecond(window)) m_unanswered = true;
            PumpMessagesFor(200);
        }
        return sawRequest && !m_unanswered;
    }

    // Support can tell what happened: the use left a line in the log beside the executable
    // that says how it failed (a connection check that passed leaves none).
    void ExpectTheLogNamesTheFault() {
        // A use's line reads "GET http://host:port/path: what came, time".
        const std::string path = TheUse().use == Use::Check ? std::string("no network") : std::string(TheUse().path) + ": ";
        std::string line;
        const bool found = WaitUntil(
            [&] {
                std::string text = FileContent(m_log);
                text = text.size() >= m_logBefore ? text.substr(m_logBefore) : text;
                for (size_t at = text.find(path); at != std::string::npos; at = text.find(path, at + 1)) {
                    const size_t begin = text.rfind('\n', at) == std::string::npos ? 0 : text.rfind('\n', at) + 1;
                    line = text.substr(begin, text.find('\n', at) - begin);
                    if (NamesTheFault(line)) return true;
                }
                return false;
            },
            TheUse().use == Use::Check ? 3000 : kPatienceMs);
        if (TheUse().use == Use::Check && TheFault() != "down") return;  // the check passed
        EXPECT_TRUE(found) << "no log line for " << path << " naming " << TheFault() << "; last seen: " << line;
    }
    bool NamesTheFault(const std::string& line) const {
        if (TheUse().use == Use::Check) return true;
        const std::string fault = TheFault();
        if (fault == "404" || fault == "500") return line.find("status " + fault) != std::string::npos;
        if (fault == "hang") return line.find("timed out") != std::string::npos;
        if (fault == "down") return line.find(": status ") == std::string::npos;  // no answer at all
        return true;  // the line says what came: a status and its bytes, cut short, or no length
    }

    void ExpectNoCrash(const ChildProcess& process, bool endsByItself) {
        if (endsByItself) {
            EXPECT_LT(process.ExitCode(), 0xC0000000u) << "the process ended with an exception";
        } else {
            EXPECT_TRUE(ProcessAlive(process.Id())) << "the launcher ended by itself";
        }
        EXPECT_FALSE(PathExists(m_dump)) << "a crash dump was written";
    }

    // The keys are chosen for this cell only: what the settings held before comes back in
    // tear-down, since every later test expects its own keys.
    void ChooseHotKeys(const std::wstring& ini) {
        for (size_t i = 0; i < 3; ++i) {
            m_restore.push_back(SavedValue{ini, kHotKeyNames[i], StoredSetting(ini, kHotKeyNames[i])});
            StoreSetting(ini, kHotKeyNames[i], kChosenHotKeys[i]);
        }
    }
    void RestoreSettings() {
        for (auto it = m_restore.rbegin(); it != m_restore.rend(); ++it) {
            StoreSetting(it->ini, it->key, it->value.empty() ? nullptr : it->value.c_str());
        }
        m_restore.clear();
    }
    void ExpectHotKeysKept(const std::wstring& ini) {
        for (size_t i = 0; i < 3; ++i) EXPECT_EQ(StoredSetting(ini, kHotKeyNames[i]), kChosenHotKeys[i]) << Utf8(kHotKeyNames[i]);
    }

    // A /TovD start: the connection check and the activity report.
    void RunShortcutStart() {
        const std::wstring ini = SettingsBeside(ProductPath());
        ChooseHotKeys(ini);
        const unsigned games = StoredCount(CounterFile(), L"Game");
        PutFault();
        ChildProcess launcher;
        Start(launcher, ProductPath(), L"/TovD");
        // The network message and the main window share class and title; what the window
        // says tells them apart once it has had a moment to fill in.
        HWND main = nullptr, box = nullptr;
        ASSERT_TRUE(WaitUntil([&] { return (main = WaitForMainWindow(launcher.Id(), 0)) != nullptr; }, kPatienceMs));
        const double seconds = SecondsSinceStart();
        PumpMessagesFor(500);
        if (WindowSays(main, kNetworkMessage)) std::swap(box, main);
        if (box) {
            ClickButton(box, L"确定");
            EXPECT_TRUE(launcher.WaitForExit(kPatienceMs));
            ExpectNoCrash(launcher, true);
            EXPECT_EQ(StoredCount(CounterFile(), L"Game"), games) << "a start that did not happen was counted";
            ExpectHotKeysKept(ini);
            Say("network message, ends", seconds);
            return;
        }
        if (TheUse().use == Use::Check) {
            EXPECT_TRUE(AnswersWithinASecond(main));
        } else {
            EXPECT_TRUE(AnswersThroughTheFault(main, launcher.Id()));
        }
        ExpectNoCrash(launcher, false);
        EXPECT_EQ(StoredCount(CounterFile(), L"Game"), games + 1);
        ExpectHotKeysKept(ini);
        Say("main window", seconds);
    }

    // An /update start of a copy with a newer build published: the version check and the download.
    void RunUpdateStart() {
        const std::wstring folder = TempFolder(L"fault_update");
        const std::wstring exe = folder + L"\\QuarnelHalvira.exe";
        ASSERT_TRUE(::CopyFileW(ProductPath().c_str(), exe.c_str(), FALSE));
        const std::wstring digest = FileMd5Hex(exe);
        ASSERT_FALSE(devservice::Get("/__control/set?update=published&key=00000000000000000000000000003001").empty());
        PutFault();
        ChildProcess launcher;
        Start(launcher, exe, L"/update");
        // The progress window (during the download) and then the main window must answer.
        HWND main = nullptr;
        bool answered = true;
        ASSERT_TRUE(WaitUntil(
            [&] {
                for (HWND hwnd : VisibleTopLevelWindowsOf(launcher.Id())) answered = answered && AnswersWithinASecond(hwnd);
                return (main = WaitForMainWindow(launcher.Id(), 0)) != nullptr || !ProcessAlive(launcher.Id());
            },
            kPatienceMs));
        const double seconds = SecondsSinceStart();
        ASSERT_NE(main, nullptr) << "no main window after a failed update";
        EXPECT_TRUE(answered);
        // The fault is behind it by now: the update stage ends before the main window.
        EXPECT_TRUE(AnswersUntilSettled(main, launcher.Id(), 1000));
        ExpectNoCrash(launcher, false);
        EXPECT_EQ(FileMd5Hex(exe), digest) << "the executable was replaced";
        EXPECT_FALSE(PathExists(folder + L"\\NewTov.exe"));
        EXPECT_FALSE(PathExists(folder + L"\\OldTov.exe"));
        const bool downloaded = !RecordedRequestsTo("/update/QuarnelHalvira.exe").empty();
        Say(downloaded ? "kept, main window" : "no download, main window", seconds);
    }

    // A main window that gets its first tab: the login report, then the notice.
    void RunFirstTab() {
        const std::wstring ini = SettingsBeside(ProductPath());
        const std::wstring picture = FolderOf(ProductPath()) + L"\\PopWnd.jpg";
        for (const wchar_t* key : {L"PopInfo", L"PopEnable"}) {
            m_restore.push_back(SavedValue{ini, key, StoredSetting(ini, key)});
            StoreSetting(ini, key, nullptr);
        }
        ::DeleteFileW(picture.c_str());
        ChooseHotKeys(ini);
        ASSERT_FALSE(devservice::Get("/__control/set?notice=pictext&noticecount=1&charset=utf8&noticekey=&noticepichost=&noticedelay=0").empty());
        const unsigned games = StoredCount(CounterFile(), L"Game");
        PutFault();
        ChildProcess launcher;
        Start(launcher, ProductPath(), L"/TovD");
        HWND main = WaitForMainWindow(launcher.Id(), kPatienceMs);
        ASSERT_NE(main, nullptr);
        // The launcher's own login process steps aside; this test plays the game frame.
        for (DWORD child : WaitForChildren(launcher.Id())) KillProcess(child);
        ASSERT_EQ(SendLoginRecord(main, L"s1-fault"), 1);
        FakeGameFrame frame;
        frame.Register(main);
        PumpMessagesFor(300);
        frame.PlaceInGameArea(main);
        const double seconds = SecondsSinceStart();
        EXPECT_TRUE(AnswersThroughTheFault(main, launcher.Id()));
        EXPECT_EQ(StoredCount(CounterFile(), L"Game"), games + 1);
        if (TheUse().use == Use::LoginReport) {
            ExpectNoCrash(launcher, false);
            ExpectHotKeysKept(ini);
            EXPECT_TRUE(::IsWindow(frame.Handle()) && ::GetParent(frame.Handle()) == main) << "the tab went away";
            Say("tab opens", seconds);
            return;
        }
        // The notice: shown or not, the window keeps answering and the choice stays stored.
        HWND notice = nullptr;
        WaitUntil([&] { return (notice = FindNotice(launcher.Id(), main)) != nullptr; }, 2000);
        ExpectNoCrash(launcher, false);
        EXPECT_TRUE(AnswersWithinASecond(main));
        ExpectHotKeysKept(ini);
        if (!notice) {
            EXPECT_EQ(StoredSetting(ini, L"PopInfo"), L"");
            Say("no notice", seconds);
        } else {
            EXPECT_EQ(StoredSetting(ini, L"PopEnable"), L"1");
            Say(PathExists(picture) ? "notice with picture" : "notice, no picture", seconds);
        }
    }

    // The download started from elsewhere installs itself, reports and ends.
    void RunInstall() {
        const std::wstring installed = GetInstallFolder() + L"\\QuarnelHalvira.exe";
        const std::wstring download = TempFolder(L"fault_install") + L"\\QuarnelHalvira.exe";
        ASSERT_TRUE(::CopyFileW(ProductPath().c_str(), download.c_str(), FALSE));
        const unsigned installs = StoredCount(CounterFile(), L"Inst");
        PutFault();
        ChildProcess installer;
        Start(installer, download, L"");
        const bool ended = installer.WaitForExit(kPatienceMs);
        const double seconds = SecondsSinceStart();
        for (DWORD child : ChildProcessesOf(installer.Id())) m_started.push_back(child);
        ASSERT_TRUE(ended);
        ExpectNoCrash(installer, true);
        EXPECT_LE(seconds, ReportOnlyBoundSeconds());
        EXPECT_TRUE(PathExists(installed));
        EXPECT_EQ(StoredCount(CounterFile(), L"Inst"), installs + 1);
        EXPECT_FALSE(RecordedRequestsTo("/install.htm").empty());
        Say("installs, ends", seconds);
    }

    // "/uninst" on an installed copy: asked, removed, reported, ended.
    void RunUninstall() {
        const std::wstring folder = GetInstallFolder();
        const std::wstring installed = folder + L"\\QuarnelHalvira.exe";
        ::SHCreateDirectoryExW(nullptr, folder.c_str(), nullptr);
        ASSERT_TRUE(::CopyFileW(ProductPath().c_str(), installed.c_str(), FALSE));
        const unsigned uninstalls = StoredCount(CounterFile(), L"UnInst");
        PutFault();
        ChildProcess uninstaller;
        Start(uninstaller, installed, L"/uninst");
        HWND question = WaitForMessageBox(uninstaller.Id(), nullptr, kPatienceMs);
        ASSERT_NE(question, nullptr);
        const DWORD answeredAt = ::GetTickCount();
        ClickButton(question, L"是");
        HWND done = nullptr;
        ASSERT_TRUE(WaitUntil([&] { return (done = WaitForMessageBox(uninstaller.Id(), question, 0)) != nullptr; }, kPatienceMs));
        ClickButton(done, L"确定");
        ASSERT_TRUE(uninstaller.WaitForExit(kPatienceMs));
        const double seconds = (::GetTickCount() - answeredAt) / 1000.0;
        ExpectNoCrash(uninstaller, true);
        EXPECT_LE(seconds, ReportOnlyBoundSeconds());
        EXPECT_EQ(StoredCount(CounterFile(), L"UnInst"), uninstalls + 1);
        // The executable goes once its process has ended; the next cell copies it again.
        EXPECT_TRUE(WaitUntil([&] { return !PathExists(installed); }, kPatienceMs));
        Say("removes, ends", seconds);
    }

    // A start that only reports: its report may take every time-out once, and the rest of
    // the start a few seconds on a loaded machine.
    static double ReportOnlyBoundSeconds() {
        return (config::kConnectTimeoutMs + 2 * config::kTransferTimeoutMs) / 1000.0 + 15.0;
    }

    static std::vector<DWORD> WaitForChildren(DWORD pid) {
        WaitUntil([&] { return !ChildProcessesOf(pid).empty(); }, kPatienceMs);
        return ChildProcessesOf(pid);
    }

    static HWND FindNotice(DWORD pid, HWND main) {
        for (HWND hwnd : VisibleTopLevelWindowsOf(pid)) {
            if (hwnd != main && ClassName(hwnd) == L"#32770" && (::GetWindowLongW(hwnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW)) return hwnd;
        }
        return nullptr;
    }

    void Say(const std::string& outcome, double seconds) {
        char text[160];
        std::snprintf(text, sizeof text, "%s %.1f s", outcome.c_str(), seconds);
        m_outcome = text;
    }

    // One line per cell: use, fault, outcome ("FAILED: ..." when an expectation did not hold).
    void WriteOutcome() const {
        static bool first = true;
        const std::wstring path = TestsDirectory() + L"\\fault-matrix.tsv";
        std::ofstream out(path.c_str(), first ? std::ios::trunc : std::ios::app);
        first = false;
        const std::string outcome = HasFailure() ? "FAILED" + (m_outcome.empty() ? "" : ": " + m_outcome)
                                                 : m_outcome;
        out << TheUse().name << '\t' << TheFault() << '\t' << outcome << '\n';
    }

    struct SavedValue {
        std::wstring ini;
        const wchar_t* key;
        std::wstring value;
    };
    std::vector<SavedValue> m_restore;
    std::vector<DWORD> m_started;
    std::unique_ptr<NetworkDownScope> m_networkDown;
    std::wstring m_dump;
    std::wstring m_log;
    size_t m_logBefore = 0;
    DWORD m_startTick = 0;
    bool m_unanswered = false;
    std::string m_outcome;
};

TEST_P(FaultMatrix, TheLauncherCopes) {
    switch (TheUse().use) {
        case Use::Check:
        case Use::Activity:
            RunShortcutStart();
            break;
        case Use::VersionCheck:
        case Use::Download:
            RunUpdateStart();
            break;
        case Use::LoginReport:
        case Use::NoticeText:
        case Use::NoticePicture:
            RunFirstTab();
            break;
        case Use::Install:
            RunInstall();
            break;
        case Use::Uninstall:
            RunUninstall();
            break;
    }
    if (!HasFatalFailure()) ExpectTheLogNamesTheFault();
}

// Releases signed every way but right, and right: an /update start of a copy with a build
// published under each. Nothing that is not signed right is downloaded (or, signed right but
// not the file the signature names, swapped in), and the start goes on to the main window; a
// build signed right takes the launcher's place and starts. Outcomes into release-signatures.tsv.
struct SignatureCase {
    const char* mode;  // the dev service's signature switch
    const char* name;  // as the table shows it
};
const SignatureCase kSignatures[] = {
    {"good", "signed by the release key, newer"},
    {"none", "no signature"},
    {"otherkey", "signed by another key"},
    {"altered", "signed, but the download is another file"},
    {"older", "signed, an older version"},
    {"otherstatement", "a signature over another statement"},
    {"malformed", "a malformed \"Sig\""},
    {"huge", "a 64 KiB \"Sig\""},
};

class SignedReleases : public ::testing::TestWithParam<int> {
protected:
    const SignatureCase& TheCase() const { return kSignatures[GetParam()]; }
    void SetUp() override {
        devservice::ClearFaults();
        devservice::ResetRequests();
        m_folder = TempFolder(L"signed_release");
        m_exe = m_folder + L"\\QuarnelHalvira.exe";
        ASSERT_TRUE(::CopyFileW(ProductPath().c_str(), m_exe.c_str(), FALSE));
        // A runnable program is published, so that one that is swapped in can be seen to start.
        const std::wstring published = TestsDirectory() + L"\\minimal_dialog.exe";
        m_publishedDigest = FileMd5Hex(published);
        ASSERT_NE(devservice::Request("POST", "/__control/exe", FileContent(published)).find("\"exe_uploaded\":true"),
                  std::string::npos);
        ASSERT_FALSE(devservice::Get(std::string("/__control/set?update=published&key=&signature=") + TheCase().mode).empty());
    }
    void TearDown() override {
        for (DWORD pid : m_started) KillProcessTree(pid);
        devservice::Request("DELETE", "/__control/exe", std::string());
        devservice::Get("/__control/set?update=none&key=&signature=good");
        const std::wstring path = TestsDirectory() + L"\\release-signatures.tsv";
        static bool first = true;
        std::ofstream out(path.c_str(), first ? std::ios::trunc : std::ios::app);
        first = false;
        out << TheCase().name << '\t' << (HasFailure() ? "FAILED" + (m_outcome.empty() ? "" : ": " + m_outcome) : m_outcome)
            << '\n';
    }
    std::wstring m_folder, m_exe, m_publishedDigest;
    std::vector<DWORD> m_started;
    std::string m_outcome;
    // What a swap writes, put back once the processes that write it have ended.
    RegValueRestore m_updTime{kUpdateRegistryRoot, kUpdateRegistryKey, L"UpdTime"};
    RegValueRestore m_pendingRenames{HKEY_LOCAL_MACHINE, L"SYSTEM\\CurrentControlSet\\Control\\Session Manager",
                                     L"PendingFileRenameOperations"};
};

TEST_P(SignedReleases, OnlyABuildSignedRightTakesThePlaceOfTheLauncher) {
    const std::wstring original = FileMd5Hex(m_exe);
    const std::wstring dump = DumpPathForExecutable(m_exe);
    ChildProcess launcher;
    ASSERT_TRUE(launcher.Start(m_exe, L"/update"));
    m_started.push_back(launcher.Id());
    HWND main = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (main = WaitForMainWindow(launcher.Id(), 0)) != nullptr || !ProcessAlive(launcher.Id()); },
                          kPatienceMs));
    const bool downloaded = !RecordedRequestsTo("/update/QuarnelHalvira.exe").empty();
    EXPECT_FALSE(PathExists(dump)) << "a crash dump was written";
    EXPECT_FALSE(PathExists(m_folder + L"\\NewTov.exe"));
    if (std::string(TheCase().mode) == "good") {
        // The old process hands over and ends; the published program runs under the launcher's name.
        ASSERT_TRUE(launcher.WaitForExit(kPatienceMs));
        EXPECT_EQ(FileMd5Hex(m_exe), m_publishedDigest);
        std::vector<DWORD> children;
        EXPECT_TRUE(WaitUntil([&] { return !(children = ChildProcessesOf(launcher.Id())).empty(); }, kPatienceMs));
        m_started.insert(m_started.end(), children.begin(), children.end());
        EXPECT_TRUE(!children.empty() && WaitForWindow(children[0], L"#32770", L"QuarnelHalvira", kPatienceMs));
        m_outcome = "swapped in, started";
        return;
    }
    ASSERT_NE(main, nullptr) << "no main window after a refused release";
    EXPECT_TRUE(AnswersWithinASecond(main));
    EXPECT_EQ(FileMd5Hex(m_exe), original) << "the executable was replaced";
    EXPECT_FALSE(PathExists(m_folder + L"\\OldTov.exe"));
    // Only a verified claim is downloaded at all; the file it names, then, is checked.
    EXPECT_EQ(downloaded, std::string(TheCase().mode) == "altered");
    m_outcome = downloaded ? "downloaded, refused, main window" : "nothing downloaded, main window";
}

std::string SignatureCaseName(const ::testing::TestParamInfo<int>& info) { return kSignatures[info.param].mode; }

INSTANTIATE_TEST_SUITE_P(Signatures, SignedReleases, ::testing::Range(0, static_cast<int>(std::size(kSignatures))),
                         SignatureCaseName);

std::string CellName(const ::testing::TestParamInfo<std::tuple<int, const char*>>& info) {
    std::string name = kUses[std::get<0>(info.param)].name;
    name += std::string("_") + std::get<1>(info.param);
    for (char& c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    }
    return name;
}

INSTANTIATE_TEST_SUITE_P(Cells, FaultMatrix,
                         ::testing::Combine(::testing::Range(0, static_cast<int>(std::size(kUses))),
                                            ::testing::ValuesIn(kFaults)),
                         CellName);

}  // namespace
