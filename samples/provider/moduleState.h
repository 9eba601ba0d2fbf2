#pragma once
// What the sample's DLL knows about itself: its handle and path, and how many of its objects
// and locks are alive, which DllCanUnloadNow reports.

#include <windows.h>

#include <string>

void SetModuleHandle(HMODULE module);
std::wstring ModulePath();

void AddModuleUse();
void ReleaseModuleUse();
bool ModuleInUse();
