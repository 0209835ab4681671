// Draws a gauge instance's current frame, as the panel system draws it: each element from its
// records, the module's bitmaps and what its update callbacks returned at the last update.
//
// The host's drawing rules are written down where they are applied, in gauge_renderer.cpp and
// the units it uses (needle_geometry, image_geometry, bitmap_surfaces, text_box).
#pragma once

#include "bitmap_surfaces.h"
#include "font_library.h"
#include "gauge_instance.h"
#include "gauge_module.h"
#include "module_resources.h"
#include "needle_geometry.h"
#include "picture.h"

#include <cairo.h>

#include <map>
#include <optional>
#include <vector>

namespace host {

// Largest scale a gauge is drawn at.
inline constexpr int max_scale = 8;

class GaugeRenderer {
  public:
    // Decodes every bitmap the elements use and finds every text element's face, once.
    // Throws LoadError for a bitmap that cannot be decoded or a gauge whose root element has no
    // bitmap to give the gauge its size, and std::runtime_error when no font can be found.
    GaugeRenderer(const GaugeModule& module, const ModuleResources& resources, FontLibrary& fonts);
    GaugeRenderer(const GaugeRenderer&) = delete;
    GaugeRenderer& operator=(const GaugeRenderer&) = delete;

    // The gauge's size in pixels: the size of its root element's bitmap, the face.
    int width() const { return width_; }
    int height() const { return height_; }

    // The current frame of `instance` (an instance of this renderer's module) at `scale`
    // (1 to max_scale): a picture `scale` times the gauge's size, the geometry scaled, not the
    // pixels of a picture drawn at 1x.
    Picture draw(const GaugeInstance& instance, int scale = 1) const;
    // The same into `picture`, which must be `scale` times the gauge's size; it is cleared
    // first.
    void draw(const GaugeInstance& instance, Picture& picture, int scale) const;
    // The same onto `cr`, whose user space is gauge pixels, over what it holds already.
    // Throws std::runtime_error when cairo fails.
    void draw(cairo_t* cr, const GaugeInstance& instance) const;

  private:
    // What an element needs for drawing, looked up once.
    struct Prepared {
        ELEMENT_HEADER* element = nullptr;
        bool filtered = false;
        cairo_surface_t* picture = nullptr;
        cairo_surface_t* window = nullptr;
        cairo_surface_t* detail = nullptr;
        std::map<int, cairo_surface_t*> icon_pictures;
        std::optional<NeedleCalibration> calibration;
        const FontFace* face = nullptr;
    };

    Prepared prepare(ELEMENT_HEADER* element, std::uint32_t stored_flags, FontLibrary& fonts);
    void draw_element(cairo_t* cr, const Prepared& prepared, const ElementResult& result) const;

    const GaugeModule& module_;
    const ModuleResources& resources_;
    BitmapSurfaces surfaces_;
    const cairo_font_options_t* font_options_;
    std::vector<Prepared> elements_;
    int width_ = 0;
    int height_ = 0;
};

} // namespace host
