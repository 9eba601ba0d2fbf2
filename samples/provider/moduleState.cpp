#include "moduleState.h"

#include <atomic>

namespace {
HMODULE g_module = nullptr;
std::atomic<long> g_uses{0};
}  // namespace

void SetModuleHandle(HMODULE module) { g_module = module; }

std::wstring ModulePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD length = GetModuleFileNameW(g_module, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

void AddModuleUse() { ++g_uses; }
void ReleaseModuleUse() { --g_uses; }
bool ModuleInUse() { return g_uses.load() != 0; }
