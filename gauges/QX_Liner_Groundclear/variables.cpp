// The radio altimeter's module globals and what it inserts into the lifecycle skeleton: four
// named variables published in this order, two host variables refreshed in this order, the
// sound module bound, and the named variables zeroed at the first draw.
#include "groundclear.h"

#include <iterator>

int32_t rabug = 0;
int32_t ratest = 0;
int32_t raflag = 0;
int32_t raltalert = 0;

MODULE_VAR radio_height = {.token = RADIO_HEIGHT_TOKEN};
MODULE_VAR bug_setting = {.token = BUG_SETTING_TOKEN};

namespace {

const NAMED_VAR named_vars[] = {
    {.name = "rabug", .value = &rabug},
    {.name = "ratest", .value = &ratest},
    {.name = "raflag", .value = &raflag},
    {.name = "raltalert", .value = &raltalert},
};

MODULE_VAR* const global_vars[] = {&radio_height, &bug_setting};

void clear_named_vars() {
    rabug = 0;
    ratest = 0;
    raflag = 0;
    raltalert = 0;
}

} // namespace

const GAUGE_PLAN gauge_plan = {
    .named_vars = named_vars,
    .named_var_count = std::size(named_vars),
    .global_vars = global_vars,
    .global_var_count = std::size(global_vars),
    .per_update = nullptr,
    .first_draw = clear_named_vars,
    .binds_sound = true,
};
