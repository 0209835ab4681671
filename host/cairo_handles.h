// Owning handles for the cairo objects the renderer keeps.
#pragma once

#include <cairo.h>

#include <memory>

namespace host {

struct CairoSurfaceRelease {
    void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};
struct CairoContextRelease {
    void operator()(cairo_t* cr) const { cairo_destroy(cr); }
};
struct CairoPatternRelease {
    void operator()(cairo_pattern_t* pattern) const { cairo_pattern_destroy(pattern); }
};
struct CairoFontFaceRelease {
    void operator()(cairo_font_face_t* face) const { cairo_font_face_destroy(face); }
};
struct CairoFontOptionsRelease {
    void operator()(cairo_font_options_t* options) const { cairo_font_options_destroy(options); }
};

using SurfaceHandle = std::unique_ptr<cairo_surface_t, CairoSurfaceRelease>;
using ContextHandle = std::unique_ptr<cairo_t, CairoContextRelease>;
using PatternHandle = std::unique_ptr<cairo_pattern_t, CairoPatternRelease>;
using FontFaceHandle = std::unique_ptr<cairo_font_face_t, CairoFontFaceRelease>;
using FontOptionsHandle = std::unique_ptr<cairo_font_options_t, CairoFontOptionsRelease>;

} // namespace host
