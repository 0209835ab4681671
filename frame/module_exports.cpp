// The two records a module exports, and module init and deinit, which do nothing.
#include "gauge_frame.h"

namespace {
void HOST_CALL module_init() {}
void HOST_CALL module_deinit() {}
} // namespace

extern "C" {

MODULE_LINKAGE Linkage = {
    .module_id = LINKAGE_MODULE_ID,
    .module_init = module_init,
    .module_deinit = module_deinit,
    .flags = 0,
    .priority = 0,
    .module_version = LINKAGE_MODULE_VERSION,
    .gauges = {&gauge_header, nullptr},
};

// The host writes its service table into the entry; the module only ever reads it.
IMPORT_TABLE ImportTable = {
    .panels = {.id = IMPORT_ID_PANELS, .services = nullptr},
    .end = {.id = 0, .services = nullptr},
};
}
