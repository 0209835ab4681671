// What the radio altimeter's source files share: its host tokens, its module globals and the
// functions its records point to.
#pragma once

#include "gauge_frame.h"

#include <cstdint>

constexpr uint32_t RADIO_HEIGHT_TOKEN = 614;
constexpr uint32_t BUG_SETTING_TOKEN = 615;

// Named variables, published to the host under their own names (variables.cpp).
extern int32_t rabug;
extern int32_t ratest;
extern int32_t raflag;
extern int32_t raltalert;

// Global variables, refreshed from the host at every panel update (variables.cpp).
extern MODULE_VAR radio_height; // metres above ground
extern MODULE_VAR bug_setting;  // feet

// Update callbacks and mouse functions (callbacks.cpp).
double HOST_CALL height_needle_update(ELEMENT_HEADER* element);
double HOST_CALL bug_needle_update(ELEMENT_HEADER* element);
double HOST_CALL flag_icon_update(ELEMENT_HEADER* element);
int32_t HOST_CALL bug_knob_up_click(PIXPOINT* point, uint32_t mouse_flags);
int32_t HOST_CALL bug_knob_down_click(PIXPOINT* point, uint32_t mouse_flags);
int32_t HOST_CALL test_button_click(PIXPOINT* point, uint32_t mouse_flags);
