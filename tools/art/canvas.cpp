#include "canvas.h"

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <string>

namespace qx::art {

Canvas::Canvas(int width, int height)
    : width_(width), height_(height),
      surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)) {
    if (cairo_surface_status(surface_.get()) != CAIRO_STATUS_SUCCESS) {
        throw std::runtime_error(
            "cannot create a " + std::to_string(width) + " x " + std::to_string(height) +
            " drawing surface: " + cairo_status_to_string(cairo_surface_status(surface_.get())));
    }
    cr_.reset(cairo_create(surface_.get()));
    if (cairo_status(cr_.get()) != CAIRO_STATUS_SUCCESS) {
        throw std::runtime_error(std::string("cannot create a drawing context: ") +
                                 cairo_status_to_string(cairo_status(cr_.get())));
    }
}

void Canvas::set_colour(Rgb colour) {
    cairo_set_source_rgb(cr_.get(), colour.r / 255.0, colour.g / 255.0, colour.b / 255.0);
    if (std::find(flat_colours_.begin(), flat_colours_.end(), colour) == flat_colours_.end()) {
        flat_colours_.push_back(colour);
    }
}

RgbImage Canvas::pixels() const {
    if (cairo_status(cr_.get()) != CAIRO_STATUS_SUCCESS) {
        throw std::runtime_error(std::string("drawing failed: ") +
                                 cairo_status_to_string(cairo_status(cr_.get())));
    }
    cairo_surface_flush(surface_.get());
    const unsigned char* data = cairo_image_surface_get_data(surface_.get());
    const int stride = cairo_image_surface_get_stride(surface_.get());

    RgbImage image{width_, height_, {}};
    image.pixels.reserve(static_cast<std::size_t>(width_) * height_);
    for (int y = 0; y < height_; ++y) {
        const auto* row =
            reinterpret_cast<const std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
        for (int x = 0; x < width_; ++x) {
            // Premultiplied colour channels are the colour composed over black.
            const std::uint32_t p = row[x];
            image.pixels.push_back({static_cast<std::uint8_t>(p >> 16),
                                    static_cast<std::uint8_t>(p >> 8),
                                    static_cast<std::uint8_t>(p)});
        }
    }
    return image;
}

} // namespace qx::art
