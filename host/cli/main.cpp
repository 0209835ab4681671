// panelhost: the stand-in panel host's command line.
#include "command.h"
#include "errors.h"

#include <cstring>
#include <iostream>

namespace host::cli {

namespace {

const char* program_help =
    "usage: panelhost COMMAND [ARGUMENTS]\n"
    "\n"
    "The stand-in panel host: loads gauge modules and drives them as the panel system does.\n"
    "\n"
    "commands:\n";

int run_help(const Arguments& arguments);

} // namespace

const std::vector<Command>& commands() {
    static const std::vector<Command> table = {
        {.name = "info",
         .summary = "show a module's records: header, elements, mouse rectangles, bitmaps",
         .help = "usage: panelhost info MODULE [--json]\n"
                 "\n"
                 "Loads MODULE and prints its records as a table, or as JSON with --json.\n",
         .run = run_info},
        {.name = "run",
         .summary = "run a gauge through a scenario and trace what happens as JSON lines",
         .help =
             "usage: panelhost run MODULE [OPTIONS]\n"
             "\n"
             "Loads MODULE, installs and initialises its gauge, runs the scenario's panel\n"
             "updates, kills the gauge and unloads it. Prints one JSON object a line: each\n"
             "service sent, each call into the host, each click, and after every update each\n"
             "element's values, text and draw flags and the named variables.\n"
             "\n"
             "options:\n"
             "  --output FILE         write the trace to FILE instead of standard output\n"
             "  --text-capacity N     capacity of each text buffer, NUL included (default 64)\n",
         .run = run_run},
#ifdef PANELHOST_DRAWS
        {.name = "render",
         .summary = "draw a gauge after a scenario's panel updates, as a PNG picture",
         .help = "usage: panelhost render MODULE [OPTIONS] --output FILE.png\n"
                 "\n"
                 "Loads MODULE, installs and initialises its gauge, runs the scenario's panel\n"
                 "updates (so that counters advance), draws the last frame as the panel system\n"
                 "draws it and writes it as a PNG picture. The file is written whole or not at\n"
                 "all.\n"
                 "\n"
                 "options:\n"
                 "  --output FILE.png     the picture to write\n"
                 "  --scale N             draw at 1, 2 or 3 times the gauge's size (default 1):\n"
                 "                        the geometry is scaled, the bitmaps' pixels stay sharp\n"
                 "  --text-capacity N     capacity of each text buffer, NUL included (default 64)\n",
         .run = run_render},
        {.name = "sheet",
         .summary = "draw several gauges under their scenarios on one labelled contact sheet",
         .help = "usage: panelhost sheet --output FILE.png [OPTIONS] CELL...\n"
                 "\n"
                 "Each CELL is MODULE or MODULE:SCENARIO_FILE: the module's gauge after the\n"
                 "scenario's panel updates, labelled with the gauge's name, the scenario's name\n"
                 "(or its file's) and the values it sets. Cells are laid out in rows.\n"
                 "\n"
                 "options:\n"
                 "  --output FILE.png     the picture to write\n"
                 "  --scale N             draw at 1, 2 or 3 times the gauges' size (default 1)\n"
                 "  --columns N           cells in a row (default: up to 4)\n"
                 "  --text-capacity N     capacity of each text buffer, NUL included (default 64)\n",
         .run = run_sheet},
#endif
        {.name = "help",
         .summary = "show help for a command",
         .help = "usage: panelhost help [COMMAND]\n",
         .run = run_help},
    };
    return table;
}

namespace {

void print_command_help(const Command& command) {
    std::cout << command.help;
    if (std::strcmp(command.name, "run") == 0 || std::strcmp(command.name, "render") == 0) {
        std::cout << scenario_options_help;
    }
}

int run_help(const Arguments& arguments) {
    if (!arguments.empty()) {
        for (const Command& command : commands()) {
            if (arguments[0] == command.name) {
                print_command_help(command);
                return 0;
            }
        }
        throw UsageError("unknown command '" + arguments[0] + "'");
    }
    std::cout << program_help;
    for (const Command& command : commands()) {
        std::cout << "  " << command.name << std::string(10 - std::strlen(command.name), ' ')
                  << command.summary << '\n';
    }
    std::cout
        << "\n'panelhost help COMMAND' or 'panelhost COMMAND --help' shows a command's options.\n";
    return 0;
}

} // namespace

} // namespace host::cli

int main(int argc, char** argv) {
    using namespace host::cli;
    const Arguments arguments(argv + 1, argv + argc);
    if (arguments.empty() || arguments[0] == "--help" || arguments[0] == "-h") {
        return run_help({});
    }
    for (const Command& command : commands()) {
        if (arguments[0] != command.name) {
            continue;
        }
        const Arguments rest(arguments.begin() + 1, arguments.end());
        if (!rest.empty() && (rest[0] == "--help" || rest[0] == "-h")) {
            print_command_help(command);
            return 0;
        }
        try {
            return command.run(rest);
        } catch (const host::UsageError& error) {
            std::cerr << "panelhost " << command.name << ": " << error.what() << "\n"
                      << "see 'panelhost help " << command.name << "'\n";
            return 2;
        } catch (const std::exception& error) {
            std::cerr << "panelhost " << command.name << ": " << error.what() << '\n';
            return 1;
        }
    }
    std::cerr << "panelhost: unknown command '" << arguments[0] << "'; see 'panelhost help'\n";
    return 2;
}
