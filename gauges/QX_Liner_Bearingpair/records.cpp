// QX_Liner_Bearingpair: a combined VOR and radio-magnetic indicator. A compass card turns with
// the heading under a fixed top index; a dashed single-line and a double-line bearing pointer
// turn about the centre over a fixed VOR legend. No clicks, no tooltip, no text; the sound
// module is bound but never plays.
#include "bearingpair.h"
#include "resources.h"

#include <iterator>

namespace {

constexpr uint32_t STORED_DRAW_FLAGS = 0x83;
constexpr int32_t ICON_SWITCH_TYPE = 3;
constexpr int32_t ICON_PICTURES = 2;

// The card turns by its value times this factor; it does not shift.
constexpr double CARD_TURN_SCALE = 1.0;
constexpr double CARD_SHIFT_SCALE = 0.0;
constexpr float CARD_TEXTURE_SCALE = 1.0f;

// Calibration tables: the point on the face at which a pointer points for each bearing,
// clockwise from the top of the dial.

NONLINEARITY single_pointer_table[] = {
    {.point = {137, 41}, .value = 0},    {.point = {227, 134}, .value = 90},
    {.point = {137, 228}, .value = 180}, {.point = {45, 136}, .value = 270},
    {.point = {133, 41}, .value = 359},
};

NONLINEARITY double_pointer_table[] = {
    {.point = {137, 40}, .value = 0},    {.point = {230, 135}, .value = 90},
    {.point = {137, 228}, .value = 180}, {.point = {44, 136}, .value = 270},
    {.point = {134, 42}, .value = 359},
};

// Element chain, root first: face, compass card, top index, VOR legend, single-line pointer,
// double-line pointer (on top).

extern ELEMENT_STATIC_IMAGE face;
extern ELEMENT_SPRITE compass_card;
extern ELEMENT_ICON top_index;
extern ELEMENT_ICON vor_legend;
extern ELEMENT_NEEDLE single_pointer;
extern ELEMENT_NEEDLE double_pointer;

ELEMENT_HEADER* face_children[] = {&compass_card.header, nullptr};
ELEMENT_HEADER* compass_card_children[] = {&top_index.header, nullptr};
ELEMENT_HEADER* top_index_children[] = {&vor_legend.header, nullptr};
ELEMENT_HEADER* vor_legend_children[] = {&single_pointer.header, nullptr};
ELEMENT_HEADER* single_pointer_children[] = {&double_pointer.header, nullptr};

FAILURE_RECORD face_failures[] = {{}};
FAILURE_RECORD compass_card_failures[] = {{}};
FAILURE_RECORD top_index_failures[] = {{}};
FAILURE_RECORD vor_legend_failures[] = {{}};
FAILURE_RECORD single_pointer_failures[] = {{}};
FAILURE_RECORD double_pointer_failures[] = {{}};

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

ELEMENT_SPRITE compass_card = {
    .header =
        {
            .element_type = ELEMENT_TYPE_SPRITE,
            .resource_id = CARD_BITMAP,
            .position = {0, 0},
            .ofs = {137, 136},
            .gauge_header = &gauge_header,
            .next_element = compass_card_children,
            .failure_systems = compass_card_failures,
            .image_flags = STORED_DRAW_FLAGS,
        },
    .SOURCE_VAR_X = {.token = NO_VARIABLE_TOKEN},
    .SCALE_X = CARD_SHIFT_SCALE,
    .SOURCE_VAR_Y = {.token = NO_VARIABLE_TOKEN},
    .SCALE_Y = CARD_SHIFT_SCALE,
    .SOURCE_VAR_0 = {.token = HEADING_TOKEN},
    .SCALE_0 = CARD_TURN_SCALE,
    .TEXTURE_SCALE_X = CARD_TEXTURE_SCALE,
    .TEXTURE_SCALE_Y = CARD_TEXTURE_SCALE,
    .CALLBACK_X = rmi_card_x_update,
    .CALLBACK_Y = rmi_card_y_update,
    .CALLBACK_0 = rmi_card_rotation_update,
};

ELEMENT_ICON top_index = {
    .header =
        {
            .element_type = ELEMENT_TYPE_ICON,
            .resource_id = TOP_INDEX_BITMAP,
            .position = {130, 0},
            .ofs = {0, 0},
            .gauge_header = &gauge_header,
            .next_element = top_index_children,
            .failure_systems = top_index_failures,
            .image_flags = STORED_DRAW_FLAGS,
        },
    .SOURCE_VAR = {.token = NO_VARIABLE_TOKEN},
    .SWITCH_TYPE = ICON_SWITCH_TYPE,
    .NUM_ICONS = ICON_PICTURES,
    .CALLBACK = rmi_index_update,
};

ELEMENT_ICON vor_legend = {
    .header =
        {
            .element_type = ELEMENT_TYPE_ICON,
            .resource_id = VOR_LEGEND_BITMAP,
            .position = {110, 115},
            .ofs = {0, 0},
            .gauge_header = &gauge_header,
            .next_element = vor_legend_children,
            .failure_systems = vor_legend_failures,
            .image_flags = STORED_DRAW_FLAGS,
        },
    .SOURCE_VAR = {.token = NO_VARIABLE_TOKEN},
    .SWITCH_TYPE = ICON_SWITCH_TYPE,
    .NUM_ICONS = ICON_PICTURES,
    .CALLBACK = rmi_legend_update,
};

ELEMENT_NEEDLE single_pointer = {
    .header =
        {
            .element_type = ELEMENT_TYPE_NEEDLE,
            .resource_id = SINGLE_POINTER_BITMAP,
            .position = {137, 137},
            .ofs = {80, 10},
            .gauge_header = &gauge_header,
            .next_element = single_pointer_children,
            .failure_systems = single_pointer_failures,
            .image_flags = STORED_DRAW_FLAGS,
        },
    .SOURCE_VAR = {.token = SINGLE_BEARING_TOKEN},
    .NONLINEARITY_TABLE = single_pointer_table,
    .NONLINEARITY_COUNT = std::size(single_pointer_table),
    .CALLBACK = rmi_single_pointer_update,
};

ELEMENT_NEEDLE double_pointer = {
    .header =
        {
            .element_type = ELEMENT_TYPE_NEEDLE,
            .resource_id = DOUBLE_POINTER_BITMAP,
            .position = {138, 137},
            .ofs = {86, 14},
            .gauge_header = &gauge_header,
            .next_element = nullptr,
            .failure_systems = double_pointer_failures,
            .image_flags = STORED_DRAW_FLAGS,
        },
    .SOURCE_VAR = {.token = DOUBLE_BEARING_TOKEN},
    .NONLINEARITY_TABLE = double_pointer_table,
    .NONLINEARITY_COUNT = std::size(double_pointer_table),
    .CALLBACK = rmi_double_pointer_update,
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
    .gauge_name = "QX_Liner_Bearingpair",
    .elements_list = &root_element,
    .size_mm = GAUGE_SIZE_MM,
    .mouse_rect = mouse_rects,
    .gauge_callback = frame_gauge_callback,
};
