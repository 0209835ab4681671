// The radio altimeter's update callbacks and mouse functions.
//
// The host reports the height in metres; the gauge shows it in feet on a scale from 0 to 2500.
// The pointer reads 14 feet below the converted height, or 150 feet while the self-test is on.
// The bug shows the host's height setting; when the setting lies above the converted height the
// gauge raises the height alert, which only another panel part clears.
#include "groundclear.h"

namespace {

constexpr double FEET_PER_METRE = 3.2808;
constexpr double POINTER_OFFSET_FEET = 14.0;
constexpr double SCALE_BOTTOM_FEET = 0.0;
constexpr double SCALE_TOP_FEET = 2500.0;
constexpr double TEST_READING_FEET = 150.0;

constexpr int32_t TEST_ON = 1;
constexpr int32_t TEST_OFF = 0;
constexpr int32_t ALERT_RAISED = 1;

constexpr double NO_FLAG_PICTURE = 0.0;
constexpr double RED_FLAG_PICTURE = 1.0;

constexpr uint32_t BUG_UP_EVENT = 0x10311;
constexpr uint32_t BUG_DOWN_EVENT = 0x10312;

double feet_above_ground() {
    return FEET_PER_METRE * radio_height.value;
}

// Holds a reading at the ends of the scale; NaN passes through, as no comparison holds for it.
double held_on_scale(double feet) {
    if (feet > SCALE_TOP_FEET) {
        feet = SCALE_TOP_FEET;
    }
    if (feet < SCALE_BOTTOM_FEET) {
        feet = SCALE_BOTTOM_FEET;
    }
    return feet;
}

// Test mode needs exactly 1: any other value another panel part writes leaves it off.
bool test_mode_on() {
    return ratest == TEST_ON;
}

void raise_alert_when_below(double bug_feet, double height_feet) {
    if (bug_feet > height_feet) {
        raltalert = ALERT_RAISED;
    }
}

} // namespace

double HOST_CALL height_needle_update(ELEMENT_HEADER* element) {
    frame_light(element);
    const double feet = held_on_scale(feet_above_ground() - POINTER_OFFSET_FEET);
    return test_mode_on() ? TEST_READING_FEET : feet;
}

// The alert compares the bug as shown with the converted height itself: no offset, no limits,
// no test reading.
double HOST_CALL bug_needle_update(ELEMENT_HEADER* element) {
    const double bug_feet = held_on_scale(bug_setting.value);
    raise_alert_when_below(bug_feet, feet_above_ground());
    frame_light(element);
    return bug_feet;
}

double HOST_CALL flag_icon_update(ELEMENT_HEADER* element) {
    frame_light(element);
    return test_mode_on() ? RED_FLAG_PICTURE : NO_FLAG_PICTURE;
}

int32_t HOST_CALL bug_knob_up_click(PIXPOINT*, uint32_t) {
    frame_trigger_key_event(BUG_UP_EVENT);
    return 0;
}

int32_t HOST_CALL bug_knob_down_click(PIXPOINT*, uint32_t) {
    frame_trigger_key_event(BUG_DOWN_EVENT);
    return 0;
}

// Switches the test on from 0 and off from any other value.
int32_t HOST_CALL test_button_click(PIXPOINT*, uint32_t) {
    ratest = ratest == TEST_OFF ? TEST_ON : TEST_OFF;
    return 0;
}
