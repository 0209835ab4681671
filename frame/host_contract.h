// The contract between a panel host and a gauge module: the records a module exports and the
// host reads, the service table the host hands to the module, and the numbers both sides share.
// Gauge modules and the stand-in host include this one header, so both see the same layout.
//
// Field positions and record sizes are ours to define. Every field has a zero default, so a
// record written with designated initializers stores zero in each field it does not name. The
// layout is pinned by the static_asserts at the end for 32-bit and 64-bit targets alike.
#pragma once

#include <cstddef>
#include <cstdint>

// Calling convention of every function that crosses the host/module boundary.
#if defined(_WIN32) && !defined(_WIN64)
#define HOST_CALL __stdcall
#else
#define HOST_CALL
#endif

struct GAUGEHDR;
struct ELEMENT_HEADER;

// ---------------------------------------------------------------------------------------------
// Numbers shared by host and modules

// Service ids passed to the gauge callback.
enum : int32_t {
    PANEL_SERVICE_PRE_INSTALL = 2,
    PANEL_SERVICE_PRE_INITIALIZE = 4,
    PANEL_SERVICE_PRE_UPDATE = 6,
    PANEL_SERVICE_PRE_DRAW = 10,
    PANEL_SERVICE_PRE_KILL = 12,
};

// Element kinds (`element_type`).
enum ELEMENT_TYPE_ENUM : int32_t {
    ELEMENT_TYPE_STATIC_IMAGE = 0,
    ELEMENT_TYPE_NEEDLE = 1,
    ELEMENT_TYPE_STRING = 2,
    ELEMENT_TYPE_SLIDER = 3,
    ELEMENT_TYPE_ICON = 4,
    ELEMENT_TYPE_MOVING_IMAGE = 5,
    ELEMENT_TYPE_SPRITE = 6,
};

// Draw flags (`image_flags`). Gauge code sets or clears only LIT and HIDDEN; the other bits are
// the host's to read:
//   TRANSPARENT  pure black (0, 0, 0) in the element's bitmap is not drawn;
//   REDRAW       the element is drawn again on every frame (the stand-in host always does);
//   LUMINOUS     the element keeps its colours under panel lighting (no lighting in the stand-in);
//   FILTERED     turned and shifted bitmaps are sampled smoothly rather than pixel by pixel.
enum : uint32_t {
    DRAW_FLAG_TRANSPARENT = 0x00000001,
    DRAW_FLAG_REDRAW = 0x00000002,
    DRAW_FLAG_LIT = 0x00000004,
    DRAW_FLAG_LUMINOUS = 0x00000080,
    DRAW_FLAG_FILTERED = 0x00004000,
    DRAW_FLAG_HIDDEN = 0x40000000,
};

// Mouse actions (`mouse_flags`).
enum : uint32_t {
    MOUSE_DOWN_REPEAT = 0x00200000,
    MOUSE_LEFTSINGLE = 0x20000000,
};

// Cursors shown over a child rectangle.
enum : int32_t {
    CURSOR_NONE = -1,
    CURSOR_UPARROW = 1,
    CURSOR_DOWNARROW = 2,
    CURSOR_HAND = 5,
};

// Rectangle kinds of a mouse rectangle list.
enum MOUSE_RECT_TYPE : int32_t {
    MOUSE_RECT_EOL = 0,
    MOUSE_RECT_PARENT = 1,
    MOUSE_RECT_CHILD = 2,
    MOUSE_RECT_END_PARENT = 3,
    MOUSE_RECT_USER = 4,
};

// Type code of a named variable that is a 32-bit integer.
constexpr int32_t NAMED_VAR_TYPE_INT32 = 19;

// Id of the `ImportTable` entry that receives the service table.
constexpr uint32_t IMPORT_ID_PANELS = 0x0000000F;

// Values stored in every module's records.
constexpr uint32_t LINKAGE_MODULE_ID = 0x13;
constexpr uint32_t LINKAGE_MODULE_VERSION = 0x800;
constexpr uint32_t GAUGE_HEADER_VERSION = 800;
constexpr uint32_t GAUGE_SIZE_MM = 100;

