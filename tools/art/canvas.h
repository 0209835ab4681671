#pragma once

#include "colour.h"

#include <cairo.h>

#include <memory>
#include <vector>

namespace qx::art {

// A drawing surface of a fixed size: a cairo ARGB32 image with its drawing context.
//
// Drawing code paints flat areas through `set_colour`, which also records the colour so that
// palettising keeps it exactly; gradients and anti-aliased edges may be approximated. The
// surface starts fully transparent, which reads back as black.
class Canvas {
  public:
    // Throws std::runtime_error when cairo cannot create the surface.
    Canvas(int width, int height);

    int width() const { return width_; }
    int height() const { return height_; }
    cairo_t* cr() const { return cr_.get(); }

    // Sets a solid source colour and remembers it as one to keep exactly.
    void set_colour(Rgb colour);
    const std::vector<Rgb>& flat_colours() const { return flat_colours_; }

    // The picture as drawn, composed over black.
    RgbImage pixels() const;

  private:
    struct SurfaceDeleter {
        void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
    };
    struct ContextDeleter {
        void operator()(cairo_t* c) const { cairo_destroy(c); }
    };

    int width_;
    int height_;
    std::unique_ptr<cairo_surface_t, SurfaceDeleter> surface_;
    std::unique_ptr<cairo_t, ContextDeleter> cr_;
    std::vector<Rgb> flat_colours_;
};

} // namespace qx::art
