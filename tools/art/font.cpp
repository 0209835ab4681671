#include "font.h"

#include <cairo-ft.h>
#include <fontconfig/fontconfig.h>

#include <memory>
#include <stdexcept>

namespace qx::art {
namespace {

struct PatternDeleter {
    void operator()(FcPattern* p) const { FcPatternDestroy(p); }
};
using Pattern = std::unique_ptr<FcPattern, PatternDeleter>;

struct FontOptionsDeleter {
    void operator()(cairo_font_options_t* o) const { cairo_font_options_destroy(o); }
};

const FcChar8* fc_text(const std::string& s) {
    return reinterpret_cast<const FcChar8*>(s.c_str());
}

bool has_value(FcPattern* pattern, const char* object, const std::string& wanted) {
    FcChar8* value = nullptr;
    for (int i = 0; FcPatternGetString(pattern, object, i, &value) == FcResultMatch; ++i) {
        if (FcStrCmpIgnoreCase(value, fc_text(wanted)) == 0) {
            return true;
        }
    }
    return false;
}

std::string first_value(FcPattern* pattern, const char* object) {
    FcChar8* value = nullptr;
    if (FcPatternGetString(pattern, object, 0, &value) != FcResultMatch) {
        return "nothing";
    }
    return reinterpret_cast<const char*>(value);
}

// Finds the installed file of the face and returns a pattern that names that file alone, so
// that no rendering settings of the machine's font configuration come along with it.
Pattern installed_face(const std::string& family, const std::string& style) {
    Pattern query(FcPatternCreate());
    FcPatternAddString(query.get(), FC_FAMILY, fc_text(family));
    FcPatternAddString(query.get(), FC_STYLE, fc_text(style));
    FcConfigSubstitute(nullptr, query.get(), FcMatchPattern);
    FcDefaultSubstitute(query.get());

    FcResult result = FcResultNoMatch;
    Pattern match(FcFontMatch(nullptr, query.get(), &result));
    const std::string wanted = family + " " + style;
    if (!match || !has_value(match.get(), FC_FAMILY, family) ||
        !has_value(match.get(), FC_STYLE, style)) {
        const std::string offered =
            match ? first_value(match.get(), FC_FAMILY) + " " + first_value(match.get(), FC_STYLE)
                  : "nothing";
        throw std::runtime_error("font '" + wanted + "' is not installed (fontconfig offers " +
                                 offered + ")");
    }
    FcChar8* file = nullptr;
    int index = 0;
    if (FcPatternGetString(match.get(), FC_FILE, 0, &file) != FcResultMatch) {
        throw std::runtime_error("font '" + wanted + "' has no file");
    }
    FcPatternGetInteger(match.get(), FC_INDEX, 0, &index);

    Pattern face(FcPatternCreate());
    FcPatternAddString(face.get(), FC_FILE, file);
    FcPatternAddInteger(face.get(), FC_INDEX, index);
    return face;
}

} // namespace

Font::Font(std::string_view family, std::string_view style) {
    const Pattern pattern = installed_face(std::string(family), std::string(style));
    face_ = cairo_ft_font_face_create_for_pattern(pattern.get());
    if (cairo_font_face_status(face_) != CAIRO_STATUS_SUCCESS) {
        const std::string reason = cairo_status_to_string(cairo_font_face_status(face_));
        cairo_font_face_destroy(face_);
        throw std::runtime_error("cannot load font '" + std::string(family) + " " +
                                 std::string(style) + "': " + reason);
    }
}

Font::~Font() {
    cairo_font_face_destroy(face_);
}

void Font::select(cairo_t* cr, double size) const {
    const std::unique_ptr<cairo_font_options_t, FontOptionsDeleter> options(
        cairo_font_options_create());
    cairo_font_options_set_antialias(options.get(), CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options.get(), CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(options.get(), CAIRO_HINT_METRICS_OFF);
    cairo_set_font_options(cr, options.get());
    cairo_set_font_face(cr, face_);
    cairo_set_font_size(cr, size);
}

FontCacheRelease::~FontCacheRelease() {
    cairo_debug_reset_static_data();
    FcFini();
}

TextSize ink_size(cairo_t* cr, std::string_view text) {
    const std::string s(text);
    cairo_text_extents_t extents;
    cairo_text_extents(cr, s.c_str(), &extents);
    return {extents.width, extents.height};
}

void centred_text_path(cairo_t* cr, std::string_view text, double cx, double cy) {
    const std::string s(text);
    cairo_text_extents_t extents;
    cairo_text_extents(cr, s.c_str(), &extents);
    cairo_move_to(cr, cx - extents.x_bearing - extents.width / 2.0,
                  cy - extents.y_bearing - extents.height / 2.0);
    cairo_text_path(cr, s.c_str());
}

} // namespace qx::art
