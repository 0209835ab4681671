// The radio altimeter's records: the element chain with its calibration tables, the mouse
// rectangles and the gauge header.
#include "groundclear.h"
#include "resources.h"

#include <iterator>

static_assert(RED_FLAG_BITMAP == FLAG_BITMAP + 1, "the red flag is the flag icon's picture 1");

namespace {

constexpr uint32_t STORED_DRAW_FLAGS = 0x83;
constexpr uint32_t NO_TOKEN = 0;
constexpr int32_t ICON_SWITCH_TYPE = 3;
constexpr int32_t ICON_PICTURES = 2;

// Both needles turn about this point of the dial.
constexpr PIXPOINT NEEDLE_PIVOT = {153, 164};

// Calibration tables: the point on the dial at which each needle points for a height in feet.
// The first 500 feet take more of the dial than the 2000 after them.

NONLINEARITY height_pointer_table[] = {
    {.point = {153, 64}, .value = 0},    {.point = {206, 81}, .value = 100},
    {.point = {242, 124}, .value = 200}, {.point = {248, 180}, .value = 300},
    {.point = {223, 230}, .value = 400}, {.point = {174, 257}, .value = 500},
    {.point = {93, 242}, .value = 1000}, {.point = {58, 180}, .value = 1500},
    {.point = {66, 127}, .value = 2000}, {.point = {76, 101}, .value = 2500},
};

NONLINEARITY bug_table[] = {
    {.point = {153, 63}, .value = 0},    {.point = {206, 81}, .value = 100},
    {.point = {241, 124}, .value = 200}, {.point = {248, 179}, .value = 300},
    {.point = {223, 229}, .value = 400}, {.point = {175, 257}, .value = 500},
    {.point = {92, 242}, .value = 1000}, {.point = {56, 179}, .value = 1500},
    {.point = {65, 126}, .value = 2000}, {.point = {75, 100}, .value = 2500},
};

// Element chain, root first: dial, height pointer, bug, flag (on top).

extern ELEMENT_STATIC_IMAGE dial;
extern ELEMENT_NEEDLE height_pointer;
extern ELEMENT_NEEDLE bug;
extern ELEMENT_ICON flag;

ELEMENT_HEADER* dial_children[] = {&height_pointer.header, nullptr};
ELEMENT_HEADER* height_pointer_children[] = {&bug.header, nullptr};
ELEMENT_HEADER* bug_children[] = {&flag.header, nullptr};

FAILURE_RECORD dial_failures[] = {{}};
FAILURE_RECORD height_pointer_failures[] = {{}};
FAILURE_RECORD bug_failures[] = {{}};
FAILURE_RECORD flag_failures[] = {{}};

ELEMENT_STATIC_IMAGE dial = {
    .header =
        {
            .element_type = ELEMENT_TYPE_STATIC_IMAGE,
            .resource_id = DIAL_BITMAP,
            .position = {0, 0},
            .ofs = {0, 0},
            .gauge_header = &gauge_header,
            .next_element = dial_children,
            .failure_systems = dial_failures,
            .image_flags = STORED_DRAW_FLAGS,
        },
};

// The needles read the global copies of their tokens, not their own source variables.
ELEMENT_NEEDLE height_pointer = {
    .header =
        {
            .element_type = ELEMENT_TYPE_NEEDLE,
            .resource_id = HEIGHT_POINTER_BITMAP,
            .position = NEEDLE_PIVOT,
            .ofs = {3, 9},
            .gauge_header = &gauge_header,
            .next_element = height_pointer_children,
            .failure_systems = height_pointer_failures,
            .image_flags = STORED_DRAW_FLAGS,
        },
    .SOURCE_VAR = {.token = RADIO_HEIGHT_TOKEN},
    .NONLINEARITY_TABLE = height_pointer_table,
    .NONLINEARITY_COUNT = std::size(height_pointer_table),
    .CALLBACK = height_needle_update,
};

ELEMENT_NEEDLE bug = {
    .header =
        {
            .element_type = ELEMENT_TYPE_NEEDLE,
            .resource_id = BUG_BITMAP,
            .position = NEEDLE_PIVOT,
            .ofs = {12, 9},
            .gauge_header = &gauge_header,
            .next_element = bug_children,
            .failure_systems = bug_failures,
            .image_flags = STORED_DRAW_FLAGS,
        },
    .SOURCE_VAR = {.token = BUG_SETTING_TOKEN},
    .NONLINEARITY_TABLE = bug_table,
    .NONLINEARITY_COUNT = std::size(bug_table),
    .CALLBACK = bug_needle_update,
};

ELEMENT_ICON flag = {
    .header =
        {
            .element_type = ELEMENT_TYPE_ICON,
            .resource_id = FLAG_BITMAP,
            .position = {160, 55},
            .ofs = {0, 0},
            .gauge_header = &gauge_header,
            .next_element = nullptr,
            .failure_systems = flag_failures,
            .image_flags = STORED_DRAW_FLAGS,
        },
    .SOURCE_VAR = {.token = NO_TOKEN},
    .SWITCH_TYPE = ICON_SWITCH_TYPE,
    .NUM_ICONS = ICON_PICTURES,
    .CALLBACK = flag_icon_update,
};

ELEMENT_HEADER* root_element = &dial.header;

const TOOLTIP_ARGS no_tooltip_args = {.count = 0};

// The tooltip, then the bug knob's right half (up, repeating while held), its left half (down,
// repeating) and the test button in the plain lower-left corner (once per click).
MOUSERECT mouse_rects[] = {
    {.rect_type = MOUSE_RECT_PARENT, .box = {0, 0, 0, 0}, .cursor = CURSOR_NONE},
    {.rect_type = MOUSE_RECT_USER,
     .box = {0, 0, 0, 0},
     .cursor = CURSOR_NONE,
     .target = {.tooltip_text = "Radioaltimeter"},
     .tooltip_args = &no_tooltip_args},
    {.rect_type = MOUSE_RECT_CHILD,
     .box = {247, 244, 26, 45},
     .cursor = CURSOR_UPARROW,
     .mouse_flags = MOUSE_LEFTSINGLE | MOUSE_DOWN_REPEAT,
     .target = {.function = bug_knob_up_click}},
    {.rect_type = MOUSE_RECT_CHILD,
     .box = {218, 241, 23, 51},
     .cursor = CURSOR_DOWNARROW,
     .mouse_flags = MOUSE_LEFTSINGLE | MOUSE_DOWN_REPEAT,
     .target = {.function = bug_knob_down_click}},
    {.rect_type = MOUSE_RECT_CHILD,
     .box = {9, 235, 56, 56},
     .cursor = CURSOR_HAND,
     .mouse_flags = MOUSE_LEFTSINGLE,
     .target = {.function = test_button_click}},
    {.rect_type = MOUSE_RECT_END_PARENT, .box = {0, 0, 0, 0}, .cursor = CURSOR_NONE},
    {.rect_type = MOUSE_RECT_EOL, .box = {0, 0, 0, 0}, .cursor = CURSOR_NONE},
};

} // namespace

GAUGEHDR gauge_header = {
    .header_version = GAUGE_HEADER_VERSION,
    .gauge_name = "QX_Liner_Groundclear",
    .elements_list = &root_element,
    .size_mm = GAUGE_SIZE_MM,
    .mouse_rect = mouse_rects,
    .gauge_callback = frame_gauge_callback,
};
