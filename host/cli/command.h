// The commands of the stand-in host's command line, and what they share.
#pragma once

#include "scenario.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace host::cli {

using Arguments = std::vector<std::string>;

struct Command {
    const char* name;
    const char* summary;
    const char* help;
    int (*run)(const Arguments& arguments);
};

// Every command, in the order `help` lists them.
const std::vector<Command>& commands();

int run_info(const Arguments& arguments);
int run_run(const Arguments& arguments);
int run_render(const Arguments& arguments);
int run_sheet(const Arguments& arguments);

// Reads options one by one: `take` answers whether the next argument is the named option and,
// if so, its value.
class OptionReader {
  public:
    explicit OptionReader(const Arguments& arguments) : arguments_(arguments) {}

    bool done() const { return at_ >= arguments_.size(); }
    const std::string& peek() const { return arguments_[at_]; }
    // The option `name` with its value, advancing past both.
    std::optional<std::string> take(const char* name);
    bool take_flag(const char* name);
    // A plain argument (not starting with "-").
    std::optional<std::string> take_plain();
    [[noreturn]] void unknown() const;

  private:
    const Arguments& arguments_;
    std::size_t at_ = 0;
};

// Options that build a scenario: --scenario FILE, --var TOKEN=VALUE, --named NAME=VALUE,
// --click X,Y, --step LINE, --frames N. Returns true if the next argument was one of them.
bool take_scenario_option(OptionReader& options, Scenario& scenario);
extern const char* scenario_options_help;

std::uint32_t parse_text_capacity(const std::string& text);
// A whole number from `lowest` to `highest` given to `option`.
int parse_count(const std::string& text, const char* option, int lowest, int highest);
// The value of --scale: 1, 2 or 3.
int parse_scale(const std::string& text);

// Refuses an output file whose directory does not exist, before any work is done for it.
void check_output_directory(const std::string& path);

} // namespace host::cli
