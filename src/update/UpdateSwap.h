// Downloads the published executable with progress and swaps it in place of this one.
#pragma once

bool DownloadAndSwap();
