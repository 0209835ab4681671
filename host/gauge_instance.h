// One instance of a module's gauge, driven as the panel system drives it: the lifecycle
// services, the element update callbacks with their source variables and text buffers, and
// mouse clicks. Several instances of one module share its records and module globals; each
// keeps its own text buffers and results.
#pragma once

#include "gauge_module.h"
#include "host_services.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace host {

const char* service_name(std::int32_t service_id);

// What an element's update callbacks returned at the last update.
struct ElementResult {
    // needle, icon: {value}; slider, moving image: {x, y}; sprite: {x, y, turn}; text: {0.0}
    std::array<double, 3> values{};
    int value_count = 0;
    std::string text;
    std::uint32_t flags = 0;
    bool updated = false;
};

// A fault in how a callback used its text buffer.
struct TextFault {
    int element = 0;
    std::string fault;
};

struct ClickResult {
    int rect = -1; // index into GaugeModule::mouse_rects() of the rectangle hit, -1 for none
    int calls = 0; // how many times its mouse function was called
    std::vector<std::int32_t> returned;
};

// The names of the values an element of this kind returns, in ElementResult order.
std::vector<const char*> value_names(std::int32_t element_type);

class GaugeInstance {
  public:
    // `text_capacity` is the capacity the host states for each text buffer, NUL included.
    GaugeInstance(GaugeModule& module, HostServices& services, std::uint32_t text_capacity = 64);

    GaugeModule& module() const { return module_; }

    // Sends one service id to the gauge callback.
    void send(std::int32_t service_id);
    void install() { send(PANEL_SERVICE_PRE_INSTALL); }
    void initialize() { send(PANEL_SERVICE_PRE_INITIALIZE); }
    void kill() { send(PANEL_SERVICE_PRE_KILL); }

    // One panel update: PANEL_SERVICE_PRE_UPDATE, then every element's update callbacks, root
    // first, then PANEL_SERVICE_PRE_DRAW.
    void frame();
    // The update callbacks of every element, root first, each after its source variables are
    // refreshed from the host.
    void update_elements();

    const std::vector<ElementResult>& results() const { return results_; }
    // Faults in text writes since the instance was made: a write past the stated capacity, or
    // a text left without its terminating NUL.
    const std::vector<TextFault>& text_faults() const { return text_faults_; }

    // A left click at a gauge point: the first child rectangle whose box holds the point has
    // its function called, if its flags take a left click. Holding the button calls it
    // `repeats` more times where the rectangle's flags carry MOUSE_DOWN_REPEAT.
    ClickResult click(int x, int y, int repeats = 0);
    // The index of the child rectangle whose box holds the point, -1 for none.
    int rect_at(int x, int y) const;

  private:
    void refresh_sources(ELEMENT_HEADER* element);
    void run_callbacks(int index);
    void prepare_text_buffer(int index, ELEMENT_STRING* text);
    void collect_text(int index);

    GaugeModule& module_;
    HostServices& services_;
    std::uint32_t text_capacity_;
    std::vector<ElementResult> results_;
    std::vector<std::vector<char>> text_buffers_;
    std::vector<TextFault> text_faults_;
};

} // namespace host
