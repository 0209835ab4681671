// What every gauge module shares besides the host contract: the lifecycle skeleton that the
// gauge callback runs, the table through which a gauge inserts its own work into it, and the
// helpers that carry out the update-callback conventions.
//
// A gauge module defines two records for the frame, `gauge_header` and `gauge_plan`; the frame
// defines the exported `Linkage` and `ImportTable`, module init and deinit, the library entry
// point and the gauge callback `frame_gauge_callback` that the gauge header points to.
#pragma once

#include "host_contract.h"

#include <cstddef>
#include <cstdint>

// A 32-bit module global that the gauge publishes to the host under `name`.
struct NAMED_VAR {
    const char* name = nullptr;
    int32_t* value = nullptr;
};

// What one gauge inserts into the lifecycle skeleton. Lists are in the gauge's order.
struct GAUGE_PLAN {
    const NAMED_VAR* named_vars = nullptr;
    std::size_t named_var_count = 0;
    MODULE_VAR* const* global_vars = nullptr;
    std::size_t global_var_count = 0;
    void (*per_update)() = nullptr;
    void (*first_draw)() = nullptr;
    bool binds_sound = false;
};

// Defined by each gauge module.
extern GAUGEHDR gauge_header;
extern const GAUGE_PLAN gauge_plan;

// Defined by the frame.
extern "C" {
extern MODULE_LINKAGE Linkage;
extern IMPORT_TABLE ImportTable;
}
void HOST_CALL frame_gauge_callback(GAUGEHDR* gauge, int32_t service_id, uint32_t extra);

// The first-draw flag of the skeleton: 0 at load, 1 from the first PANEL_SERVICE_PRE_DRAW on.
extern int32_t frame_first_draw_done;

// ---------------------------------------------------------------------------------------------
// Host services as a gauge calls them: the service table is read from `ImportTable` at the
// moment of each call, and a call made while the host has installed no table is skipped.

void frame_trigger_key_event(uint32_t event_id);
void frame_lookup_var(MODULE_VAR* var);

// ---------------------------------------------------------------------------------------------
// Update-callback conventions

// Sets the lit flag on the element; every update callback does this on every call.
inline void frame_light(ELEMENT_HEADER* element) {
    element->image_flags |= DRAW_FLAG_LIT;
}

inline void frame_show(ELEMENT_HEADER* element) {
    element->image_flags &= ~DRAW_FLAG_HIDDEN;
}
inline void frame_hide(ELEMENT_HEADER* element) {
    element->image_flags |= DRAW_FLAG_HIDDEN;
}

// The element record of kind `Element` whose header `element` is.
template <class Element> inline Element* frame_element(ELEMENT_HEADER* element) {
    return reinterpret_cast<Element*>(element);
}

// Lights the element and returns the current value of one of its own source variables; the
// simplest update callback is exactly this.
inline double frame_pass_through(ELEMENT_HEADER* element, const MODULE_VAR& source) {
    frame_light(element);
    return source.value;
}

// The value a text callback works with: `value` narrowed to the nearest 32-bit float and
// widened back to a double.
inline double frame_narrow(double value) {
    return static_cast<double>(static_cast<float>(value));
}

// Text convention of a text element's callback: lights the element, narrows the value of its
// SOURCE_VAR_1, writes it with `format` into the element's text buffer and returns the narrowed
// value. The write takes at most the buffer's stated capacity, the terminating NUL included, so
// a longer text is cut; without a buffer nothing is written.
double frame_format_source(ELEMENT_HEADER* element, const char* format);

// Lights a text element and writes `text` unchanged into its buffer, within the same limits;
// returns the narrowed value of its SOURCE_VAR_1.
double frame_write_literal(ELEMENT_HEADER* element, const char* text);

// Width of a text box that reaches from `x` to two pixels beyond the right edge of a face that
// is `face_width` pixels wide.
constexpr int32_t frame_text_box_width(int32_t face_width, int32_t x) {
    return face_width + 2 - x;
}
