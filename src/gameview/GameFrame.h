// The game page's document, frame and view, created as one single-document set, and the
// process-wide values of a game process that they share.
#pragma once
#include "features/rules/HotKeys.h"

#include <string>

class CGmWndView;

// The one game view, from its initial update on; null before and after.
extern CGmWndView* g_pGameView;
// This process's copies of the host's hot keys; all fields -1 until loaded.
extern HotKey g_frameKeyBoss;
extern HotKey g_frameKeySwitch;
extern HotKey g_frameKeySound;
extern HotKey g_frameKeyShot;

// Creates the hidden game frame that joins the host window; false when it cannot be made.
bool CreateGameFrame();
// Destroys the frame and its browser (before COM goes away); safe without a frame.
void DestroyGameFrame();
// Reads the three hot keys from the settings file into this process's copies.
void LoadFrameHotKeys();
