#include "module_resources.h"
#include "errors.h"

namespace host {

ModuleResources::ModuleResources(const GaugeModule& module)
    : data_(read_bitmap_resources(module)), file_(module.path().string()) {}

std::vector<std::int32_t> ModuleResources::bitmap_ids() const {
    std::vector<std::int32_t> ids;
    for (const auto& [id, data] : data_) {
        ids.push_back(id);
    }
    return ids;
}

const std::vector<std::uint8_t>* ModuleResources::bitmap_data(std::int32_t id) const {
    const auto found = data_.find(id);
    return found == data_.end() ? nullptr : &found->second;
}

const Bitmap* ModuleResources::bitmap(std::int32_t id) const {
    if (const auto done = decoded_.find(id); done != decoded_.end()) {
        return &done->second;
    }
    const std::vector<std::uint8_t>* data = bitmap_data(id);
    if (data == nullptr) {
        return nullptr;
    }
    try {
        return &decoded_.emplace(id, decode_dib(*data)).first->second;
    } catch (const std::runtime_error& error) {
        throw LoadError(file_ + ": bitmap " + std::to_string(id) + ": " + error.what());
    }
}

} // namespace host
