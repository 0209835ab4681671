#include "gauge_renderer.h"
#include "errors.h"
#include "image_geometry.h"
#include "text_box.h"

#include <cmath>
#include <limits>
#include <numbers>
#include <stdexcept>

namespace host {

namespace {

// A point given in whole pixels stands for the centre of that pixel: a needle's pivot on the
// gauge (`position`) and in its bitmap (`ofs`), a sprite's centre (`ofs`) and a calibration
// point. The top left corner of an image (`position` of the other kinds) is the pixel's
// corner.
constexpr double pixel_centre = 0.5;

// Bitmaps that are turned or shifted are sampled smoothly where the element's draw flags ask
// for it (DRAW_FLAG_FILTERED), and pixel by pixel otherwise. Images drawn in place (the face,
// icons, mask windows and detail) are always taken pixel by pixel, so that a larger scale
// shows sharp pixels rather than a blurred picture.
cairo_filter_t moving_filter(bool filtered) {
    return filtered ? CAIRO_FILTER_BILINEAR : CAIRO_FILTER_NEAREST;
}

void set_image_source(cairo_t* cr, cairo_surface_t* image, double x, double y,
                      cairo_filter_t filter) {
    cairo_set_source_surface(cr, image, x, y);
    cairo_pattern_set_filter(cairo_get_source(cr), filter);
}

void paint_image(cairo_t* cr, cairo_surface_t* image, double x, double y) {
    set_image_source(cr, image, x, y, CAIRO_FILTER_NEAREST);
    cairo_paint(cr);
}

// Paints the current source through a mask's window placed with its top left corner at
// `at`: the source shows where the mask has the window colour and nowhere else.
void paint_through_window(cairo_t* cr, cairo_surface_t* window, PIXPOINT at) {
    const PatternHandle mask(cairo_pattern_create_for_surface(window));
    cairo_pattern_set_filter(mask.get(), CAIRO_FILTER_NEAREST);
    cairo_matrix_t placed;
    cairo_matrix_init_translate(&placed, -at.x, -at.y);
    cairo_pattern_set_matrix(mask.get(), &placed);
    cairo_mask(cr, mask.get());
}

// A mask's detail (lubber marks, range arcs, badges) lies over the picture seen through it.
void paint_detail(cairo_t* cr, cairo_surface_t* detail, PIXPOINT at) {
    if (detail != nullptr) {
        paint_image(cr, detail, at.x, at.y);
    }
}

int bitmap_id(std::int32_t resource_id, long long offset) {
    const long long id = resource_id + offset;
    return id > std::numeric_limits<std::int32_t>::max() ? -1 : static_cast<int>(id);
}

} // namespace

GaugeRenderer::GaugeRenderer(const GaugeModule& module, const ModuleResources& resources,
                             FontLibrary& fonts)
    : module_(module), resources_(resources), surfaces_(resources), font_options_(fonts.options()) {
    const std::vector<ElementNode>& nodes = module.elements();
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        elements_.push_back(prepare(nodes[i].element, module.stored_flags()[i], fonts));
    }
    // The canvas is the root face bitmap's size.
    const ELEMENT_HEADER* root = nodes.front().element;
    cairo_surface_t* face = surfaces_.picture(root->resource_id, true);
    if (face == nullptr) {
        throw LoadError(module.path().string() + ": the root element's bitmap " +
                        std::to_string(root->resource_id) +
                        " is missing, so the gauge has no size");
    }
    width_ = image_width(face);
    height_ = image_height(face);
}

