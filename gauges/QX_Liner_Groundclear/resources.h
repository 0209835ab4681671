// Bitmap ids of the radio altimeter, shared by the resource script and the records.
#pragma once

#define DIAL_BITMAP 0x100
#define HEIGHT_POINTER_BITMAP 0x1100
#define BUG_BITMAP 0x1200
#define FLAG_BITMAP 0x1300
#define RED_FLAG_BITMAP 0x1301
