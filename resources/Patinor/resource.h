#pragma once
// Resource ids of the texture wizard library.
#define IDS_WIZARD_CAPTION      102
#define IDS_REDUCING_COLORS     118
#define IDS_NO_MEMORY           119
#define IDS_NO_RESOURCE         120
#define IDS_CONFIRM_QUIT        121
#define IDS_IMAGE_SIZE          136

#define IDI_WIZARD              141
#define IDB_SIZE_GRIP           144
#define IDI_ZOOM_IN             148
#define IDI_ZOOM_OUT            149
#define IDI_FIT                 150
#define IDI_REVERT              151

#define IDC_POLYGON_CURSOR      159
#define IDC_FILL_CURSOR         160
#define IDC_BRUSH1_CURSOR       169
#define IDC_BRUSH5_CURSOR       170
#define IDC_BRUSH15_CURSOR      171
#define IDC_ERASER1_CURSOR      172
#define IDC_ERASER5_CURSOR      173
#define IDC_ERASER15_CURSOR     174
