// The sound module on Linux: the shared library "GaugeSound.so", found by the dynamic linker's
// own search (LD_LIBRARY_PATH, then the system library directories).
#include "sound_binding.h"

#include <dlfcn.h>

namespace {
constexpr const char* sound_library_name = "GaugeSound.so";
}

SOUND_LIBRARY sound_library_load() {
    return dlopen(sound_library_name, RTLD_NOW | RTLD_LOCAL);
}

SOUND_LIBRARY sound_library_find() {
    // RTLD_NOLOAD takes a reference to an already loaded library; drop it again at once.
    void* library = dlopen(sound_library_name, RTLD_NOW | RTLD_NOLOAD);
    if (library != nullptr) {
        dlclose(library);
    }
    return library;
}

SOUND_ENTRY sound_library_entry(SOUND_LIBRARY library, const char* name) {
    return reinterpret_cast<SOUND_ENTRY>(dlsym(library, name));
}

void sound_library_release(SOUND_LIBRARY library) {
    dlclose(library);
}
