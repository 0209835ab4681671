#include "gauge_frame.h"

#include <cstdio>

namespace {

ELEMENT_STRING* lit_text(ELEMENT_HEADER* element) {
    frame_light(element);
    return frame_element<ELEMENT_STRING>(element);
}

bool has_buffer(const ELEMENT_STRING* text) {
    return text->string != nullptr && text->string_capacity > 0;
}

} // namespace

double frame_format_source(ELEMENT_HEADER* element, const char* format) {
    ELEMENT_STRING* text = lit_text(element);
    const double value = frame_narrow(text->SOURCE_VAR_1.value);
    if (has_buffer(text)) {
        std::snprintf(text->string, text->string_capacity, format, value);
    }
    return value;
}

double frame_write_literal(ELEMENT_HEADER* element, const char* text_to_write) {
    ELEMENT_STRING* text = lit_text(element);
    if (has_buffer(text)) {
        std::snprintf(text->string, text->string_capacity, "%s", text_to_write);
    }
    return frame_narrow(text->SOURCE_VAR_1.value);
}
