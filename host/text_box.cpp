#include "text_box.h"

#include <cstdint>

namespace host {

namespace {

// The characters of Windows code page 1252 at 0x80 to 0x9F; 0 where it has none. The other
// bytes stand for the Unicode character of the same number.
constexpr char32_t windows_1252_high[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

void append_utf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | c >> 6);
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | c >> 12);
        out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// A Windows colour reference, 0x00bbggrr, as the source colour.
void set_colour_reference(cairo_t* cr, std::uint32_t colour) {
    cairo_set_source_rgb(cr, (colour & 0xFF) / 255.0, (colour >> 8 & 0xFF) / 255.0,
                         (colour >> 16 & 0xFF) / 255.0);
}

void append_windows_character(std::string& out, unsigned char code) {
    if (code < 0x20 || code == 0x7F) {
        return;
    }
    const char32_t c = code >= 0x80 && code < 0xA0 ? windows_1252_high[code - 0x80] : code;
    if (c != 0) {
        append_utf8(out, c);
    }
}

// The length of the well-formed UTF-8 sequence of two to four bytes at the start of `text`,
// 0 if there is none.
std::size_t utf8_sequence_length(std::string_view text) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    char32_t c = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        c = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        c = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        c = lead & 0x07;
    } else {
        return 0;
    }
    if (text.size() < length) {
        return 0;
    }
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) {
            return 0;
        }
        c = c << 6 | (byte(i) & 0x3F);
    }
    const char32_t shortest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (c < shortest[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        return 0;
    }
    return length;
}

} // namespace

std::string windows_text_to_utf8(std::string_view text) {
    std::string out;
    for (const char byte : text) {
        append_windows_character(out, static_cast<unsigned char>(byte));
    }
    return out;
}

std::string displayable_utf8(std::string_view text) {
    std::string out;
    while (!text.empty()) {
        const std::size_t length = utf8_sequence_length(text);
        if (length == 0) {
            append_windows_character(out, static_cast<unsigned char>(text.front()));
            text.remove_prefix(1);
        } else {
            out.append(text.substr(0, length));
            text.remove_prefix(length);
        }
    }
    return out;
}

double text_size_for_box(const FontFace& face, int box_height) {
    const double line = face.ascent + face.descent;
    return line > 0.0 ? box_height / line : box_height;
}

void draw_text_box(cairo_t* cr, const ELEMENT_STRING& element, const FontFace& face,
                   const cairo_font_options_t* options, const std::string& text) {
    const PIXPOINT at = element.header.position;
    cairo_save(cr);
    cairo_rectangle(cr, at.x, at.y, element.SIZE_X, element.SIZE_Y);
    cairo_clip(cr);
    if (element.BACKCOLOR != 0) {
        set_colour_reference(cr, element.BACKCOLOR);
        cairo_paint(cr);
    }
    if (!text.empty()) {
        const double size = text_size_for_box(face, element.SIZE_Y);
        cairo_set_font_face(cr, face.face);
        cairo_set_font_size(cr, size);
        cairo_set_font_options(cr, options);
        set_colour_reference(cr, element.FORECOLOR);
        const double line = (face.ascent + face.descent) * size;
        const double baseline = at.y + (element.SIZE_Y - line) / 2.0 + face.ascent * size;
        cairo_move_to(cr, at.x, baseline);
        cairo_show_text(cr, text.c_str());
    }
    cairo_restore(cr);
}

} // namespace host
