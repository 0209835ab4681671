// The sound module on Windows: "GaugeSound.dll", found by LoadLibraryA's search.
#include "sound_binding.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace {
constexpr const char* sound_library_name = "GaugeSound";
}

SOUND_LIBRARY sound_library_load() {
    return LoadLibraryA(sound_library_name);
}

SOUND_LIBRARY sound_library_find() {
    return GetModuleHandleA(sound_library_name);
}

SOUND_ENTRY sound_library_entry(SOUND_LIBRARY library, const char* name) {
    return reinterpret_cast<SOUND_ENTRY>(GetProcAddress(static_cast<HMODULE>(library), name));
}

void sound_library_release(SOUND_LIBRARY library) {
    FreeLibrary(static_cast<HMODULE>(library));
}
