// A module's records, as JSON and as a readable table, for the `info` command.
#pragma once

#include "gauge_module.h"
#include "module_resources.h"

#include <nlohmann/json.hpp>
#include <ostream>

namespace host {

std::string hex(std::uint32_t value, int digits = 0);

nlohmann::ordered_json records_json(const GaugeModule& module, const ModuleResources& resources);
void print_records_table(std::ostream& out, const nlohmann::ordered_json& records);

} // namespace host