GaugeRenderer::Prepared GaugeRenderer::prepare(ELEMENT_HEADER* element, std::uint32_t stored_flags,
                                               FontLibrary& fonts) {
    Prepared prepared;
    prepared.element = element;
    prepared.filtered = (stored_flags & DRAW_FLAG_FILTERED) != 0;
    // Pure black in an element's bitmap is not drawn where its draw flags carry
    // DRAW_FLAG_TRANSPARENT (every stored element does); without the flag black is drawn.
    const bool transparent = (stored_flags & DRAW_FLAG_TRANSPARENT) != 0;
    const std::int32_t id = element->resource_id;
    switch (element->element_type) {
    case ELEMENT_TYPE_STATIC_IMAGE:
    case ELEMENT_TYPE_SLIDER:
        prepared.picture = surfaces_.picture(id, transparent);
        break;
    case ELEMENT_TYPE_NEEDLE: {
        const auto* needle = reinterpret_cast<const ELEMENT_NEEDLE*>(element);
        prepared.picture = surfaces_.picture(id, transparent);
        prepared.calibration.emplace(
            element->position,
            std::span<const NONLINEARITY>(needle->NONLINEARITY_TABLE, needle->NONLINEARITY_COUNT));
        break;
    }
    case ELEMENT_TYPE_MOVING_IMAGE:
    case ELEMENT_TYPE_SPRITE:
        // The moving picture or texture is bitmap `resource_id`, its mask `resource_id` + 1.
        prepared.picture = surfaces_.picture(id, transparent);
        if (const int mask = bitmap_id(id, 1); mask >= 0) {
            prepared.window = surfaces_.window(mask);
            prepared.detail = surfaces_.detail(mask);
        }
        break;
    case ELEMENT_TYPE_ICON: {
        // Picture n is bitmap `resource_id` + n; only the pictures the module carries are
        // kept, the others draw nothing.
        const auto* icon = reinterpret_cast<const ELEMENT_ICON*>(element);
        for (const std::int32_t present : resources_.bitmap_ids()) {
            const long long n = static_cast<long long>(present) - id;
            if (n >= 0 && n < icon->NUM_ICONS) {
                prepared.icon_pictures[static_cast<int>(n)] =
                    surfaces_.picture(present, transparent);
            }
        }
        break;
    }
    case ELEMENT_TYPE_STRING: {
        const auto* text = reinterpret_cast<const ELEMENT_STRING*>(element);
        prepared.face = &fonts.face(text->FONT_NAME, text->FONT_WEIGHT);
        break;
    }
    }
    return prepared;
}

Picture GaugeRenderer::draw(const GaugeInstance& instance, int scale) const {
    if (scale < 1 || scale > max_scale) {
        throw std::invalid_argument("a gauge is drawn at a scale of 1 to " +
                                    std::to_string(max_scale));
    }
    Picture picture(width_ * scale, height_ * scale);
    draw(instance, picture, scale);
    return picture;
}

void GaugeRenderer::draw(const GaugeInstance& instance, Picture& picture, int scale) const {
    if (picture.width() != width_ * scale || picture.height() != height_ * scale) {
        throw std::invalid_argument("the picture is not the gauge's size at scale " +
                                    std::to_string(scale));
    }
    picture.clear();
    const ContextHandle cr(cairo_create(picture.surface()));
    cairo_scale(cr.get(), scale, scale);
    draw(cr.get(), instance);
}

void GaugeRenderer::draw(cairo_t* cr, const GaugeInstance& instance) const {
    if (&instance.module() != &module_) {
        throw std::invalid_argument("the gauge instance is not one of the renderer's module");
    }
    // Elements are drawn in the module's order, each after its parent, so later elements lie
    // over earlier ones. An element whose draw flags, as its update callbacks left them, carry
    // the hidden flag is not drawn; its children still are. The lit flag changes nothing: the
    // stand-in host has no panel lighting.
    for (std::size_t i = 0; i < elements_.size(); ++i) {
        const ElementResult& result = instance.results()[i];
        const std::uint32_t flags =
            result.updated ? result.flags : elements_[i].element->image_flags;
        if ((flags & DRAW_FLAG_HIDDEN) == 0) {
            cairo_save(cr);
            draw_element(cr, elements_[i], result);
            cairo_restore(cr);
        }
    }
    if (cairo_status(cr) != CAIRO_STATUS_SUCCESS) {
        throw std::runtime_error(std::string("cannot draw the gauge: ") +
                                 cairo_status_to_string(cairo_status(cr)));
    }
}

