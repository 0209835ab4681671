#include "bitmap_surfaces.h"

#include <stdexcept>

namespace host {

namespace {

constexpr std::uint32_t opaque = 0xFF000000;

// Writes every pixel of `bitmap` through `convert` into a new image of `format`. `convert`
// returns the stored value of one pixel: a premultiplied 0xAARRGGBB word for ARGB32, an
// alpha byte for A8.
template <class Convert>
SurfaceHandle convert_bitmap(const Bitmap& bitmap, cairo_format_t format, Convert convert) {
    SurfaceHandle image(cairo_image_surface_create(format, bitmap.width, bitmap.height));
    if (cairo_surface_status(image.get()) != CAIRO_STATUS_SUCCESS) {
        throw std::runtime_error(std::string("cannot make an image for a bitmap: ") +
                                 cairo_status_to_string(cairo_surface_status(image.get())));
    }
    cairo_surface_flush(image.get());
    unsigned char* data = cairo_image_surface_get_data(image.get());
    const int stride = cairo_image_surface_get_stride(image.get());
    for (int y = 0; y < bitmap.height; ++y) {
        unsigned char* row = data + static_cast<std::ptrdiff_t>(y) * stride;
        for (int x = 0; x < bitmap.width; ++x) {
            if (format == CAIRO_FORMAT_A8) {
                row[x] = static_cast<unsigned char>(convert(bitmap.at(x, y)));
            } else {
                reinterpret_cast<std::uint32_t*>(row)[x] = convert(bitmap.at(x, y));
            }
        }
    }
    cairo_surface_mark_dirty(image.get());
    return image;
}

bool has_detail(const Bitmap& mask) {
    for (const std::uint32_t colour : mask.pixels) {
        if (colour != mask_outside && colour != mask_window) {
            return true;
        }
    }
    return false;
}

} // namespace

cairo_surface_t* BitmapSurfaces::picture(std::int32_t id, bool black_transparent) {
    return cached(id, black_transparent ? Kind::transparent : Kind::opaque);
}

cairo_surface_t* BitmapSurfaces::window(std::int32_t id) {
    return cached(id, Kind::window);
}

cairo_surface_t* BitmapSurfaces::detail(std::int32_t id) {
    return cached(id, Kind::detail);
}

cairo_surface_t* BitmapSurfaces::cached(std::int32_t id, Kind kind) {
    const auto key = std::make_pair(id, kind);
    if (const auto found = surfaces_.find(key); found != surfaces_.end()) {
        return found->second.get();
    }
    const Bitmap* bitmap = resources_.bitmap(id);
    SurfaceHandle image;
    if (bitmap != nullptr) {
        switch (kind) {
        case Kind::opaque:
            image = convert_bitmap(*bitmap, CAIRO_FORMAT_ARGB32,
                                   [](std::uint32_t colour) { return opaque | colour; });
            break;
        case Kind::transparent:
            // Pure black in an element's bitmap is not drawn.
            image = convert_bitmap(*bitmap, CAIRO_FORMAT_ARGB32, [](std::uint32_t colour) {
                return colour == rgb(0, 0, 0) ? 0u : opaque | colour;
            });
            break;
        case Kind::window:
            image = convert_bitmap(*bitmap, CAIRO_FORMAT_A8, [](std::uint32_t colour) {
                return colour == mask_window ? 0xFFu : 0u;
            });
            break;
        case Kind::detail:
            if (has_detail(*bitmap)) {
                image = convert_bitmap(*bitmap, CAIRO_FORMAT_ARGB32, [](std::uint32_t colour) {
                    return colour == mask_outside || colour == mask_window ? 0u : opaque | colour;
                });
            }
            break;
        }
    }
    return surfaces_.emplace(key, std::move(image)).first->second.get();
}

int image_width(cairo_surface_t* image) {
    return cairo_image_surface_get_width(image);
}

int image_height(cairo_surface_t* image) {
    return cairo_image_surface_get_height(image);
}

} // namespace host