// ---------------------------------------------------------------------------------------------
// Function types

using GAUGE_CALLBACK = void(HOST_CALL*)(GAUGEHDR* gauge, int32_t service_id, uint32_t extra);
using UPDATE_CALLBACK = double(HOST_CALL*)(ELEMENT_HEADER* element);
struct PIXPOINT;
using MOUSE_FUNCTION = int32_t(HOST_CALL*)(PIXPOINT* point, uint32_t mouse_flags);
using MODULE_INIT = void(HOST_CALL*)();

// ---------------------------------------------------------------------------------------------
// Small records

struct PIXPOINT {
    int32_t x = 0;
    int32_t y = 0;
};

struct PIXBOX {
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
};

// A host variable: the module stores the token; the host keeps the rest.
struct MODULE_VAR {
    uint32_t token = 0;
    void* reference = nullptr;
    int32_t type = 0;
    alignas(8) double value = 0.0;
    double previous_value = 0.0;
};

// One calibration point of a needle.
struct NONLINEARITY {
    PIXPOINT point{};
    double value = 0.0;
    double degrees = 0.0;
};

// One entry of an element's failure list; a list ends with an all-zero entry.
struct FAILURE_RECORD {
    int32_t system = 0;
    int32_t action = 0;
};

// ---------------------------------------------------------------------------------------------
// Element records. Every kind begins with ELEMENT_HEADER, so a pointer to any element is a
// pointer to its header.

struct ELEMENT_HEADER {
    ELEMENT_TYPE_ENUM element_type = ELEMENT_TYPE_STATIC_IMAGE;
    int32_t resource_id = 0;
    PIXPOINT position{};
    PIXPOINT previous_position{};
    PIXPOINT ofs{};
    GAUGEHDR* gauge_header = nullptr;
    ELEMENT_HEADER* previous_element = nullptr;
    ELEMENT_HEADER** next_element = nullptr;
    FAILURE_RECORD* failure_systems = nullptr;
    uint32_t image_flags = 0;
    uint32_t aircraft_special_instrumentation = 0;
    uint32_t reserved = 0;
};

struct ELEMENT_STATIC_IMAGE {
    ELEMENT_HEADER header{};
};

struct ELEMENT_NEEDLE {
    ELEMENT_HEADER header{};
    MODULE_VAR SOURCE_VAR{};
    uint32_t SOURCE_VAR_reserved = 0;
    NONLINEARITY* NONLINEARITY_TABLE = nullptr;
    uint32_t NONLINEARITY_COUNT = 0;
    double TURNING_RATE_LIMIT = 0.0;
    UPDATE_CALLBACK CALLBACK = nullptr;
};

// The host supplies `string` and states its capacity, the terminating NUL included, in
// `string_capacity`; a module writes at most that many bytes.
struct ELEMENT_STRING {
    ELEMENT_HEADER header{};
    MODULE_VAR SOURCE_VAR_1{};
    uint32_t SOURCE_VAR_1_reserved = 0;
    MODULE_VAR SOURCE_VAR_2{};
    uint32_t SOURCE_VAR_2_reserved = 0;
    MODULE_VAR SOURCE_VAR_3{};
    uint32_t SOURCE_VAR_3_reserved = 0;
    char* string = nullptr;
    uint32_t string_capacity = 0;
    int32_t SIZE_X = 0;
    int32_t SIZE_Y = 0;
    uint32_t reserved_1 = 0;
    uint32_t reserved_2 = 0;
    uint32_t FORECOLOR = 0;
    uint32_t BACKCOLOR = 0;
    uint32_t HILITECOLOR = 0;
    char FONT_NAME[32] = {};
    int32_t FONT_WEIGHT = 0;
    uint32_t FONT_CHARSET = 0;
    uint32_t reserved_3 = 0;
    uint32_t DRAW_TEXT_FLAGS = 0;
    UPDATE_CALLBACK CALLBACK = nullptr;
};

