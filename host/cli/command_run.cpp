#include "command.h"
#include "errors.h"
#include "gauge_instance.h"
#include "gauge_module.h"
#include "scenario_runner.h"
#include "text_file.h"

#include <iostream>
#include <sstream>

namespace host::cli {

int run_run(const Arguments& arguments) {
    OptionReader options(arguments);
    std::optional<std::string> module_path;
    std::optional<std::string> output;
    std::uint32_t text_capacity = 64;
    Scenario scenario;
    while (!options.done()) {
        if (take_scenario_option(options, scenario)) {
            continue;
        }
        if (auto file = options.take("--output")) {
            output = file;
        } else if (auto capacity = options.take("--text-capacity")) {
            text_capacity = parse_text_capacity(*capacity);
        } else if (auto plain = options.take_plain(); plain && !module_path) {
            module_path = plain;
        } else {
            options.unknown();
        }
    }
    if (!module_path) {
        throw UsageError("run needs a module file");
    }
    HostServices services;
    std::ostringstream trace_text;
    {
        GaugeModule module(*module_path, services);
        GaugeInstance instance(module, services, text_capacity);
        TraceWriter trace(trace_text);
        ScenarioRunner runner(instance, services, &trace);
        runner.start();
        runner.play(scenario);
        runner.finish();
    }
    if (output) {
        write_file_whole(*output, trace_text.str());
    } else {
        std::cout << trace_text.str();
    }
    return 0;
}

} // namespace host::cli
