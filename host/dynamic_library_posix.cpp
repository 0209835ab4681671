#include "dynamic_library.h"
#include "errors.h"

#include <dlfcn.h>
#include <link.h>

namespace host {

namespace {

struct ImageSearch {
    void* handle;
    std::vector<ImageRange>* image;
};

// Collects the loaded segments of the object whose link map `search->handle` is.
int collect_segments(dl_phdr_info* info, std::size_t, void* data) {
    auto* search = static_cast<ImageSearch*>(data);
    auto* map = static_cast<link_map*>(search->handle);
    if (info->dlpi_addr != map->l_addr || info->dlpi_name == nullptr ||
        std::string(info->dlpi_name) != map->l_name) {
        return 0;
    }
    for (int i = 0; i < info->dlpi_phnum; ++i) {
        const ElfW(Phdr)& segment = info->dlpi_phdr[i];
        if (segment.p_type != PT_LOAD) {
            continue;
        }
        const std::uintptr_t begin = info->dlpi_addr + segment.p_vaddr;
        search->image->push_back({.begin = begin,
                                  .end = begin + segment.p_memsz,
                                  .writable = (segment.p_flags & PF_W) != 0,
                                  .executable = (segment.p_flags & PF_X) != 0});
    }
    return 1;
}

} // namespace

DynamicLibrary::DynamicLibrary(const std::filesystem::path& path) : path_(path) {
    // A path without a directory part would send dlopen to the library search; a module is
    // always loaded from the file named.
    const std::filesystem::path file = path.has_parent_path() ? path : "./" / path;
    handle_ = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle_ == nullptr) {
        const char* reason = dlerror();
        throw LoadError(path.string() + ": cannot load the module: " +
                        (reason != nullptr ? reason : "unknown reason"));
    }
    ImageSearch search{handle_, &image_};
    dl_iterate_phdr(collect_segments, &search);
}

DynamicLibrary::~DynamicLibrary() {
    dlclose(handle_);
}

void* DynamicLibrary::symbol(const char* name) const {
    return dlsym(handle_, name);
}

} // namespace host
