// The game page's document, frame and view, created as one single-document set.
#pragma once

// Creates the hidden game frame that joins the host window; false when it cannot be made.
bool CreateGameFrame();
