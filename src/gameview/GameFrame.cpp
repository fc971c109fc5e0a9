#include "gameview/GameFrame.h"

// Not built yet: the game frame arrives with its own step.
bool CreateGameFrame() { return false; }
