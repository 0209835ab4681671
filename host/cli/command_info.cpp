#include "command.h"
#include "errors.h"
#include "gauge_module.h"
#include "module_resources.h"
#include "records_report.h"

#include <iostream>

namespace host::cli {

int run_info(const Arguments& arguments) {
    OptionReader options(arguments);
    std::optional<std::string> module_path;
    bool json = false;
    while (!options.done()) {
        if (options.take_flag("--json")) {
            json = true;
        } else if (auto plain = options.take_plain(); plain && !module_path) {
            module_path = plain;
        } else {
            options.unknown();
        }
    }
    if (!module_path) {
        throw UsageError("info needs a module file");
    }
    HostServices services;
    GaugeModule module(*module_path, services);
    const ModuleResources resources(module);
    const nlohmann::ordered_json records = records_json(module, resources);
    if (json) {
        std::cout << records.dump(2) << '\n';
    } else {
        print_records_table(std::cout, records);
    }
    return 0;
}

} // namespace host::cli
