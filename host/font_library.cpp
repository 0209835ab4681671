#include "font_library.h"

#include <cairo-ft.h>
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <system_error>
#include <vector>

namespace host {

namespace {

struct PatternRelease {
    void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
using FcPatternHandle = std::unique_ptr<FcPattern, PatternRelease>;

struct ScaledFontRelease {
    void operator()(cairo_scaled_font_t* font) const { cairo_scaled_font_destroy(font); }
};

const FcChar8* fc_text(const std::string& text) {
    return reinterpret_cast<const FcChar8*>(text.c_str());
}

std::string pattern_string(FcPattern* pattern, const char* object) {
    FcChar8* value = nullptr;
    if (FcPatternGetString(pattern, object, 0, &value) != FcResultMatch) {
        return {};
    }
    return reinterpret_cast<const char*>(value);
}

// A Windows weight (100 thin to 900 black) on fontconfig's scale; 0 means regular.
int fontconfig_weight(int windows_weight) {
    const int weight = windows_weight == 0 ? 400 : std::clamp(windows_weight, 1, 1000);
    return FcWeightFromOpenType(weight);
}

} // namespace

FontLibrary::FontLibrary(const std::filesystem::path& config_file)
    : config_(FcConfigCreate()), options_(cairo_font_options_create()) {
    if (config_ == nullptr) {
        throw std::runtime_error("cannot create a font configuration");
    }
    if (!FcConfigParseAndLoad(config_, fc_text(config_file.string()), FcTrue) ||
        !FcConfigBuildFonts(config_)) {
        FcConfigDestroy(config_);
        throw std::runtime_error("cannot load the font configuration " + config_file.string());
    }
    cairo_font_options_set_antialias(options_.get(), CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options_.get(), CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(options_.get(), CAIRO_HINT_METRICS_OFF);
}

FontLibrary::~FontLibrary() {
    for (auto& [key, face] : faces_) {
        cairo_font_face_destroy(face.face);
    }
    FcConfigDestroy(config_);
}

const FontFace& FontLibrary::face(const std::string& name, int weight) {
    const auto key = std::make_pair(name, weight);
    if (const auto found = faces_.find(key); found != faces_.end()) {
        return found->second;
    }
    return faces_.emplace(key, resolve(name, weight)).first->second;
}

FontFace FontLibrary::resolve(const std::string& name, int weight) const {
    const FcPatternHandle query(FcPatternCreate());
    FcPatternAddString(query.get(), FC_FAMILY, fc_text(name));
    FcPatternAddInteger(query.get(), FC_WEIGHT, fontconfig_weight(weight));
    FcPatternAddInteger(query.get(), FC_SLANT, FC_SLANT_ROMAN);
    FcConfigSubstitute(config_, query.get(), FcMatchPattern);
    FcDefaultSubstitute(query.get());
    FcResult result = FcResultNoMatch;
    const FcPatternHandle match(FcFontMatch(config_, query.get(), &result));
    FontFace face;
    face.file = match ? pattern_string(match.get(), FC_FILE) : std::string();
    if (face.file.empty()) {
        throw std::runtime_error("no installed font can stand in for '" + name + "'");
    }
    face.family = pattern_string(match.get(), FC_FAMILY);
    face.style = pattern_string(match.get(), FC_STYLE);
    int index = 0;
    FcPatternGetInteger(match.get(), FC_INDEX, 0, &index);

    // cairo is given the file alone, so that no rendering setting of any configuration
    // comes along with it.
    const FcPatternHandle file(FcPatternCreate());
    FcPatternAddString(file.get(), FC_FILE, fc_text(face.file.string()));
    FcPatternAddInteger(file.get(), FC_INDEX, index);
    face.face = cairo_ft_font_face_create_for_pattern(file.get());
    if (cairo_font_face_status(face.face) != CAIRO_STATUS_SUCCESS) {
        const std::string reason = cairo_status_to_string(cairo_font_face_status(face.face));
        cairo_font_face_destroy(face.face);
        throw std::runtime_error("cannot load the font " + face.file.string() + ": " + reason);
    }

    // Line metrics measured at a large size, where they are exact, per pixel of size.
    constexpr double probe_size = 1000.0;
    cairo_matrix_t size;
    cairo_matrix_t identity;
    cairo_matrix_init_scale(&size, probe_size, probe_size);
    cairo_matrix_init_identity(&identity);
    const std::unique_ptr<cairo_scaled_font_t, ScaledFontRelease> scaled(
        cairo_scaled_font_create(face.face, &size, &identity, options_.get()));
    cairo_font_extents_t extents;
    cairo_scaled_font_extents(scaled.get(), &extents);
    face.ascent = extents.ascent / probe_size;
    face.descent = extents.descent / probe_size;
    return face;
}

std::filesystem::path find_font_config() {
    std::vector<std::filesystem::path> candidates;
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) {
        candidates.push_back(program.parent_path() / "fonts" / "fonts.conf");
    }
    candidates.push_back(std::filesystem::path(PANELHOST_SOURCE_DIR) / "fonts" / "fonts.conf");
    std::string looked;
    for (const std::filesystem::path& candidate : candidates) {
        if (std::filesystem::is_regular_file(candidate, error)) {
            return candidate;
        }
        looked += (looked.empty() ? "" : ", ") + candidate.string();
    }
    throw std::runtime_error("cannot find the host's font configuration (looked for " + looked +
                             ")");
}

} // namespace host
