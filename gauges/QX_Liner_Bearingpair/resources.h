// Bitmap ids of the VOR/RMI, shared by the resource script and the records.
#pragma once

#define TOP_INDEX_BITMAP 0x1200
#define VOR_LEGEND_BITMAP 0x1300
#define FACE_BITMAP 0x1400
#define SINGLE_POINTER_BITMAP 0x1600
#define DOUBLE_POINTER_BITMAP 0x1700
#define CARD_BITMAP 0x1800
#define CARD_MASK_BITMAP 0x1801