void GaugeRenderer::draw_element(cairo_t* cr, const Prepared& prepared,
                                 const ElementResult& result) const {
    const ELEMENT_HEADER* element = prepared.element;
    const PIXPOINT at = element->position;
    const cairo_filter_t filter = moving_filter(prepared.filtered);
    switch (element->element_type) {
    case ELEMENT_TYPE_STATIC_IMAGE:
        // The bitmap at the element's position.
        if (prepared.picture != nullptr) {
            paint_image(cr, prepared.picture, at.x, at.y);
        }
        break;

    case ELEMENT_TYPE_ICON: {
        // Picture n for the returned value truncated and held within 0 to NUM_ICONS - 1; a
        // picture the module does not carry draws nothing.
        const auto* icon = reinterpret_cast<const ELEMENT_ICON*>(element);
        const auto found =
            prepared.icon_pictures.find(icon_picture(result.values[0], icon->NUM_ICONS));
        if (found != prepared.icon_pictures.end() && found->second != nullptr) {
            paint_image(cr, found->second, at.x, at.y);
        }
        break;
    }

    case ELEMENT_TYPE_NEEDLE: {
        // The bitmap, drawn pointing right, is placed with its pivot (`ofs`) on the element's
        // position and turned to the angle the calibration table gives for the value.
        if (prepared.picture == nullptr) {
            break;
        }
        const double angle =
            std::remainder(prepared.calibration->angle(result.values[0]), 2.0 * std::numbers::pi);
        cairo_translate(cr, at.x + pixel_centre, at.y + pixel_centre);
        cairo_rotate(cr, angle);
        cairo_translate(cr, -(element->ofs.x + pixel_centre), -(element->ofs.y + pixel_centre));
        set_image_source(cr, prepared.picture, 0, 0, filter);
        cairo_paint(cr);
        break;
    }

    case ELEMENT_TYPE_SLIDER: {
        // The bitmap at the element's position, shifted by the X and Y values times SCALE_X
        // and SCALE_Y.
        const auto* slider = reinterpret_cast<const ELEMENT_SLIDER*>(element);
        if (prepared.picture != nullptr) {
            set_image_source(cr, prepared.picture,
                             at.x + scaled_shift(result.values[0], slider->SCALE_X),
                             at.y + scaled_shift(result.values[1], slider->SCALE_Y), filter);
            cairo_paint(cr);
        }
        break;
    }

    case ELEMENT_TYPE_MOVING_IMAGE: {
        // The window is the mask placed at the element's position; the strip moves under it
        // by where each axis's value lies between that axis's bounds (see strip_offset).
        const auto* moving = reinterpret_cast<const ELEMENT_MOVING_IMAGE*>(element);
        if (prepared.picture == nullptr || prepared.window == nullptr) {
            break;
        }
        const double dx = strip_offset(result.values[0], moving->MIN_X, moving->MAX_X,
                                       image_width(prepared.window), image_width(prepared.picture));
        const double dy =
            strip_offset(result.values[1], moving->MIN_Y, moving->MAX_Y,
                         image_height(prepared.window), image_height(prepared.picture));
        set_image_source(cr, prepared.picture, at.x + dx, at.y + dy, filter);
        paint_through_window(cr, prepared.window, at);
        paint_detail(cr, prepared.detail, at);
        break;
    }

    case ELEMENT_TYPE_SPRITE: {
        // The texture's centre sits at `ofs` in the window (the mask placed at the element's
        // position). The texture is turned by value x SCALE_0 degrees, counter-clockwise on the
        // screen for a positive product, shifted by value x SCALE_X and value x SCALE_Y pixels
        // along its own turned axes, and scaled by TEXTURE_SCALE_X and TEXTURE_SCALE_Y. The
        // window clips it, and the mask's detail lies on top.
        const auto* sprite = reinterpret_cast<const ELEMENT_SPRITE*>(element);
        if (prepared.picture == nullptr || prepared.window == nullptr) {
            break;
        }
        cairo_matrix_t gauge;
        cairo_get_matrix(cr, &gauge);
        cairo_translate(cr, at.x + element->ofs.x + pixel_centre,
                        at.y + element->ofs.y + pixel_centre);
        cairo_rotate(cr, sprite_turn(result.values[2], sprite->SCALE_0));
        cairo_translate(cr, scaled_shift(result.values[0], sprite->SCALE_X),
                        scaled_shift(result.values[1], sprite->SCALE_Y));
        cairo_scale(cr, texture_scale(sprite->TEXTURE_SCALE_X),
                    texture_scale(sprite->TEXTURE_SCALE_Y));
        cairo_translate(cr, -image_width(prepared.picture) / 2.0,
                        -image_height(prepared.picture) / 2.0);
        set_image_source(cr, prepared.picture, 0, 0, filter);
        cairo_set_matrix(cr, &gauge);
        paint_through_window(cr, prepared.window, at);
        paint_detail(cr, prepared.detail, at);
        break;
    }

    case ELEMENT_TYPE_STRING:
        draw_text_box(cr, *reinterpret_cast<const ELEMENT_STRING*>(element), *prepared.face,
                      font_options_, windows_text_to_utf8(result.text));
        break;
    }
}

} // namespace host