struct ELEMENT_SLIDER {
    ELEMENT_HEADER header{};
    MODULE_VAR SOURCE_VAR_X{};
    uint32_t SOURCE_VAR_X_reserved = 0;
    double SCALE_X = 0.0;
    MODULE_VAR SOURCE_VAR_Y{};
    uint32_t SOURCE_VAR_Y_reserved = 0;
    double SCALE_Y = 0.0;
    UPDATE_CALLBACK CALLBACK_X = nullptr;
    UPDATE_CALLBACK CALLBACK_Y = nullptr;
};

struct ELEMENT_ICON {
    ELEMENT_HEADER header{};
    MODULE_VAR SOURCE_VAR{};
    uint32_t SOURCE_VAR_reserved = 0;
    int32_t SWITCH_TYPE = 0;
    int32_t NUM_ICONS = 0;
    UPDATE_CALLBACK CALLBACK = nullptr;
};

struct ELEMENT_MOVING_IMAGE {
    ELEMENT_HEADER header{};
    MODULE_VAR SOURCE_VAR_X{};
    uint32_t SOURCE_VAR_X_reserved = 0;
    double MIN_X = 0.0;
    double MAX_X = 0.0;
    MODULE_VAR SOURCE_VAR_Y{};
    uint32_t SOURCE_VAR_Y_reserved = 0;
    double MIN_Y = 0.0;
    double MAX_Y = 0.0;
    UPDATE_CALLBACK CALLBACK_X = nullptr;
    UPDATE_CALLBACK CALLBACK_Y = nullptr;
};

struct ELEMENT_SPRITE {
    ELEMENT_HEADER header{};
    MODULE_VAR SOURCE_VAR_X{};
    uint32_t SOURCE_VAR_X_reserved = 0;
    double SCALE_X = 0.0;
    MODULE_VAR SOURCE_VAR_Y{};
    uint32_t SOURCE_VAR_Y_reserved = 0;
    double SCALE_Y = 0.0;
    MODULE_VAR SOURCE_VAR_0{};
    uint32_t SOURCE_VAR_0_reserved = 0;
    double SCALE_0 = 0.0;
    float TEXTURE_SCALE_X = 0.0f;
    float TEXTURE_SCALE_Y = 0.0f;
    UPDATE_CALLBACK CALLBACK_X = nullptr;
    UPDATE_CALLBACK CALLBACK_Y = nullptr;
    UPDATE_CALLBACK CALLBACK_0 = nullptr;
};

// ---------------------------------------------------------------------------------------------
// Mouse rectangles. `target` is the mouse function of a child rectangle or the tooltip text of
// the user record; `tooltip_args` is the tooltip's argument list.

struct TOOLTIP_ARGS {
    uint32_t count = 0;
};

union MOUSE_TARGET {
    MOUSE_FUNCTION function;
    const char* tooltip_text;
};

struct MOUSERECT {
    MOUSE_RECT_TYPE rect_type = MOUSE_RECT_EOL;
    PIXBOX box{};
    int32_t cursor = 0;
    uint32_t help_id = 0;
    uint32_t mouse_flags = 0;
    uint32_t event_id = 0;
    MOUSE_TARGET target = {.function = nullptr};
    const TOOLTIP_ARGS* tooltip_args = nullptr;
};

// ---------------------------------------------------------------------------------------------
// Gauge header, linkage and import table

struct GAUGEHDR {
    uint32_t header_version = 0;
    const char* gauge_name = nullptr;
    ELEMENT_HEADER** elements_list = nullptr;
    uint32_t size_mm = 0;
    MOUSERECT* mouse_rect = nullptr;
    GAUGE_CALLBACK gauge_callback = nullptr;
    uint32_t flags = 0;
    void* user_data = nullptr;
    uint32_t reserved = 0;
};

struct MODULE_LINKAGE {
    uint32_t module_id = 0;
    MODULE_INIT module_init = nullptr;
    MODULE_INIT module_deinit = nullptr;
    uint32_t flags = 0;
    uint32_t priority = 0;
    uint32_t module_version = 0;
    GAUGEHDR* gauges[2] = {};
};

