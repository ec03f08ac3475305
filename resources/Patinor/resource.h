#pragma once
// Resource ids of the texture wizard library.
#define IDD_INPUT_PAGE          101
#define IDD_RANGE_PAGE          102
#define IDD_SIZE_PAGE           103
#define IDD_BLACKFILL_PAGE      104
#define IDD_COLOR_PAGE          105
#define IDD_TEXTUREINFO_PAGE    106
#define IDD_THUMB_FILE          129
#define IDD_WIZARD_PROGRESS     146
#define IDD_NEXT_IMAGE          185
#define IDD_COLOR_PAGE_NEXT     186

#define IDS_WIZARD_CAPTION      102
#define IDS_IMAGE_FILTER        113
#define IDS_REDUCING_COLORS     118
#define IDS_NO_MEMORY           119
#define IDS_NO_RESOURCE         120
#define IDS_CONFIRM_QUIT        121
#define IDS_UNREADABLE_TYPE     127
#define IDS_IMAGE_SIZE          136
// Messages of our own where the wizard would otherwise fail silently.
#define IDS_SAVE_FAILED         201
#define IDS_SIZE_OUT_OF_RANGE   202
#define IDS_PAGE_FAILED         203

#define IDB_INPUT_PICTURE       130
#define IDB_TURN_LEFT           139
#define IDB_TURN_RIGHT          140
#define IDI_WIZARD              141
#define IDI_FILE_INPUT          142
#define IDI_SCANNER_INPUT       143
#define IDB_SIZE_GRIP           144
#define IDI_ZOOM_IN             148
#define IDI_ZOOM_OUT            149
#define IDI_FIT                 150
#define IDI_REVERT              151
#define IDI_TOOL_BRUSH          152
#define IDI_TOOL_ERASER         153
#define IDI_TOOL_POLYGON        154
#define IDI_TOOL_FILL           155
#define IDI_SIZE_SMALL          156
#define IDI_SIZE_MIDDLE         157
#define IDI_SIZE_LARGE          158
#define IDB_RANGE_ALL           165
#define IDB_RANGE_PART          166
#define IDB_SIZE_PICTURE        184

#define IDC_POLYGON_CURSOR      159
#define IDC_FILL_CURSOR         160
#define IDC_BRUSH1_CURSOR       169
#define IDC_BRUSH5_CURSOR       170
#define IDC_BRUSH15_CURSOR      171
#define IDC_ERASER1_CURSOR      172
#define IDC_ERASER5_CURSOR      173
#define IDC_ERASER15_CURSOR     174
