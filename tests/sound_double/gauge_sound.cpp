// A stand-in for the outside sound module "GaugeSound", built for the tests. It counts, in the
// program that loads it, how often it comes into and leaves the process and how often each of
// its entry points is called. Built once with "TerminateSounds" and once without it.
#include "sound_double_probe.h"

#if defined(_WIN32)
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace {

SOUND_DOUBLE_COUNTS* counts() {
#if defined(_WIN32)
    return reinterpret_cast<SOUND_DOUBLE_COUNTS*>(
        GetProcAddress(GetModuleHandleA(nullptr), sound_double_counts_symbol));
#else
    return static_cast<SOUND_DOUBLE_COUNTS*>(dlsym(RTLD_DEFAULT, sound_double_counts_symbol));
#endif
}

void count(std::int32_t SOUND_DOUBLE_COUNTS::*counter) {
    if (SOUND_DOUBLE_COUNTS* found = counts()) {
        ++(found->*counter);
    }
}

} // namespace

#if defined(_WIN32)
extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        count(&SOUND_DOUBLE_COUNTS::loads);
    } else if (reason == DLL_PROCESS_DETACH) {
        count(&SOUND_DOUBLE_COUNTS::releases);
    }
    return TRUE;
}
#else
__attribute__((constructor)) void sound_double_loaded() {
    count(&SOUND_DOUBLE_COUNTS::loads);
}
__attribute__((destructor)) void sound_double_released() {
    count(&SOUND_DOUBLE_COUNTS::releases);
}
#endif

extern "C" {

#if !defined(SOUND_DOUBLE_WITHOUT_TERMINATE)
SOUND_DOUBLE_EXPORT void TerminateSounds() {
    count(&SOUND_DOUBLE_COUNTS::terminate_calls);
}
#endif

SOUND_DOUBLE_EXPORT int GaugePlaySound(const char*, const char*, int) {
    count(&SOUND_DOUBLE_COUNTS::play_calls);
    return 1;
}

SOUND_DOUBLE_EXPORT void GaugeStopSound(const char*) {
    count(&SOUND_DOUBLE_COUNTS::stop_calls);
}
}
