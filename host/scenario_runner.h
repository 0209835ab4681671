// Runs a gauge instance through a scenario, and writes what happens as a trace of JSON lines:
// each service sent, each call the module made into the host, each click, and after every
// panel update the value, text and draw flags of every element and the named variables.
#pragma once

#include "gauge_instance.h"
#include "host_services.h"
#include "scenario.h"

#include <functional>
#include <ostream>

namespace host {

class TraceWriter {
  public:
    explicit TraceWriter(std::ostream& out) : out_(out) {}

    void service(int frame, std::int32_t service_id);
    void calls(int frame, const std::vector<ServiceCall>& calls);
    void click(int frame, const ScenarioStep& step, const ClickResult& result);
    void elements(int frame, const GaugeInstance& instance);
    void named(int frame, const HostServices& services);

  private:
    std::ostream& out_;
};

class ScenarioRunner {
  public:
    // `trace` may be null.
    ScenarioRunner(GaugeInstance& instance, HostServices& services, TraceWriter* trace)
        : instance_(instance), services_(services), trace_(trace) {}

    // PANEL_SERVICE_PRE_INSTALL and PANEL_SERVICE_PRE_INITIALIZE.
    void start();
    // Called after each panel update with the number of the scenario's updates run so far and
    // their total.
    using FrameObserver = std::function<void(int done, int total)>;

    // The scenario's panel updates, each after the scenario's steps for it. Throws UsageError
    // for a write to a named variable that no module has published.
    void play(const Scenario& scenario, const FrameObserver& after_frame = {});
    // PANEL_SERVICE_PRE_KILL.
    void finish();

    // Panel updates run so far.
    int frames_run() const { return frame_; }

  private:
    void send(std::int32_t service_id);
    void apply(const ScenarioStep& step);
    void flush_calls();

    GaugeInstance& instance_;
    HostServices& services_;
    TraceWriter* trace_;
    int frame_ = 0;
};

} // namespace host
