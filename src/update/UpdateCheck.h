// Whether the operator publishes another executable, with the daily gate in the registry.
#pragma once

bool IsUpdateAvailable(bool force);
void WriteUpdTime();
void WriteDisableDays();
