// The hot keys in the settings file beside the executable, and the reload broadcast.
#pragma once
#include "features/rules/HotKeys.h"

#include <string>

// "Statistic.ini" in the running executable's folder.
std::wstring LocalSettingsPath();
// The stored key of section "Tov", or its default when absent.
HotKey LoadHotKey(const wchar_t* iniKey, const wchar_t* defaultValue);
HotKey LoadHotKey(HotKeyField field);
// All four keys as the settings file holds them now.
HotKeySet LoadHotKeySet();
bool SaveHotKey(HotKeyField field, const HotKey& key);
// Tells every running main window (top-level "#32770" titled "QuarnelHalvira", at most 10)
// to reload its keys; returns how many were told.
int BroadcastHotKeyReload();
