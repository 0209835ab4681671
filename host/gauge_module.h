// A gauge module loaded into the stand-in host: its file loaded, its two records found and
// checked, and the host's service table installed into its ImportTable.
#pragma once

#include "dynamic_library.h"
#include "host_contract.h"
#include "host_services.h"

#include <cstddef>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace host {

// One element of the gauge's tree, in drawing order (each after its parent).
struct ElementNode {
    ELEMENT_HEADER* element = nullptr;
    int parent = -1; // index into GaugeModule::elements(), -1 for the root
    int depth = 0;
};

class GaugeModule {
  public:
    // Loads the file and checks its records. Throws LoadError naming the file and the fault.
    GaugeModule(const std::filesystem::path& path, HostServices& services);
    // Runs module deinit, withdraws any name the module left published, and unloads it.
    ~GaugeModule();
    GaugeModule(const GaugeModule&) = delete;
    GaugeModule& operator=(const GaugeModule&) = delete;

    const std::filesystem::path& path() const { return library_->path(); }
    std::string name() const;
    MODULE_LINKAGE* linkage() const { return linkage_; }
    IMPORT_TABLE* import_table() const { return import_table_; }
    GAUGEHDR* gauge() const { return linkage_->gauges[0]; }

    const std::vector<ElementNode>& elements() const { return elements_; }
    // The mouse rectangle list up to and including its end record.
    const std::vector<MOUSERECT*>& mouse_rects() const { return mouse_rects_; }
    // The draw flags every element had when the module was loaded, in elements() order.
    const std::vector<std::uint32_t>& stored_flags() const { return stored_flags_; }
    // The tooltip text of the user record, empty when the gauge has none.
    std::string tooltip() const;

    const DynamicLibrary& library() const { return *library_; }

  private:
    HostServices& services_;
    std::unique_ptr<DynamicLibrary> library_;
    MODULE_LINKAGE* linkage_ = nullptr;
    IMPORT_TABLE* import_table_ = nullptr;
    std::vector<ElementNode> elements_;
    std::vector<MOUSERECT*> mouse_rects_;
    std::vector<std::uint32_t> stored_flags_;
};

// Limits that bound the walk over a module's records, so that a malformed module is refused
// rather than followed forever.
inline constexpr std::size_t max_elements = 1024;
inline constexpr std::size_t max_children = 64;
inline constexpr std::size_t max_mouse_rects = 1024;
inline constexpr std::size_t max_failure_records = 256;
inline constexpr std::size_t max_calibration_points = 1024;
inline constexpr std::size_t max_text_length = 4096;

// The size of an element record of the given kind, 0 for an unknown kind.
std::size_t element_record_size(std::int32_t element_type);
const char* element_kind_name(std::int32_t element_type);

} // namespace host
