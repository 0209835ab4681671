// A scenario: what happens around a gauge from frame to frame. Written as a small text file,
// one command a line, or given as the same lines on the command line:
//
//   # a comment
//   name 10:10:30          a label for pictures and reports
//   frames 3               how many panel updates to run (1 if not given)
//   var 3 10.17            set host variable 3 (a token) to 10.17
//   named movement 5       write 5 into the named variable "movement", as another panel part
//   click 30 240           a left click at gauge point (30, 240)
//   hold 30 240 5          a click held down for 5 repeats
//   service 11             send service id 11 to the gauge callback on its own
//   at 2 var 3 11          any of the commands above, before panel update 2 instead of 1
//
// Commands without `at` take effect before the first panel update, after install and
// initialise; those for one frame take effect in the order written.
#pragma once

#include <cstdint>
#include <filesystem>
#include <istream>
#include <string>
#include <vector>

namespace host {

struct ScenarioStep {
    enum class Kind { var, named, click, service };
    Kind kind = Kind::var;
    int frame = 1;
    std::uint32_t token = 0;
    double value = 0.0;
    std::string name;
    std::int32_t named_value = 0;
    int x = 0;
    int y = 0;
    int repeats = 0;
    std::int32_t service_id = 0;
};

struct Scenario {
    std::string name;
    int frames = 1;
    std::vector<ScenarioStep> steps;

    // Parses one line and adds it; throws UsageError naming `where` for a line it cannot read.
    void add_line(const std::string& line, const std::string& where);
    // A readable summary of the values set, for labels: "3=10.17 4=10 5=30".
    std::string summary() const;
};

Scenario read_scenario(std::istream& in, const std::string& source_name);
Scenario read_scenario_file(const std::filesystem::path& path);

} // namespace host
