// qx-art: draws the gauges' bitmaps and writes them as 8-bit palettised Windows bitmaps.

#include "bmp.h"
#include "font.h"
#include "gauge_table.h"
#include "quantise.h"

#include <exception>
#include <filesystem>
#include <iostream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr int exit_failure = 1;
constexpr int exit_usage = 2;

void print_help(std::ostream& out) {
    out << "qx-art: draws the gauges' bitmaps\n"
           "\n"
           "usage:\n"
           "  qx-art <gauge-name> <output-dir>  write one gauge's bitmaps into <output-dir>\n"
           "                                    (created if missing)\n"
           "  qx-art --all <gauges-root>        write every gauge's bitmaps into\n"
           "                                    <gauges-root>/<gauge-name>/bitmaps/\n"
           "  qx-art --help                     show this text\n"
           "\n"
           "Bitmaps are 8-bit palettised, uncompressed, bottom-up Windows bitmaps; the same\n"
           "program on the same fonts writes the same bytes every time.\n"
           "\n"
           "gauges:\n";
    for (const qx::art::GaugeArt& gauge : qx::art::gauge_table()) {
        out << "  " << gauge.name << "\n";
    }
}

void make_directory(const fs::path& dir) {
    std::error_code ec;
    fs::create_directories(dir, ec);
    if (ec) {
        throw std::runtime_error("cannot create directory " + dir.string() + ": " + ec.message());
    }
    if (!fs::is_directory(dir)) {
        throw std::runtime_error(dir.string() + " is not a directory");
    }
}

void write_gauge(const qx::art::GaugeArt& gauge, const fs::path& dir) {
    make_directory(dir);
    for (const qx::art::Artwork& art : gauge.draw()) {
        const qx::art::IndexedImage image =
            qx::art::quantise(art.canvas.pixels(), art.canvas.flat_colours());
        const fs::path path = dir / art.file_name;
        qx::art::write_file(path, qx::art::encode_bmp(image));
        std::cout << "wrote " << path.string() << "\n";
    }
}

void write_all(const fs::path& root) {
    if (!fs::is_directory(root)) {
        throw std::runtime_error("gauges root " + root.string() + " is not a directory");
    }
    for (const qx::art::GaugeArt& gauge : qx::art::gauge_table()) {
        write_gauge(gauge, root / gauge.name / "bitmaps");
    }
}

std::string known_gauges() {
    std::string names;
    for (const qx::art::GaugeArt& gauge : qx::art::gauge_table()) {
        names += " ";
        names += gauge.name;
    }
    return names;
}

int usage_error(const std::string& message) {
    std::cerr << "qx-art: " << message << "\n(run 'qx-art --help' for usage)\n";
    return exit_usage;
}

int run(const std::vector<std::string_view>& args) {
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        print_help(std::cout);
        return 0;
    }
    if (args.size() != 2) {
        return usage_error("expected two arguments");
    }
    if (args[0] == "--all") {
        write_all(fs::path(args[1]));
        return 0;
    }
    if (args[0].starts_with("-")) {
        return usage_error("unknown option '" + std::string(args[0]) + "'");
    }
    const qx::art::GaugeArt* gauge = qx::art::find_gauge(args[0]);
    if (gauge == nullptr) {
        return usage_error("unknown gauge '" + std::string(args[0]) +
                           "'; known gauges:" + known_gauges());
    }
    write_gauge(*gauge, fs::path(args[1]));
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    const qx::art::FontCacheRelease font_caches;
    try {
        return run(args);
    } catch (const std::exception& e) {
        std::cerr << "qx-art: " << e.what() << "\n";
        return exit_failure;
    }
}
