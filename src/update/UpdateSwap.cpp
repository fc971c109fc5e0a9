#include "update/UpdateSwap.h"

// Not built yet: the download and swap arrive with their own step.
bool DownloadAndSwap() { return false; }
