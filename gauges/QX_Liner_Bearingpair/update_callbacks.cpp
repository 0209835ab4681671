// The VOR/RMI's module globals and update callbacks. The card and both pointers show the
// gauge's own copies of their host variables, refreshed at every panel update, rather than
// their elements' source variables; every value is passed on unchanged.
#include "bearingpair.h"

#include <iterator>

namespace {

MODULE_VAR rmi_heading = {.token = HEADING_TOKEN};
MODULE_VAR rmi_double_bearing = {.token = DOUBLE_BEARING_TOKEN};
MODULE_VAR rmi_single_bearing = {.token = SINGLE_BEARING_TOKEN};

// Refreshed in this order at every PANEL_SERVICE_PRE_UPDATE.
MODULE_VAR* const global_vars[] = {&rmi_heading, &rmi_double_bearing, &rmi_single_bearing};

} // namespace

double HOST_CALL rmi_card_x_update(ELEMENT_HEADER* element) {
    return frame_pass_through(element, frame_element<ELEMENT_SPRITE>(element)->SOURCE_VAR_X);
}

double HOST_CALL rmi_card_y_update(ELEMENT_HEADER* element) {
    return frame_pass_through(element, frame_element<ELEMENT_SPRITE>(element)->SOURCE_VAR_Y);
}

double HOST_CALL rmi_card_rotation_update(ELEMENT_HEADER* element) {
    return frame_pass_through(element, rmi_heading);
}

double HOST_CALL rmi_index_update(ELEMENT_HEADER* element) {
    return frame_pass_through(element, frame_element<ELEMENT_ICON>(element)->SOURCE_VAR);
}

double HOST_CALL rmi_legend_update(ELEMENT_HEADER* element) {
    return frame_pass_through(element, frame_element<ELEMENT_ICON>(element)->SOURCE_VAR);
}

double HOST_CALL rmi_single_pointer_update(ELEMENT_HEADER* element) {
    return frame_pass_through(element, rmi_single_bearing);
}

double HOST_CALL rmi_double_pointer_update(ELEMENT_HEADER* element) {
    return frame_pass_through(element, rmi_double_bearing);
}

// The VOR/RMI binds the sound module and refreshes its three global variables; it has no
// named variables, no per-update work and an empty one-time initialisation.
const GAUGE_PLAN gauge_plan = {
    .named_vars = nullptr,
    .named_var_count = 0,
    .global_vars = global_vars,
    .global_var_count = std::size(global_vars),
    .per_update = nullptr,
    .first_draw = nullptr,
    .binds_sound = true,
};
