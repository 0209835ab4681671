#include "test_support.h"

#if defined(_WIN32)
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace test_support {

#if defined(_WIN32)
bool sound_module_loaded() {
    return GetModuleHandleA("GaugeSound") != nullptr;
}
void* load_library_file(const std::filesystem::path& path) {
    return LoadLibraryW(std::filesystem::absolute(path).c_str());
}
void release_library(void* library) {
    FreeLibrary(static_cast<HMODULE>(library));
}
#else
bool sound_module_loaded() {
    void* library = dlopen("GaugeSound.so", RTLD_NOW | RTLD_NOLOAD);
    if (library != nullptr) {
        dlclose(library);
    }
    return library != nullptr;
}
void* load_library_file(const std::filesystem::path& path) {
    return dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
}
void release_library(void* library) {
    dlclose(library);
}
#endif

} // namespace test_support

namespace test_support {

std::vector<std::string> LoadedGauge::take_calls() {
    std::vector<std::string> words;
    for (const host::ServiceCall& call : services.take_calls()) {
        std::string word = host::service_call_name(call.kind);
        switch (call.kind) {
        case host::ServiceCall::Kind::trigger_key_event:
            word += ":" + std::to_string(call.number) + "," + std::to_string(call.value);
            break;
        case host::ServiceCall::Kind::lookup_var:
            word += ":" + std::to_string(call.number);
            break;
        case host::ServiceCall::Kind::register_var_by_name:
            word += ":" + call.name + "," + std::to_string(call.value);
            break;
        case host::ServiceCall::Kind::unregister_var_by_name:
            word += ":" + call.name;
            break;
        }
        words.push_back(word);
    }
    return words;
}

} // namespace test_support
