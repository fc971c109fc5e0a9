// The game page's document, frame and view, created as one single-document set, and the
// process-wide values of a game process that they share.
#pragma once
#include <string>

class GamePageView;

// The one game view, from its initial update on; null before and after.
extern GamePageView* g_gamePageView;

// Creates the hidden game frame that joins the host window; false when it cannot be made.
bool CreateGameFrame();
// Destroys the frame and its browser (before COM goes away); safe without a frame.
void DestroyGameFrame();
