// Drawing the text of a text element into its box.
#pragma once

#include "font_library.h"
#include "host_contract.h"

#include <cairo.h>

#include <string>
#include <string_view>

namespace host {

// The text a module wrote, in the Windows character set, as UTF-8 for drawing. Control
// characters are left out: a text element shows a single line.
std::string windows_text_to_utf8(std::string_view text);

// Any other text, such as a label, as UTF-8 for drawing: valid UTF-8 is kept, every byte that
// is not part of it is read in the Windows character set, and control characters are left out.
std::string displayable_utf8(std::string_view text);

// The font size in pixels for a box `box_height` pixels tall: the face's line, ascent and
// descent, fills the box's height exactly, so a text sits inside the window painted for the
// box the way a Windows font of that cell height does.
double text_size_for_box(const FontFace& face, int box_height);

// Draws `text` (UTF-8) for the text element `element` in user space gauge pixels: in
// FORECOLOR, left-aligned at the box's left edge, its line vertically centred in the box of
// SIZE_X x SIZE_Y at `position`, and clipped to that box. A BACKCOLOR other than 0 (black)
// fills the box first; 0 paints no background.
void draw_text_box(cairo_t* cr, const ELEMENT_STRING& element, const FontFace& face,
                   const cairo_font_options_t* options, const std::string& text);

} // namespace host
