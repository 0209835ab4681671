// What the VOR/RMI's records and its update callbacks share: the host variables it reads and
// the callbacks the elements point to.
#pragma once

#include "gauge_frame.h"

// The heading, to which the compass card turns.
constexpr uint32_t HEADING_TOKEN = 81;
// The bearings of the single-line and the double-line pointer, in degrees clockwise from the
// top of the gauge.
constexpr uint32_t SINGLE_BEARING_TOKEN = 550;
constexpr uint32_t DOUBLE_BEARING_TOKEN = 59;
// Names no host variable: its value stays 0.
constexpr uint32_t NO_VARIABLE_TOKEN = 0;

double HOST_CALL rmi_card_x_update(ELEMENT_HEADER* element);
double HOST_CALL rmi_card_y_update(ELEMENT_HEADER* element);
double HOST_CALL rmi_card_rotation_update(ELEMENT_HEADER* element);
double HOST_CALL rmi_index_update(ELEMENT_HEADER* element);
double HOST_CALL rmi_legend_update(ELEMENT_HEADER* element);
double HOST_CALL rmi_single_pointer_update(ELEMENT_HEADER* element);
double HOST_CALL rmi_double_pointer_update(ELEMENT_HEADER* element);
