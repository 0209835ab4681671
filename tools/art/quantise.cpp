#include "quantise.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <map>
#include <stdexcept>
#include <string>

namespace qx::art {
namespace {

struct ColourCount {
    Rgb colour;
    std::uint64_t count = 0;
};

using Histogram = std::map<Rgb, std::uint64_t>;

int channel(Rgb c, int which) {
    switch (which) {
    case 0:
        return c.r;
    case 1:
        return c.g;
    default:
        return c.b;
    }
}

int squared_distance(Rgb a, Rgb b) {
    const int dr = a.r - b.r;
    const int dg = a.g - b.g;
    const int db = a.b - b.b;
    return dr * dr + dg * dg + db * db;
}

Histogram count_colours(const RgbImage& image) {
    Histogram histogram;
    for (const Rgb c : image.pixels) {
        ++histogram[c];
    }
    return histogram;
}

// The colours that must keep their own palette entry, in a fixed order: black, the mask colour,
// then the caller's colours as given, each once and only if the picture uses it.
std::vector<Rgb> exact_entries(const Histogram& histogram, std::span<const Rgb> exact) {
    std::vector<Rgb> wanted{black, mask_near_black};
    wanted.insert(wanted.end(), exact.begin(), exact.end());
    std::vector<Rgb> entries;
    for (const Rgb c : wanted) {
        if (histogram.contains(c) &&
            std::find(entries.begin(), entries.end(), c) == entries.end()) {
            entries.push_back(c);
        }
    }
    return entries;
}

// A box of colours for median cut, with its summed squared error about its weighted mean.
struct Box {
    std::vector<ColourCount> colours;
    double error = 0.0;
};

std::array<double, 3> weighted_mean(const std::vector<ColourCount>& colours) {
    std::array<double, 3> sum{};
    double total = 0.0;
    for (const ColourCount& cc : colours) {
        for (int ch = 0; ch < 3; ++ch) {
            sum[ch] += static_cast<double>(channel(cc.colour, ch)) * cc.count;
        }
        total += static_cast<double>(cc.count);
    }
    for (double& s : sum) {
        s /= total;
    }
    return sum;
}

Box make_box(std::vector<ColourCount> colours) {
    const std::array<double, 3> mean = weighted_mean(colours);
    double error = 0.0;
    for (const ColourCount& cc : colours) {
        for (int ch = 0; ch < 3; ++ch) {
            const double d = channel(cc.colour, ch) - mean[ch];
            error += d * d * static_cast<double>(cc.count);
        }
    }
    return Box{std::move(colours), error};
}

int widest_channel(const std::vector<ColourCount>& colours) {
    std::array<int, 3> low{255, 255, 255};
    std::array<int, 3> high{0, 0, 0};
    for (const ColourCount& cc : colours) {
        for (int ch = 0; ch < 3; ++ch) {
            low[ch] = std::min(low[ch], channel(cc.colour, ch));
            high[ch] = std::max(high[ch], channel(cc.colour, ch));
        }
    }
    int widest = 0;
    for (int ch = 1; ch < 3; ++ch) {
        if (high[ch] - low[ch] > high[widest] - low[widest]) {
            widest = ch;
        }
    }
    return widest;
}

// Splits a box of at least two colours at the weighted median of its widest channel.
std::pair<Box, Box> split(Box box) {
    const int ch = widest_channel(box.colours);
    std::sort(box.colours.begin(), box.colours.end(),
              [ch](const ColourCount& a, const ColourCount& b) {
                  const int ka = channel(a.colour, ch);
                  const int kb = channel(b.colour, ch);
                  return ka != kb ? ka < kb : a.colour < b.colour;
              });
    std::uint64_t total = 0;
    for (const ColourCount& cc : box.colours) {
        total += cc.count;
    }
    std::uint64_t running = 0;
    std::size_t cut = 1;
    for (; cut < box.colours.size() - 1; ++cut) {
        running += box.colours[cut - 1].count;
        if (2 * running >= total) {
            break;
        }
    }
    std::vector<ColourCount> upper(box.colours.begin() + static_cast<std::ptrdiff_t>(cut),
                                   box.colours.end());
    box.colours.resize(cut);
    return {make_box(std::move(box.colours)), make_box(std::move(upper))};
}

// The colour of the box nearest to its weighted mean, so that every palette entry is a colour
// that the picture really uses.
Rgb representative(const Box& box) {
    const std::array<double, 3> mean = weighted_mean(box.colours);
    Rgb best = box.colours.front().colour;
    double best_distance = -1.0;
    for (const ColourCount& cc : box.colours) {
        double d = 0.0;
        for (int ch = 0; ch < 3; ++ch) {
            const double diff = channel(cc.colour, ch) - mean[ch];
            d += diff * diff;
        }
        if (best_distance < 0.0 || d < best_distance) {
            best = cc.colour;
            best_distance = d;
        }
    }
    return best;
}

std::vector<Rgb> median_cut(std::vector<ColourCount> colours, std::size_t slots) {
    std::vector<Box> boxes;
    boxes.push_back(make_box(std::move(colours)));
    while (boxes.size() < slots) {
        auto worst = boxes.end();
        for (auto it = boxes.begin(); it != boxes.end(); ++it) {
            if (it->colours.size() > 1 && (worst == boxes.end() || it->error > worst->error)) {
                worst = it;
            }
        }
        if (worst == boxes.end()) {
            break;
        }
        auto [lower, upper] = split(std::move(*worst));
        *worst = std::move(lower);
        boxes.push_back(std::move(upper));
    }
    std::vector<Rgb> result;
    result.reserve(boxes.size());
    for (const Box& box : boxes) {
        result.push_back(representative(box));
    }
    std::sort(result.begin(), result.end());
    return result;
}

std::vector<Rgb> approximated_entries(const Histogram& histogram, const std::vector<Rgb>& exact,
                                      std::size_t slots) {
    std::vector<ColourCount> rest;
    for (const auto& [colour, count] : histogram) {
        if (std::find(exact.begin(), exact.end(), colour) == exact.end()) {
            rest.push_back({colour, count});
        }
    }
    if (rest.size() <= slots) {
        std::vector<Rgb> all;
        all.reserve(rest.size());
        for (const ColourCount& cc : rest) {
            all.push_back(cc.colour);
        }
        return all;
    }
    return median_cut(std::move(rest), slots);
}

std::uint8_t nearest_entry(const std::vector<Rgb>& palette, Rgb c) {
    std::size_t best = 0;
    int best_distance = -1;
    bool best_is_black = false;
    for (std::size_t i = 0; i < palette.size(); ++i) {
        const int d = squared_distance(palette[i], c);
        const bool is_black = palette[i] == black;
        const bool better = best_distance < 0 || d < best_distance ||
                            (d == best_distance && best_is_black && !is_black);
        if (better) {
            best = i;
            best_distance = d;
            best_is_black = is_black;
        }
    }
    return static_cast<std::uint8_t>(best);
}

void check_image(const RgbImage& image) {
    if (image.width <= 0 || image.height <= 0) {
        throw std::invalid_argument("cannot quantise an empty picture");
    }
    if (image.pixels.size() != static_cast<std::size_t>(image.width) * image.height) {
        throw std::invalid_argument("picture has " + std::to_string(image.pixels.size()) +
                                    " pixels, expected " + std::to_string(image.width) + " x " +
                                    std::to_string(image.height));
    }
}

} // namespace

IndexedImage quantise(const RgbImage& image, std::span<const Rgb> exact) {
    check_image(image);
    const Histogram histogram = count_colours(image);

    std::vector<Rgb> palette = exact_entries(histogram, exact);
    if (palette.size() > max_palette_size) {
        throw std::invalid_argument("picture uses " + std::to_string(palette.size()) +
                                    " colours that must stay exact; a palette holds " +
                                    std::to_string(max_palette_size));
    }
    const std::vector<Rgb> approximated =
        approximated_entries(histogram, palette, max_palette_size - palette.size());
    palette.insert(palette.end(), approximated.begin(), approximated.end());

    std::map<Rgb, std::uint8_t> index_of;
    for (const auto& entry : histogram) {
        index_of.emplace(entry.first, nearest_entry(palette, entry.first));
    }

    IndexedImage result{image.width, image.height, std::move(palette), {}};
    result.pixels.reserve(image.pixels.size());
    for (const Rgb c : image.pixels) {
        result.pixels.push_back(index_of.at(c));
    }
    return result;
}

} // namespace qx::art
