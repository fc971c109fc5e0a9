#include "gameview/GameProcess.h"

#include "base/Config.h"
#include "gameview/rules/GamePage.h"

bool GameProcess::IsShowingDefaultPage() const { return IsDefaultGamePage(m_strGameUrl, config::kClientHost); }

GameProcess& TheGameProcess() {
    static GameProcess process{nullptr, 0, DefaultGamePageUrl(config::kClientHost)};
    return process;
}
