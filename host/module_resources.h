// The bitmaps a module carries, read from the module as the real host reads resources: through
// the resource API on Windows, and from the module file's resource section on Linux.
#pragma once

#include "bitmap.h"
#include "gauge_module.h"

#include <cstdint>
#include <map>
#include <optional>
#include <vector>

namespace host {

class ModuleResources {
  public:
    // Reads the module's bitmap resources. Throws LoadError when the module's resources are
    // unreadable or malformed.
    explicit ModuleResources(const GaugeModule& module);

    // Ids of every bitmap, ascending.
    std::vector<std::int32_t> bitmap_ids() const;
    // The bitmap's device-independent data, as stored.
    const std::vector<std::uint8_t>* bitmap_data(std::int32_t id) const;
    // The decoded bitmap, or null when the module has no bitmap of that id. Throws LoadError
    // for a bitmap that cannot be decoded.
    const Bitmap* bitmap(std::int32_t id) const;

  private:
    std::map<std::int32_t, std::vector<std::uint8_t>> data_;
    mutable std::map<std::int32_t, Bitmap> decoded_;
    std::string file_;
};

// The bitmap resources of a module, by id, as the platform stores them.
std::map<std::int32_t, std::vector<std::uint8_t>> read_bitmap_resources(const GaugeModule& module);

} // namespace host
