#pragma once
// Resources the control tests add to the board designer's own.
#define IDR_TESTBAR 300
#define IDB_TB_NORMAL 301
#define IDB_TB_HOT 302
#define IDB_TB_DISABLED 303
#define IDB_MENUSTRIP 304
#define IDD_EDITS 310
#define IDC_NOTIFY 311
#define IDC_OTHER 312

#define ID_TB_A 33001
#define ID_TB_DROP 33002
#define ID_TB_COMBO 33003
#define ID_TB_B 33004
#define ID_TB_C 33005
#define ID_TB_NOSLOT 33006
#define ID_TB_COMBO2 33007

#define ID_SHAPE_RECT 32849
#define ID_SHAPE_ROUND 32851
#define ID_SHAPE_ELLIPSE 32852
