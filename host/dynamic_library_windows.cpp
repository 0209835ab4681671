#include "dynamic_library.h"
#include "errors.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace host {

namespace {

std::string last_error_text() {
    const DWORD code = GetLastError();
    char text[512] = {};
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, code, 0, text, sizeof text, nullptr);
    std::string message(text, length);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r')) {
        message.pop_back();
    }
    return message.empty() ? "error " + std::to_string(code) : message;
}

// The sections of a loaded image, from its own headers.
std::vector<ImageRange> sections_of(HMODULE module) {
    const auto base = reinterpret_cast<std::uintptr_t>(module);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_SECTION_HEADER* section = IMAGE_FIRST_SECTION(nt);
    std::vector<ImageRange> image;
    for (WORD i = 0; i < nt->FileHeader.NumberOfSections; ++i, ++section) {
        const std::uintptr_t begin = base + section->VirtualAddress;
        const DWORD flags = section->Characteristics;
        image.push_back({.begin = begin,
                         .end = begin + section->Misc.VirtualSize,
                         .writable = (flags & IMAGE_SCN_MEM_WRITE) != 0,
                         .executable = (flags & IMAGE_SCN_MEM_EXECUTE) != 0});
    }
    return image;
}

} // namespace

DynamicLibrary::DynamicLibrary(const std::filesystem::path& path) : path_(path) {
    // A library found by the system's search in place of the file named would be the wrong
    // module; load exactly the file.
    const std::filesystem::path file = std::filesystem::absolute(path);
    HMODULE module = LoadLibraryExW(file.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (module == nullptr) {
        throw LoadError(path.string() + ": cannot load the module: " + last_error_text());
    }
    handle_ = module;
    image_ = sections_of(module);
}

DynamicLibrary::~DynamicLibrary() {
    FreeLibrary(static_cast<HMODULE>(handle_));
}

void* DynamicLibrary::symbol(const char* name) const {
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle_), name));
}

} // namespace host
