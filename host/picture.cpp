#include "picture.h"

#include <stdexcept>

namespace host {

namespace {

cairo_status_t append_png_bytes(void* closure, const unsigned char* data, unsigned int length) {
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
}

std::uint32_t unpremultiplied(std::uint32_t pixel) {
    const std::uint32_t alpha = pixel >> 24;
    if (alpha == 0) {
        return 0;
    }
    const auto channel = [&](int shift) {
        return (((pixel >> shift) & 0xFF) * 255 + alpha / 2) / alpha;
    };
    return alpha << 24 | channel(16) << 16 | channel(8) << 8 | channel(0);
}

} // namespace

Picture::Picture(int width, int height)
    : width_(width), height_(height),
      surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)) {
    if (cairo_surface_status(surface_.get()) != CAIRO_STATUS_SUCCESS) {
        throw std::runtime_error(
            "cannot make a picture of " + std::to_string(width) + " x " + std::to_string(height) +
            " pixels: " + cairo_status_to_string(cairo_surface_status(surface_.get())));
    }
}

void Picture::clear() {
    const ContextHandle cr(cairo_create(surface_.get()));
    cairo_set_operator(cr.get(), CAIRO_OPERATOR_CLEAR);
    cairo_paint(cr.get());
}

std::uint32_t Picture::argb(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) {
        throw std::out_of_range("pixel (" + std::to_string(x) + ", " + std::to_string(y) +
                                ") lies outside the picture");
    }
    cairo_surface_flush(surface_.get());
    const unsigned char* row =
        cairo_image_surface_get_data(surface_.get()) +
        static_cast<std::ptrdiff_t>(y) * cairo_image_surface_get_stride(surface_.get());
    return unpremultiplied(reinterpret_cast<const std::uint32_t*>(row)[x]);
}

std::string Picture::png() const {
    std::string bytes;
    const cairo_status_t status =
        cairo_surface_write_to_png_stream(surface_.get(), append_png_bytes, &bytes);
    if (status != CAIRO_STATUS_SUCCESS) {
        throw std::runtime_error(std::string("cannot encode the picture as PNG: ") +
                                 cairo_status_to_string(status));
    }
    return bytes;
}

} // namespace host
