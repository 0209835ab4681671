// A drawn picture: an image in memory that the renderer draws into and that is written out as
// PNG.
#pragma once

#include "cairo_handles.h"

#include <cstdint>
#include <string>

namespace host {

class Picture {
  public:
    // A picture of the given size in pixels, fully transparent. Throws std::runtime_error when
    // the image cannot be made.
    Picture(int width, int height);

    int width() const { return width_; }
    int height() const { return height_; }
    cairo_surface_t* surface() const { return surface_.get(); }

    // Makes every pixel fully transparent again.
    void clear();

    // The pixel at (x, y) as 0xAARRGGBB, not premultiplied by its alpha.
    std::uint32_t argb(int x, int y) const;
    // The same without its alpha: the colour of an opaque pixel.
    std::uint32_t rgb(int x, int y) const { return argb(x, y) & 0x00FFFFFF; }

    // The picture encoded as PNG. Throws std::runtime_error when cairo cannot encode it.
    std::string png() const;

  private:
    int width_;
    int height_;
    SurfaceHandle surface_;
};

} // namespace host
