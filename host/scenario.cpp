#include "scenario.h"
#include "errors.h"

#include <charconv>
#include <cmath>
#include <fstream>
#include <limits>
#include <sstream>

namespace host {

namespace {

// Highest frame count a scenario may ask for.
constexpr int max_frames = 10'000'000;

std::vector<std::string> words_of(const std::string& line) {
    std::istringstream in(line.substr(0, line.find('#')));
    std::vector<std::string> words;
    for (std::string word; in >> word;) {
        words.push_back(word);
    }
    return words;
}

template <class Number>
Number parse_integer(const std::string& word, const std::string& what, const std::string& where,
                     long long lowest, long long highest) {
    long long value = 0;
    int base = 10;
    std::string_view digits = word;
    bool negative = false;
    if (digits.starts_with('-')) {
        negative = true;
        digits.remove_prefix(1);
    }
    if (digits.starts_with("0x") || digits.starts_with("0X")) {
        base = 16;
        digits.remove_prefix(2);
    }
    const auto [end, error] =
        std::from_chars(digits.data(), digits.data() + digits.size(), value, base);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size()) {
        throw UsageError(where + ": " + what + " must be a whole number, not '" + word + "'");
    }
    value = negative ? -value : value;
    if (value < lowest || value > highest) {
        throw UsageError(where + ": " + what + " " + word + " is out of range");
    }
    return static_cast<Number>(value);
}

double parse_real(const std::string& word, const std::string& where) {
    std::istringstream in(word);
    in.imbue(std::locale::classic());
    double value = 0.0;
    std::string rest;
    if (word == "nan" || word == "NaN") {
        return std::numeric_limits<double>::quiet_NaN();
    }
    if (word == "inf" || word == "+inf") {
        return std::numeric_limits<double>::infinity();
    }
    if (word == "-inf") {
        return -std::numeric_limits<double>::infinity();
    }
    if (!(in >> value) || (in >> rest)) {
        throw UsageError(where + ": a value must be a number, not '" + word + "'");
    }
    return value;
}

void expect_words(const std::vector<std::string>& words, std::size_t low, std::size_t high,
                  const std::string& usage, const std::string& where) {
    if (words.size() < low || words.size() > high) {
        throw UsageError(where + ": expected '" + usage + "'");
    }
}

std::string format_value(double value) {
    std::ostringstream out;
    out.imbue(std::locale::classic());
    out << value;
    return out.str();
}

} // namespace

void Scenario::add_line(const std::string& line, const std::string& where) {
    std::vector<std::string> words = words_of(line);
    if (words.empty()) {
        return;
    }
    if (words[0] == "name") {
        const std::size_t start = line.find("name") + 4;
        const std::size_t first = line.find_first_not_of(" \t", start);
        name = first == std::string::npos ? "" : line.substr(first);
        return;
    }
    if (words[0] == "frames") {
        expect_words(words, 2, 2, "frames N", where);
        frames = parse_integer<int>(words[1], "frames", where, 0, max_frames);
        return;
    }
    ScenarioStep step;
    if (words[0] == "at") {
        if (words.size() < 3) {
            throw UsageError(where + ": expected 'at FRAME COMMAND ...'");
        }
        step.frame = parse_integer<int>(words[1], "the frame", where, 1, max_frames);
        words.erase(words.begin(), words.begin() + 2);
    }
    const std::string& command = words[0];
    if (command == "var") {
        expect_words(words, 3, 3, "var TOKEN VALUE", where);
        step.kind = ScenarioStep::Kind::var;
        step.token = parse_integer<std::uint32_t>(words[1], "a token", where, 0, 0xFFFFFFFFll);
        step.value = parse_real(words[2], where);
    } else if (command == "named") {
        expect_words(words, 3, 3, "named NAME VALUE", where);
        step.kind = ScenarioStep::Kind::named;
        step.name = words[1];
        // A 32-bit variable: values from -2^31 up to 2^32 - 1 are taken, the latter as their
        // two's-complement bits.
        step.named_value =
            static_cast<std::int32_t>(static_cast<std::uint32_t>(parse_integer<long long>(
                words[2], "a named variable's value", where, -0x80000000ll, 0xFFFFFFFFll)));
    } else if (command == "click" || command == "hold") {
        const bool hold = command == "hold";
        expect_words(words, hold ? 4 : 3, hold ? 4 : 3, hold ? "hold X Y REPEATS" : "click X Y",
                     where);
        step.kind = ScenarioStep::Kind::click;
        step.x = parse_integer<int>(words[1], "x", where, -100000, 100000);
        step.y = parse_integer<int>(words[2], "y", where, -100000, 100000);
        step.repeats = hold ? parse_integer<int>(words[3], "repeats", where, 0, 100000) : 0;
    } else if (command == "service") {
        expect_words(words, 2, 2, "service ID", where);
        step.kind = ScenarioStep::Kind::service;
        step.service_id = parse_integer<std::int32_t>(words[1], "a service id", where,
                                                      -0x80000000ll, 0x7FFFFFFFll);
    } else {
        throw UsageError(where + ": unknown scenario command '" + command + "'");
    }
    steps.push_back(step);
}

std::string Scenario::summary() const {
    std::string text;
    const auto add = [&](const std::string& part) {
        if (!text.empty()) {
            text += ' ';
        }
        text += part;
    };
    for (const ScenarioStep& step : steps) {
        const std::string at = step.frame > 1 ? "@" + std::to_string(step.frame) + ":" : "";
        switch (step.kind) {
        case ScenarioStep::Kind::var:
            add(at + std::to_string(step.token) + "=" + format_value(step.value));
            break;
        case ScenarioStep::Kind::named:
            add(at + step.name + "=" + std::to_string(step.named_value));
            break;
        case ScenarioStep::Kind::click:
            add(at + "click(" + std::to_string(step.x) + "," + std::to_string(step.y) + ")");
            break;
        case ScenarioStep::Kind::service:
            add(at + "service " + std::to_string(step.service_id));
            break;
        }
    }
    if (frames != 1) {
        add(std::to_string(frames) + " frames");
    }
    return text;
}

Scenario read_scenario(std::istream& in, const std::string& source_name) {
    Scenario scenario;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        scenario.add_line(line, source_name + ":" + std::to_string(number));
    }
    return scenario;
}

Scenario read_scenario_file(const std::filesystem::path& path) {
    std::ifstream in(path);
    if (!in) {
        throw UsageError("cannot read the scenario file " + path.string());
    }
    return read_scenario(in, path.string());
}

} // namespace host
