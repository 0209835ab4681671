// Windows: the module's RT_BITMAP resources, through the resource API of the loaded module.
#include "errors.h"
#include "module_resources.h"

// windows.h after the contract header: it defines CALLBACK, a field name of the records.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace host {

namespace {

BOOL CALLBACK collect_id(HMODULE, LPCSTR, LPSTR name, LONG_PTR found) {
    if (IS_INTRESOURCE(name)) {
        reinterpret_cast<std::vector<std::int32_t>*>(found)->push_back(
            static_cast<std::int32_t>(reinterpret_cast<std::uintptr_t>(name)));
    }
    return TRUE;
}

} // namespace

std::map<std::int32_t, std::vector<std::uint8_t>> read_bitmap_resources(const GaugeModule& module) {
    auto* handle = static_cast<HMODULE>(module.library().native_handle());
    std::vector<std::int32_t> ids;
    EnumResourceNamesA(handle, RT_BITMAP, collect_id, reinterpret_cast<LONG_PTR>(&ids));
    std::map<std::int32_t, std::vector<std::uint8_t>> bitmaps;
    for (std::int32_t id : ids) {
        HRSRC found = FindResourceA(handle, MAKEINTRESOURCEA(id), RT_BITMAP);
        HGLOBAL loaded = found != nullptr ? LoadResource(handle, found) : nullptr;
        const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
        if (data == nullptr) {
            throw LoadError(module.path().string() + ": cannot read bitmap resource " +
                            std::to_string(id));
        }
        const auto* bytes = static_cast<const std::uint8_t*>(data);
        bitmaps[id] = std::vector<std::uint8_t>(bytes, bytes + SizeofResource(handle, found));
    }
    return bitmaps;
}

} // namespace host
