// The gauge callback shared by every module: the skeleton's work per service id, with the
// gauge's own work inserted from its `gauge_plan`.
#include "gauge_frame.h"
#include "sound_binding.h"

int32_t frame_first_draw_done = 0;

namespace {

PANELS* services() {
    return ImportTable.panels.services;
}

void register_named_vars(const GAUGE_PLAN& plan) {
    for (std::size_t i = 0; i < plan.named_var_count; ++i) {
        if (PANELS* panels = services()) {
            panels->register_var_by_name(plan.named_vars[i].value, NAMED_VAR_TYPE_INT32,
                                         plan.named_vars[i].name);
        }
    }
}

void unregister_named_vars(const GAUGE_PLAN& plan) {
    for (std::size_t i = 0; i < plan.named_var_count; ++i) {
        if (PANELS* panels = services()) {
            panels->unregister_var_by_name(plan.named_vars[i].name);
        }
    }
}

void refresh_global_vars(const GAUGE_PLAN& plan) {
    for (std::size_t i = 0; i < plan.global_var_count; ++i) {
        frame_lookup_var(plan.global_vars[i]);
    }
}

} // namespace

void frame_trigger_key_event(uint32_t event_id) {
    if (PANELS* panels = services()) {
        panels->trigger_key_event(event_id, 0);
    }
}

void frame_lookup_var(MODULE_VAR* var) {
    if (PANELS* panels = services()) {
        panels->lookup_var(var);
    }
}

void HOST_CALL frame_gauge_callback(GAUGEHDR*, int32_t service_id, uint32_t) {
    const GAUGE_PLAN& plan = gauge_plan;
    switch (service_id) {
    case PANEL_SERVICE_PRE_INSTALL:
        register_named_vars(plan);
        break;
    case PANEL_SERVICE_PRE_INITIALIZE:
        if (plan.binds_sound) {
            sound_bind();
        }
        break;
    case PANEL_SERVICE_PRE_UPDATE:
        if (plan.binds_sound) {
            sound_keep_bound();
        }
        refresh_global_vars(plan);
        if (plan.per_update != nullptr) {
            plan.per_update();
        }
        break;
    case PANEL_SERVICE_PRE_DRAW:
        if (frame_first_draw_done == 0) {
            frame_first_draw_done = 1;
            if (plan.first_draw != nullptr) {
                plan.first_draw();
            }
        }
        break;
    case PANEL_SERVICE_PRE_KILL:
        if (plan.binds_sound) {
            sound_release();
        }
        unregister_named_vars(plan);
        break;
    default:
        break;
    }
}