// The host's services. Results are the host's; modules ignore them.
struct PANELS {
    uint32_t size = 0;
    int32_t(HOST_CALL* trigger_key_event)(uint32_t event_id, uint32_t value) = nullptr;
    int32_t(HOST_CALL* register_var_by_name)(void* var, int32_t type, const char* name) = nullptr;
    void(HOST_CALL* lookup_var)(MODULE_VAR* var) = nullptr;
    void(HOST_CALL* unregister_var_by_name)(const char* name) = nullptr;
};

struct IMPORT_ENTRY {
    uint32_t id = 0;
    PANELS* services = nullptr;
};

struct IMPORT_TABLE {
    IMPORT_ENTRY panels{};
    IMPORT_ENTRY end{};
};

// ---------------------------------------------------------------------------------------------
// Layout pinned for 32-bit and 64-bit targets.

namespace host_contract_layout {
constexpr bool p32 = sizeof(void*) == 4;
constexpr std::size_t ptr(std::size_t off32, std::size_t off64) {
    return p32 ? off32 : off64;
}

static_assert(sizeof(PIXPOINT) == 8);
static_assert(sizeof(PIXBOX) == 16);
static_assert(offsetof(MODULE_VAR, reference) == ptr(4, 8));
static_assert(offsetof(MODULE_VAR, type) == ptr(8, 16));
static_assert(offsetof(MODULE_VAR, value) == ptr(16, 24));
static_assert(offsetof(MODULE_VAR, previous_value) == ptr(24, 32));
static_assert(sizeof(MODULE_VAR) == ptr(32, 40));
static_assert(sizeof(NONLINEARITY) == 24);
static_assert(sizeof(FAILURE_RECORD) == 8);

static_assert(offsetof(ELEMENT_HEADER, position) == 8);
static_assert(offsetof(ELEMENT_HEADER, ofs) == 24);
static_assert(offsetof(ELEMENT_HEADER, gauge_header) == 32);
static_assert(offsetof(ELEMENT_HEADER, next_element) == ptr(40, 48));
static_assert(offsetof(ELEMENT_HEADER, image_flags) == ptr(48, 64));
static_assert(sizeof(ELEMENT_HEADER) == ptr(60, 80));

static_assert(offsetof(ELEMENT_NEEDLE, SOURCE_VAR) == ptr(64, 80));
static_assert(offsetof(ELEMENT_NEEDLE, NONLINEARITY_TABLE) == ptr(100, 128));
static_assert(offsetof(ELEMENT_NEEDLE, NONLINEARITY_COUNT) == ptr(104, 136));
static_assert(offsetof(ELEMENT_NEEDLE, TURNING_RATE_LIMIT) == ptr(112, 144));
static_assert(offsetof(ELEMENT_NEEDLE, CALLBACK) == ptr(120, 152));
static_assert(sizeof(ELEMENT_NEEDLE) == ptr(128, 160));

static_assert(offsetof(ELEMENT_STRING, SOURCE_VAR_1) == ptr(64, 80));
static_assert(offsetof(ELEMENT_STRING, SOURCE_VAR_2) == ptr(104, 128));
static_assert(offsetof(ELEMENT_STRING, SOURCE_VAR_3) == ptr(144, 176));
static_assert(offsetof(ELEMENT_STRING, string) == ptr(180, 224));
static_assert(offsetof(ELEMENT_STRING, string_capacity) == ptr(184, 232));
static_assert(offsetof(ELEMENT_STRING, SIZE_X) == ptr(188, 236));
static_assert(offsetof(ELEMENT_STRING, FORECOLOR) == ptr(204, 252));
static_assert(offsetof(ELEMENT_STRING, FONT_NAME) == ptr(216, 264));
static_assert(offsetof(ELEMENT_STRING, FONT_WEIGHT) == ptr(248, 296));
static_assert(offsetof(ELEMENT_STRING, DRAW_TEXT_FLAGS) == ptr(260, 308));
static_assert(offsetof(ELEMENT_STRING, CALLBACK) == ptr(264, 312));
static_assert(sizeof(ELEMENT_STRING) == ptr(272, 320));

static_assert(offsetof(ELEMENT_SLIDER, SCALE_X) == ptr(104, 128));
static_assert(offsetof(ELEMENT_SLIDER, SOURCE_VAR_Y) == ptr(112, 136));
static_assert(offsetof(ELEMENT_SLIDER, SCALE_Y) == ptr(152, 184));
static_assert(offsetof(ELEMENT_SLIDER, CALLBACK_X) == ptr(160, 192));
static_assert(sizeof(ELEMENT_SLIDER) == ptr(168, 208));

static_assert(offsetof(ELEMENT_ICON, SWITCH_TYPE) == ptr(100, 124));
static_assert(offsetof(ELEMENT_ICON, NUM_ICONS) == ptr(104, 128));
static_assert(offsetof(ELEMENT_ICON, CALLBACK) == ptr(108, 136));
static_assert(sizeof(ELEMENT_ICON) == ptr(112, 144));

static_assert(offsetof(ELEMENT_MOVING_IMAGE, MIN_X) == ptr(104, 128));
static_assert(offsetof(ELEMENT_MOVING_IMAGE, MAX_X) == ptr(112, 136));
static_assert(offsetof(ELEMENT_MOVING_IMAGE, SOURCE_VAR_Y) == ptr(120, 144));
static_assert(offsetof(ELEMENT_MOVING_IMAGE, MIN_Y) == ptr(160, 192));
static_assert(offsetof(ELEMENT_MOVING_IMAGE, MAX_Y) == ptr(168, 200));
static_assert(offsetof(ELEMENT_MOVING_IMAGE, CALLBACK_X) == ptr(176, 208));
static_assert(sizeof(ELEMENT_MOVING_IMAGE) == ptr(184, 224));

static_assert(offsetof(ELEMENT_SPRITE, SCALE_X) == ptr(104, 128));
static_assert(offsetof(ELEMENT_SPRITE, SOURCE_VAR_0) == ptr(160, 192));
static_assert(offsetof(ELEMENT_SPRITE, SCALE_0) == ptr(200, 240));
static_assert(offsetof(ELEMENT_SPRITE, TEXTURE_SCALE_X) == ptr(208, 248));
static_assert(offsetof(ELEMENT_SPRITE, CALLBACK_X) == ptr(216, 256));
static_assert(offsetof(ELEMENT_SPRITE, CALLBACK_0) == ptr(224, 272));
static_assert(sizeof(ELEMENT_SPRITE) == ptr(232, 280));

static_assert(offsetof(MOUSERECT, box) == 4);
static_assert(offsetof(MOUSERECT, cursor) == 20);
static_assert(offsetof(MOUSERECT, mouse_flags) == 28);
static_assert(offsetof(MOUSERECT, target) == ptr(36, 40));
static_assert(sizeof(MOUSERECT) == ptr(44, 56));

static_assert(offsetof(GAUGEHDR, gauge_name) == ptr(4, 8));
static_assert(offsetof(GAUGEHDR, elements_list) == ptr(8, 16));
static_assert(offsetof(GAUGEHDR, size_mm) == ptr(12, 24));
static_assert(offsetof(GAUGEHDR, mouse_rect) == ptr(16, 32));
static_assert(offsetof(GAUGEHDR, gauge_callback) == ptr(20, 40));
static_assert(sizeof(GAUGEHDR) == ptr(36, 72));

static_assert(offsetof(MODULE_LINKAGE, module_init) == ptr(4, 8));
static_assert(offsetof(MODULE_LINKAGE, module_version) == ptr(20, 32));
static_assert(offsetof(MODULE_LINKAGE, gauges) == ptr(24, 40));
static_assert(sizeof(MODULE_LINKAGE) == ptr(32, 56));

static_assert(offsetof(PANELS, trigger_key_event) == ptr(4, 8));
static_assert(sizeof(PANELS) == ptr(20, 40));
static_assert(sizeof(IMPORT_ENTRY) == ptr(8, 16));
static_assert(sizeof(IMPORT_TABLE) == ptr(16, 32));
} // namespace host_contract_layout
