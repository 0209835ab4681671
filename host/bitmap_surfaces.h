// A module's bitmaps as cairo images, each decoded once and kept for every frame.
#pragma once

#include "cairo_handles.h"
#include "module_resources.h"

#include <cstdint>
#include <map>
#include <utility>

namespace host {

// The colours that a mask gives meaning to: pure black lies outside the window, this
// near-black is the window itself, and every other colour is detail drawn over the picture.
inline constexpr std::uint32_t mask_outside = rgb(0, 0, 0);
inline constexpr std::uint32_t mask_window = rgb(1, 1, 1);

class BitmapSurfaces {
  public:
    explicit BitmapSurfaces(const ModuleResources& resources) : resources_(resources) {}
    BitmapSurfaces(const BitmapSurfaces&) = delete;
    BitmapSurfaces& operator=(const BitmapSurfaces&) = delete;

    // Each returns null when the module carries no bitmap `id`, and throws LoadError for one
    // that cannot be decoded. The images live as long as this object.

    // The bitmap as an opaque picture; with `black_transparent`, its pure black pixels are
    // left out (fully transparent).
    cairo_surface_t* picture(std::int32_t id, bool black_transparent);
    // A mask's window: an alpha image, opaque where the mask has the window colour.
    cairo_surface_t* window(std::int32_t id);
    // A mask's detail: its colours other than outside and window, opaque, on transparency.
    // Null also when the mask has no detail.
    cairo_surface_t* detail(std::int32_t id);

  private:
    enum class Kind { opaque, transparent, window, detail };
    cairo_surface_t* cached(std::int32_t id, Kind kind);

    const ModuleResources& resources_;
    std::map<std::pair<std::int32_t, Kind>, SurfaceHandle> surfaces_;
};

// Width and height of a cairo image.
int image_width(cairo_surface_t* image);
int image_height(cairo_surface_t* image);

} // namespace host
