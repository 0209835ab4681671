// What the tests share: the paths of the modules they load, and the test double's counters.
#pragma once

#include "sound_double_probe.h"

#include <filesystem>
#include <string>

extern "C" SOUND_DOUBLE_COUNTS sound_double_counts;

namespace test_support {

// The counters since the last reset.
inline SOUND_DOUBLE_COUNTS& sound_counts() {
    return sound_double_counts;
}
inline void reset_sound_counts() {
    sound_double_counts = {};
}

// Whether a library called "GaugeSound" is loaded in the process.
bool sound_module_loaded();

// Loads the test double from its file as another panel part would, and releases it.
void* load_library_file(const std::filesystem::path& path);
void release_library(void* library);

} // namespace test_support

#include "gauge_instance.h"
#include "gauge_module.h"
#include "host_services.h"

namespace test_support {

// A module loaded into a fresh host, with one instance of its gauge.
struct LoadedGauge {
    explicit LoadedGauge(const std::filesystem::path& path, std::uint32_t text_capacity = 64)
        : module(path, services), instance(module, services, text_capacity) {}

    host::HostServices services;
    host::GaugeModule module;
    host::GaugeInstance instance;

    // The calls made since the last take, as "name:detail" words for compact comparisons.
    std::vector<std::string> take_calls();
    std::int32_t named(const std::string& name) const { return services.read_named(name).value(); }
};

} // namespace test_support
