#pragma once

#include <cairo.h>

#include <string>
#include <string_view>

namespace qx::art {

// An installed font face, found through fontconfig by family and style.
//
// Only an installed face of exactly that family and style is accepted: a substitute would
// change the artwork silently. Text is drawn unhinted, so its shapes depend on the font file
// alone and not on the machine's font settings.
class Font {
  public:
    // Throws std::runtime_error when no such face is installed.
    Font(std::string_view family, std::string_view style);
    ~Font();
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    // Makes this face, at `size` pixels, the current font of `cr`.
    void select(cairo_t* cr, double size) const;

  private:
    cairo_font_face_t* face_;
};

// Empties the process-wide font caches of cairo and fontconfig when it goes out of scope, so
// that a leak checker sees every allocation returned. Create one in main() so that it outlives
// every Font and every drawing.
class FontCacheRelease {
  public:
    FontCacheRelease() = default;
    ~FontCacheRelease();
    FontCacheRelease(const FontCacheRelease&) = delete;
    FontCacheRelease& operator=(const FontCacheRelease&) = delete;
};

// Adds the outline of `text` to the current path of `cr`, in the current font, with the centre
// of its inked extent at (cx, cy).
void centred_text_path(cairo_t* cr, std::string_view text, double cx, double cy);

// The width and height of the inked extent of `text` in the current font.
struct TextSize {
    double width = 0.0;
    double height = 0.0;
};
TextSize ink_size(cairo_t* cr, std::string_view text);

} // namespace qx::art
