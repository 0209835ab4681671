// Bitmap ids of the clock, shared by the resource script and the records.
#pragma once

#define FACE_BITMAP 0x100
#define HOUR_HAND_BITMAP 0x1100
#define MINUTE_HAND_BITMAP 0x1200
#define SECOND_HAND_BITMAP 0x1300
