// respack: packs the bitmaps that a preprocessed resource script names into the resource pack
// that a Linux gauge module embeds. It reads the subset of the script language that the gauge
// modules use: LANGUAGE statements, "<id> BITMAP <file>" lines and VERSIONINFO blocks (which are
// Windows-only and skipped).
#include "resource_pack.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

struct Resource {
    std::uint32_t id;
    std::uint32_t language;
    std::vector<char> data;
};

struct Options {
    std::filesystem::path base_dir;
    std::filesystem::path output;
    std::filesystem::path script;
};

const char* usage = "usage: respack --base-dir DIR --output PACK SCRIPT\n"
                    "Packs the bitmaps named by a preprocessed resource script.\n";

std::vector<char> read_file(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot read " + path.string());
    }
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::uint32_t parse_number(const std::string& token, const std::string& where) {
    try {
        std::size_t used = 0;
        const unsigned long value = std::stoul(token, &used, 0);
        if (used == token.size() && value <= 0xFFFFFFFFul) {
            return static_cast<std::uint32_t>(value);
        }
    } catch (const std::exception&) {
    }
    throw std::runtime_error(where + ": not a number: " + token);
}

// Splits a line into words, keeping a quoted string as one word without its quotes and
// treating commas as separators.
std::vector<std::string> words_of(const std::string& line) {
    std::vector<std::string> words;
    std::string word;
    bool quoted = false;
    for (char c : line) {
        if (quoted) {
            if (c == '"') {
                quoted = false;
                words.push_back(word);
                word.clear();
            } else {
                word += c;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ' ' || c == '\t' || c == ',' || c == '\r') {
            if (!word.empty()) {
                words.push_back(word);
                word.clear();
            }
        } else {
            word += c;
        }
    }
    if (!word.empty()) {
        words.push_back(word);
    }
    return words;
}

// The device-independent bitmap inside a bitmap file: the file without its file header.
std::vector<char> bitmap_body(const std::filesystem::path& path) {
    std::vector<char> file = read_file(path);
    if (file.size() < 14 + 40 || file[0] != 'B' || file[1] != 'M') {
        throw std::runtime_error(path.string() + ": not a bitmap file");
    }
    return {file.begin() + 14, file.end()};
}

std::vector<Resource> parse_script(const Options& options) {
    std::ifstream in(options.script);
    if (!in) {
        throw std::runtime_error("cannot read " + options.script.string());
    }
    std::vector<Resource> resources;
    std::uint32_t language = 0;
    int block_depth = 0;
    bool in_version_block = false;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        const std::string where = options.script.string() + ":" + std::to_string(number);
        const std::vector<std::string> words = words_of(line);
        if (words.empty()) {
            continue;
        }
        if (in_version_block) {
            if (words[0] == "BEGIN") {
                ++block_depth;
            } else if (words[0] == "END" && --block_depth == 0) {
                in_version_block = false;
            }
            continue;
        }
        if (words[0] == "LANGUAGE" && words.size() == 3) {
            language = parse_number(words[2], where) << 10 | parse_number(words[1], where);
        } else if (words.size() >= 2 && words[1] == "VERSIONINFO") {
            in_version_block = true;
        } else if (words.size() == 3 && words[1] == "BITMAP") {
            resources.push_back({parse_number(words[0], where), language,
                                 bitmap_body(options.base_dir / words[2])});
        } else {
            throw std::runtime_error(where + ": unsupported resource statement: " + line);
        }
    }
    return resources;
}

void put_word(std::string& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        out += static_cast<char>((value >> shift) & 0xFF);
    }
}

void write_pack(const std::vector<Resource>& resources, const std::filesystem::path& output) {
    std::string pack(resource_pack::magic, sizeof resource_pack::magic);
    put_word(pack, static_cast<std::uint32_t>(resources.size()));
    std::uint32_t offset = resource_pack::header_size +
                           resource_pack::entry_size * static_cast<std::uint32_t>(resources.size());
    for (const Resource& resource : resources) {
        put_word(pack, resource_pack::type_bitmap);
        put_word(pack, resource.id);
        put_word(pack, resource.language);
        put_word(pack, offset);
        put_word(pack, static_cast<std::uint32_t>(resource.data.size()));
        offset += static_cast<std::uint32_t>(resource.data.size());
    }
    for (const Resource& resource : resources) {
        pack.append(resource.data.data(), resource.data.size());
    }
    const std::filesystem::path partial = output.string() + ".partial";
    {
        std::ofstream out(partial, std::ios::binary | std::ios::trunc);
        out.write(pack.data(), static_cast<std::streamsize>(pack.size()));
        if (!out) {
            throw std::runtime_error("cannot write " + output.string());
        }
    }
    std::filesystem::rename(partial, output);
}

std::optional<Options> parse_arguments(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::cout << usage;
            std::exit(0);
        } else if (arg == "--base-dir" && i + 1 < argc) {
            options.base_dir = argv[++i];
        } else if (arg == "--output" && i + 1 < argc) {
            options.output = argv[++i];
        } else if (!arg.starts_with("-") && options.script.empty()) {
            options.script = arg;
        } else {
            return std::nullopt;
        }
    }
    if (options.output.empty() || options.script.empty()) {
        return std::nullopt;
    }
    return options;
}

} // namespace

int main(int argc, char** argv) {
    const std::optional<Options> options = parse_arguments(argc, argv);
    if (!options) {
        std::cerr << usage;
        return 2;
    }
    try {
        write_pack(parse_script(*options), options->output);
    } catch (const std::exception& error) {
        std::cerr << "respack: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
