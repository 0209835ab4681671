#include "command.h"
#include "errors.h"

#include <charconv>
#include <filesystem>
#include <system_error>

namespace host::cli {

std::optional<std::string> OptionReader::take(const char* name) {
    if (done() || arguments_[at_] != name) {
        return std::nullopt;
    }
    if (at_ + 1 >= arguments_.size()) {
        throw UsageError(std::string(name) + " needs a value");
    }
    at_ += 2;
    return arguments_[at_ - 1];
}

bool OptionReader::take_flag(const char* name) {
    if (done() || arguments_[at_] != name) {
        return false;
    }
    ++at_;
    return true;
}

std::optional<std::string> OptionReader::take_plain() {
    if (done() || arguments_[at_].starts_with("-")) {
        return std::nullopt;
    }
    return arguments_[at_++];
}

void OptionReader::unknown() const {
    throw UsageError("unknown option '" + arguments_[at_] + "'");
}

const char* scenario_options_help =
    "  --scenario FILE       read a scenario file (see below); may be given more than once\n"
    "  --var TOKEN=VALUE     set a host variable before the first update\n"
    "  --named NAME=VALUE    write a named variable before the first update\n"
    "  --click X,Y           click at a gauge point before the first update\n"
    "  --step LINE           any scenario line, e.g. --step 'at 3 click 30 240'\n"
    "  --frames N            run N panel updates (default 1)\n"
    "\n"
    "Scenario lines: 'var TOKEN VALUE', 'named NAME VALUE', 'click X Y', 'hold X Y REPEATS',\n"
    "'service ID', 'frames N', 'name LABEL', and 'at FRAME' before any of the first five to\n"
    "apply it before that panel update instead of the first. '#' starts a comment.\n";

bool take_scenario_option(OptionReader& options, Scenario& scenario) {
    const auto split = [](const std::string& text, char separator, const char* option) {
        const std::size_t at = text.find(separator);
        if (at == std::string::npos) {
            throw UsageError(std::string(option) + " expects A" + separator + "B, not '" + text +
                             "'");
        }
        return text.substr(0, at) + " " + text.substr(at + 1);
    };
    if (auto file = options.take("--scenario")) {
        const Scenario read = read_scenario_file(*file);
        scenario.steps.insert(scenario.steps.end(), read.steps.begin(), read.steps.end());
        scenario.frames = read.frames;
        if (!read.name.empty()) {
            scenario.name = read.name;
        }
    } else if (auto var = options.take("--var")) {
        scenario.add_line("var " + split(*var, '=', "--var"), "--var");
    } else if (auto named = options.take("--named")) {
        scenario.add_line("named " + split(*named, '=', "--named"), "--named");
    } else if (auto click = options.take("--click")) {
        scenario.add_line("click " + split(*click, ',', "--click"), "--click");
    } else if (auto step = options.take("--step")) {
        scenario.add_line(*step, "--step");
    } else if (auto frames = options.take("--frames")) {
        scenario.add_line("frames " + *frames, "--frames");
    } else {
        return false;
    }
    return true;
}

std::uint32_t parse_text_capacity(const std::string& text) {
    std::uint32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value > 1u << 20) {
        throw UsageError("--text-capacity must be a whole number of bytes up to 1048576");
    }
    return value;
}

int parse_count(const std::string& text, const char* option, int lowest, int highest) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < lowest ||
        value > highest) {
        throw UsageError(std::string(option) + " must be a whole number from " +
                         std::to_string(lowest) + " to " + std::to_string(highest) + ", not '" +
                         text + "'");
    }
    return value;
}

int parse_scale(const std::string& text) {
    return parse_count(text, "--scale", 1, 3);
}

void check_output_directory(const std::string& path) {
    const std::filesystem::path directory = std::filesystem::path(path).parent_path();
    std::error_code error;
    if (!directory.empty() && !std::filesystem::is_directory(directory, error)) {
        throw UsageError("cannot write " + path + ": there is no directory " + directory.string());
    }
}

} // namespace host::cli
