#include "sound_binding.h"

namespace {

// The handle in use, and whether this module took a reference to it by loading it.
SOUND_LIBRARY sound_module = nullptr;
bool sound_module_owned = false;

void find_or_load() {
    if (sound_module_owned) {
        return; // our own reference keeps the library loaded
    }
    sound_module = sound_library_find();
    if (sound_module == nullptr) {
        sound_module = sound_library_load();
        sound_module_owned = sound_module != nullptr;
    }
}

} // namespace

void sound_bind() {
    if (sound_module == nullptr) {
        sound_module = sound_library_load();
        sound_module_owned = sound_module != nullptr;
    }
}

void sound_keep_bound() {
    find_or_load();
}

void sound_release() {
    find_or_load();
    if (sound_module == nullptr) {
        return;
    }
    if (SOUND_ENTRY terminate_sounds = sound_library_entry(sound_module, "TerminateSounds")) {
        terminate_sounds();
    }
    if (sound_module_owned) {
        sound_library_release(sound_module);
    }
    sound_module = nullptr;
    sound_module_owned = false;
}
