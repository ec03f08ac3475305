#pragma once
// Resource ids of the board designer.
#define IDR_MAINFRAME        128
#define IDB_FONTTYPES        129
#define ID_VIEW_FITPAGE      32906
#ifndef AFX_IDS_APP_TITLE
#define AFX_IDS_APP_TITLE    0xE000
#endif
// Guide markers of the rulers.
#define IDB_RULER_MARKER_V       225
#define IDB_RULER_MARKER_H       227
#define IDB_RULER_MARKER_V_SEL   468
#define IDB_RULER_MARKER_H_SEL   469
#define IDB_RULER_MASK_H         652
#define IDB_RULER_MASK_V         663
// Context menus of the rulers and their commands.
#define IDM_RULER_GUIDE          228
#define IDM_RULER                229
#define ID_GUIDE_DELETE          32840
#define ID_GUIDE_DELETE_ALL      32841
#define ID_GUIDE_SHOW            32843
#define ID_VIEW_RULER            1178
// The loading dialog.
#define IDD_QVZ_WAIT             470
