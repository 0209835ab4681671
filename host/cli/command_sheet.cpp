#include "command.h"
#include "contact_sheet.h"
#include "errors.h"
#include "font_library.h"
#include "gauge_instance.h"
#include "gauge_module.h"
#include "gauge_renderer.h"
#include "module_resources.h"
#include "progress.h"
#include "scenario_runner.h"
#include "text_file.h"

#include <filesystem>

namespace host::cli {

namespace {

// One cell as given on the command line: MODULE or MODULE:SCENARIO_FILE.
struct CellRequest {
    std::string module;
    std::optional<std::string> scenario_file;
    Scenario scenario;
};

CellRequest parse_cell(const std::string& text) {
    CellRequest cell;
    const std::size_t colon = text.rfind(':');
    if (colon != std::string::npos && colon > 0 && colon + 1 < text.size()) {
        cell.module = text.substr(0, colon);
        cell.scenario_file = text.substr(colon + 1);
        cell.scenario = read_scenario_file(*cell.scenario_file);
    } else if (colon != std::string::npos) {
        throw UsageError("a cell is MODULE or MODULE:SCENARIO_FILE, not '" + text + "'");
    } else {
        cell.module = text;
    }
    return cell;
}

// The scenario's name for its label: its own name, else its file's name.
std::string scenario_label(const CellRequest& cell) {
    if (!cell.scenario.name.empty()) {
        return cell.scenario.name;
    }
    if (cell.scenario_file) {
        return std::filesystem::path(*cell.scenario_file).stem().string();
    }
    return "no scenario";
}

SheetCell draw_cell(const CellRequest& request, int scale, std::uint32_t text_capacity,
                    FontLibrary& fonts) {
    HostServices services;
    GaugeModule module(request.module, services);
    const ModuleResources resources(module);
    const GaugeRenderer renderer(module, resources, fonts);
    GaugeInstance instance(module, services, text_capacity);
    ScenarioRunner runner(instance, services, nullptr);
    runner.start();
    runner.play(request.scenario);
    SheetCell cell{renderer.draw(instance, scale), module.name(), {}};
    runner.finish();
    const std::string summary = request.scenario.summary();
    cell.lines = {scenario_label(request), summary.empty() ? "no values set" : summary};
    return cell;
}

} // namespace

int run_sheet(const Arguments& arguments) {
    OptionReader options(arguments);
    std::optional<std::string> output;
    std::uint32_t text_capacity = 64;
    int scale = 1;
    int columns = 0;
    std::vector<CellRequest> requests;
    while (!options.done()) {
        if (auto file = options.take("--output")) {
            output = file;
        } else if (auto value = options.take("--scale")) {
            scale = parse_scale(*value);
        } else if (auto value = options.take("--columns")) {
            columns = parse_count(*value, "--columns", 1, 64);
        } else if (auto capacity = options.take("--text-capacity")) {
            text_capacity = parse_text_capacity(*capacity);
        } else if (auto plain = options.take_plain()) {
            requests.push_back(parse_cell(*plain));
        } else {
            options.unknown();
        }
    }
    if (requests.empty()) {
        throw UsageError("sheet needs at least one MODULE or MODULE:SCENARIO_FILE");
    }
    if (!output) {
        throw UsageError("sheet needs --output FILE.png");
    }
    check_output_directory(*output);

    FontLibrary fonts(find_font_config());
    Progress progress("sheet");
    std::vector<SheetCell> cells;
    for (const CellRequest& request : requests) {
        progress.report("drawing " + std::to_string(cells.size() + 1) + " of " +
                        std::to_string(requests.size()) + ": " + request.module + " (" +
                        scenario_label(request) + ")");
        cells.push_back(draw_cell(request, scale, text_capacity, fonts));
    }
    write_file_whole(*output, contact_sheet(cells, scale, columns, fonts).png());
    progress.finish("wrote " + *output + " with " + std::to_string(cells.size()) + " pictures");
    return 0;
}

} // namespace host::cli
