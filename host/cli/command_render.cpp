#include "command.h"
#include "errors.h"
#include "font_library.h"
#include "gauge_instance.h"
#include "gauge_module.h"
#include "gauge_renderer.h"
#include "module_resources.h"
#include "progress.h"
#include "scenario_runner.h"
#include "text_file.h"

namespace host::cli {

int run_render(const Arguments& arguments) {
    OptionReader options(arguments);
    std::optional<std::string> module_path;
    std::optional<std::string> output;
    std::uint32_t text_capacity = 64;
    int scale = 1;
    Scenario scenario;
    while (!options.done()) {
        if (take_scenario_option(options, scenario)) {
            continue;
        }
        if (auto file = options.take("--output")) {
            output = file;
        } else if (auto value = options.take("--scale")) {
            scale = parse_scale(*value);
        } else if (auto capacity = options.take("--text-capacity")) {
            text_capacity = parse_text_capacity(*capacity);
        } else if (auto plain = options.take_plain(); plain && !module_path) {
            module_path = plain;
        } else {
            options.unknown();
        }
    }
    if (!module_path) {
        throw UsageError("render needs a module file");
    }
    if (!output) {
        throw UsageError("render needs --output FILE.png");
    }
    check_output_directory(*output);

    HostServices services;
    FontLibrary fonts(find_font_config());
    std::string png;
    {
        GaugeModule module(*module_path, services);
        const ModuleResources resources(module);
        const GaugeRenderer renderer(module, resources, fonts);
        GaugeInstance instance(module, services, text_capacity);
        ScenarioRunner runner(instance, services, nullptr);
        Progress progress("render");
        runner.start();
        runner.play(scenario, [&](int done, int total) {
            progress.report("panel update " + std::to_string(done) + " of " +
                            std::to_string(total));
        });
        png = renderer.draw(instance, scale).png();
        runner.finish();
        progress.finish("drawn after " + std::to_string(runner.frames_run()) + " panel updates");
    }
    write_file_whole(*output, png);
    return 0;
}

} // namespace host::cli
