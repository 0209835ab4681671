// A gauge module loaded for drawing in a test: its instance is given host variables, runs one
// panel update and is drawn.
#pragma once

#include "font_library.h"
#include "gauge_instance.h"
#include "gauge_module.h"
#include "gauge_renderer.h"
#include "host_services.h"
#include "module_resources.h"
#include "picture.h"

#include <cstdint>
#include <cstdlib>
#include <map>

namespace render_test {

// One font library for the whole test program: loading the configuration is the slow part.
inline host::FontLibrary& fonts() {
    static host::FontLibrary library(host::find_font_config());
    return library;
}

using Variables = std::map<std::uint32_t, double>;

class RenderHarness {
  public:
    explicit RenderHarness(const char* module_path)
        : module_(module_path, services_), resources_(module_),
          renderer_(module_, resources_, fonts()), instance_(module_, services_) {
        instance_.install();
        instance_.initialize();
    }
    ~RenderHarness() { instance_.kill(); }

    // Sets the variables, runs one panel update and draws the frame.
    host::Picture draw(const Variables& variables, int scale = 1) {
        for (const auto& [token, value] : variables) {
            services_.set_variable(token, value);
        }
        instance_.frame();
        return renderer_.draw(instance_, scale);
    }

    const host::GaugeModule& module() const { return module_; }
    const host::ModuleResources& resources() const { return resources_; }
    const host::GaugeRenderer& renderer() const { return renderer_; }
    host::GaugeInstance& instance() { return instance_; }

  private:
    host::HostServices services_;
    host::GaugeModule module_;
    host::ModuleResources resources_;
    host::GaugeRenderer renderer_;
    host::GaugeInstance instance_;
};

constexpr std::uint32_t red_of(std::uint32_t rgb) {
    return rgb >> 16 & 0xFF;
}
constexpr std::uint32_t green_of(std::uint32_t rgb) {
    return rgb >> 8 & 0xFF;
}
constexpr std::uint32_t blue_of(std::uint32_t rgb) {
    return rgb & 0xFF;
}

} // namespace render_test
