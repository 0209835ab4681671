// A module file loaded into the process, released when the object goes away.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace host {

// One mapped part of a loaded module, with what it may be used for.
struct ImageRange {
    std::uintptr_t begin = 0;
    std::uintptr_t end = 0;
    bool writable = false;
    bool executable = false;
};

class DynamicLibrary {
  public:
    // Loads the file; throws LoadError with the platform's reason if it cannot.
    explicit DynamicLibrary(const std::filesystem::path& path);
    ~DynamicLibrary();
    DynamicLibrary(const DynamicLibrary&) = delete;
    DynamicLibrary& operator=(const DynamicLibrary&) = delete;

    // The address of an exported symbol, or null.
    void* symbol(const char* name) const;

    // The module's mapped parts, for checking where its records point.
    const std::vector<ImageRange>& image() const { return image_; }

    void* native_handle() const { return handle_; }
    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
    void* handle_ = nullptr;
    std::vector<ImageRange> image_;
};

} // namespace host
