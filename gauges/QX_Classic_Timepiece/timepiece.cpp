// QX_Classic_Timepiece: a twelve-hour clock whose hour, minute and second hands show the host's
// clock values, passed through unchanged to calibrated needles. No clicks, no tooltip, no text,
// no sound.
#include "gauge_frame.h"
#include "resources.h"

#include <iterator>

namespace {

constexpr uint32_t HOUR_TOKEN = 3;
constexpr uint32_t MINUTE_TOKEN = 4;
constexpr uint32_t SECOND_TOKEN = 5;

constexpr uint32_t STORED_DRAW_FLAGS = 0x83;
constexpr int32_t ICON_SWITCH_TYPE = 3;
constexpr int32_t ICON_PICTURES = 2;

// Update callbacks: each lights its element and returns its own source value unchanged.

double HOST_CALL lit_face_update(ELEMENT_HEADER* element) {
    return frame_pass_through(element, frame_element<ELEMENT_ICON>(element)->SOURCE_VAR);
}

double HOST_CALL second_hand_update(ELEMENT_HEADER* element) {
    return frame_pass_through(element, frame_element<ELEMENT_NEEDLE>(element)->SOURCE_VAR);
}

double HOST_CALL minute_hand_update(ELEMENT_HEADER* element) {
    return frame_pass_through(element, frame_element<ELEMENT_NEEDLE>(element)->SOURCE_VAR);
}

double HOST_CALL hour_hand_update(ELEMENT_HEADER* element) {
    return frame_pass_through(element, frame_element<ELEMENT_NEEDLE>(element)->SOURCE_VAR);
}

// Calibration tables: the point on the face at which a hand points for each value.

NONLINEARITY hours_table[] = {
    {.point = {192, 35}, .value = 1},  {.point = {229, 78}, .value = 2},
    {.point = {245, 133}, .value = 3}, {.point = {231, 186}, .value = 4},
    {.point = {192, 226}, .value = 5}, {.point = {136, 245}, .value = 6},
    {.point = {76, 232}, .value = 7},  {.point = {37, 190}, .value = 8},
    {.point = {31, 133}, .value = 9},  {.point = {40, 77}, .value = 10},
    {.point = {85, 45}, .value = 11},  {.point = {133, 19}, .value = 12},
};

NONLINEARITY minutes_table[] = {
    {.point = {136, 21}, .value = 0},   {.point = {192, 35}, .value = 5},
    {.point = {228, 81}, .value = 10},  {.point = {242, 133}, .value = 15},
    {.point = {227, 185}, .value = 20}, {.point = {191, 225}, .value = 25},
    {.point = {136, 236}, .value = 30}, {.point = {84, 223}, .value = 35},
    {.point = {46, 185}, .value = 40},  {.point = {33, 133}, .value = 45},
    {.point = {45, 79}, .value = 50},   {.point = {84, 43}, .value = 55},
    {.point = {133, 18}, .value = 60},
};

NONLINEARITY seconds_table[] = {
    {.point = {135, 20}, .value = 0},   {.point = {230, 79}, .value = 10},
    {.point = {231, 186}, .value = 20}, {.point = {136, 237}, .value = 30},
    {.point = {46, 185}, .value = 40},  {.point = {48, 81}, .value = 50},
    {.point = {133, 19}, .value = 60},
};

// Element chain, root first: face, lit face, second hand, minute hand, hour hand (on top).

extern ELEMENT_STATIC_IMAGE face;
extern ELEMENT_ICON lit_face;
extern ELEMENT_NEEDLE second_hand;
extern ELEMENT_NEEDLE minute_hand;
extern ELEMENT_NEEDLE hour_hand;

ELEMENT_HEADER* face_children[] = {&lit_face.header, nullptr};
ELEMENT_HEADER* lit_face_children[] = {&second_hand.header, nullptr};
ELEMENT_HEADER* second_hand_children[] = {&minute_hand.header, nullptr};
ELEMENT_HEADER* minute_hand_children[] = {&hour_hand.header, nullptr};

FAILURE_RECORD face_failures[] = {{}};
FAILURE_RECORD lit_face_failures[] = {{}};
FAILURE_RECORD second_hand_failures[] = {{}};
FAILURE_RECORD minute_hand_failures[] = {{}};
FAILURE_RECORD hour_hand_failures[] = {{}};

ELEMENT_STATIC_IMAGE face = {
    .header =
        {
            .element_type = ELEMENT_TYPE_STATIC_IMAGE,
            .resource_id = FACE_BITMAP,
            .position = {0, 0},
            .ofs = {0, 0},
            .gauge_header = &gauge_header,
            .next_element = face_children,
            .failure_systems = face_failures,
            .image_flags = STORED_DRAW_FLAGS,
        },
};

ELEMENT_ICON lit_face = {
    .header =
        {
            .element_type = ELEMENT_TYPE_ICON,
            .resource_id = FACE_BITMAP,
            .position = {0, 0},
            .ofs = {0, 0},
            .gauge_header = &gauge_header,
            .next_element = lit_face_children,
            .failure_systems = lit_face_failures,
            .image_flags = STORED_DRAW_FLAGS,
        },
    .SOURCE_VAR = {.token = 0},
    .SWITCH_TYPE = ICON_SWITCH_TYPE,
    .NUM_ICONS = ICON_PICTURES,
    .CALLBACK = lit_face_update,
};

ELEMENT_NEEDLE second_hand = {
    .header =
        {
            .element_type = ELEMENT_TYPE_NEEDLE,
            .resource_id = SECOND_HAND_BITMAP,
            .position = {139, 136},
            .ofs = {-9, 3},
            .gauge_header = &gauge_header,
            .next_element = second_hand_children,
            .failure_systems = second_hand_failures,
            .image_flags = STORED_DRAW_FLAGS,
        },
    .SOURCE_VAR = {.token = SECOND_TOKEN},
    .NONLINEARITY_TABLE = seconds_table,
    .NONLINEARITY_COUNT = std::size(seconds_table),
    .CALLBACK = second_hand_update,
};

ELEMENT_NEEDLE minute_hand = {
    .header =
        {
            .element_type = ELEMENT_TYPE_NEEDLE,
            .resource_id = MINUTE_HAND_BITMAP,
            .position = {139, 136},
            .ofs = {-8, 5},
            .gauge_header = &gauge_header,
            .next_element = minute_hand_children,
            .failure_systems = minute_hand_failures,
            .image_flags = STORED_DRAW_FLAGS,
        },
    .SOURCE_VAR = {.token = MINUTE_TOKEN},
    .NONLINEARITY_TABLE = minutes_table,
    .NONLINEARITY_COUNT = std::size(minutes_table),
    .CALLBACK = minute_hand_update,
};

ELEMENT_NEEDLE hour_hand = {
    .header =
        {
            .element_type = ELEMENT_TYPE_NEEDLE,
            .resource_id = HOUR_HAND_BITMAP,
            .position = {139, 135},
            .ofs = {-9, 7},
            .gauge_header = &gauge_header,
            .next_element = nullptr,
            .failure_systems = hour_hand_failures,
            .image_flags = STORED_DRAW_FLAGS,
        },
    .SOURCE_VAR = {.token = HOUR_TOKEN},
    .NONLINEARITY_TABLE = hours_table,
    .NONLINEARITY_COUNT = std::size(hours_table),
    .CALLBACK = hour_hand_update,
};

ELEMENT_HEADER* root_element = &face.header;

// No tooltip and no click areas: the frame of a mouse list only.
MOUSERECT mouse_rects[] = {
    {.rect_type = MOUSE_RECT_PARENT, .box = {0, 0, 0, 0}, .cursor = CURSOR_NONE},
    {.rect_type = MOUSE_RECT_END_PARENT, .box = {0, 0, 0, 0}, .cursor = CURSOR_NONE},
    {.rect_type = MOUSE_RECT_EOL, .box = {0, 0, 0, 0}, .cursor = CURSOR_NONE},
};

} // namespace

GAUGEHDR gauge_header = {
    .header_version = GAUGE_HEADER_VERSION,
    .gauge_name = "QX_Classic_Timepiece",
    .elements_list = &root_element,
    .size_mm = GAUGE_SIZE_MM,
    .mouse_rect = mouse_rects,
    .gauge_callback = frame_gauge_callback,
};

// The clock keeps only the first-draw flag: no named or global variables, no sound.
const GAUGE_PLAN gauge_plan = {
    .named_vars = nullptr,
    .named_var_count = 0,
    .global_vars = nullptr,
    .global_var_count = 0,
    .per_update = nullptr,
    .first_draw = nullptr,
    .binds_sound = false,
};
