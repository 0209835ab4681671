// Counters that the "GaugeSound" test double keeps in the program that loads it, so that they
// outlive the double's own unloading. The program exports them by name; the double finds them
// when it is loaded and counts into them.
#pragma once

#include <cstdint>

struct SOUND_DOUBLE_COUNTS {
    std::int32_t loads;           // the library came into the process
    std::int32_t releases;        // the library left the process
    std::int32_t terminate_calls; // "TerminateSounds" was called
    std::int32_t play_calls;      // "GaugePlaySound" was called
    std::int32_t stop_calls;      // "GaugeStopSound" was called
};

#if defined(_WIN32)
#define SOUND_DOUBLE_EXPORT __declspec(dllexport)
#else
#define SOUND_DOUBLE_EXPORT __attribute__((visibility("default")))
#endif

constexpr const char* sound_double_counts_symbol = "sound_double_counts";
