#pragma once
// Resource ids of the board designer.
// The document template of the main window: menu, accelerators and document string.
#define IDR_QVZTYPE          1271
#define IDP_OLE_INIT_FAILED  1001
#define IDI_QVZ              98
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
#define IDM_PAGELIST_POPUP       1051
#define ID_GUIDE_DELETE          32840
#define ID_GUIDE_DELETE_ALL      32841
#define ID_GUIDE_SHOW            32843
#define ID_VIEW_RULER            1178
// The loading dialog.
#define IDD_QVZ_WAIT             470

// Tool bars of the main frame (each with its bitmap of the same id).
#define IDR_STANDARD_BAR         98
#define IDR_PAGELIST_BAR         263
#define IDR_MAIN_TOOLBAR         471
#define IDR_VARIANT_PALETTE      326
#define IDR_ALIGN_PALETTE        1040
#define IDR_BALLOON_PALETTE      276
#define IDB_RECT_MENU_STRIP      1055
#define IDB_ARC_PALETTE          1057
#define IDM_BUTTON_MENU          1054
// The pop-up of the tool families.
#define IDD_DROPDOWN_MENU        342
#define ID_BUTTON_MENU_DUMMY     32941
#define IDC_FOLDER_SPLITTER      104
// Status panes.
#define ID_INDICATOR_PAGE        1231
#define ID_INDICATOR_X           1232
#define ID_INDICATOR_Y           1233
#define ID_INDICATOR_TOOL        1234
// Pages.
#define ID_INSERT_BLANKPAGE      1187
#define ID_INSERT_TEMPLATEPAGE   32977
#define ID_INSERT_PAGECOPY       32889
#define ID_PAGE_DELETE           1217
#define ID_VIEW_PAGELIST         1188
#define ID_PAGELIST_BACK         32976
// View and window.
#define ID_IMAGE_NORMAL          32931
#define ID_IMAGE_THUMBNAIL       32932
#define ID_IMAGE_GREY            32933
#define ID_INSERT_CATALOG        1180
#define ID_ORGANIZE_FAVORITES    32967
#define ID_SAVE_TEMPLATE         32936
#define ID_EDIT_DESELECT         802
#define ID_FAVORITE_DUMMY        32945
#define ID_FAVORITE_FIRST        1524
#define ID_FAVORITE_LAST         1623
#define ID_ZOOM_IN               32876
#define ID_ZOOM_OUT              32875
// Pictures.
#define ID_SAVE_IMAGE            32980
#define ID_IMAGE_WIZARD          32965
#define ID_INSERT_SCANNER        32968
#define ID_INSERT_IMAGEFILE      32865
// Files and help.
#define ID_FILE_NEW_BLANK        32972
#define ID_FILE_NEW_TEMPLATE     32975
#define ID_WORK_MENU             32974
#define ID_HELP_CONTENTS         32956
#define ID_HELP_WEB_PRODUCT      32960
#define ID_HELP_WEB_SUPPORT      32959
#define ID_HELP_WEB_HOME         32961
// Tools and the main tool bar.
#define ID_TOOL_SELECT           32847
#define ID_TOOL_LINE             32848
#define ID_TOOL_RECT             32849
#define ID_TOOL_ROUNDRECT        32851
#define ID_TOOL_ELLIPSE          32852
#define ID_TOOL_PIE              32853
#define ID_TOOL_CHORD            32854
#define ID_TOOL_ARC              32855
#define ID_TOOL_TEXT             32863
#define ID_TOOL_TITLE            32864
#define ID_TOOL_POLYLINE         32877
#define ID_TOOL_POLYGON          32878
#define ID_TOOL_LEADERTEXT       32900
#define ID_PALETTE_SHAPES        32892
#define ID_PALETTE_SYMBOLS       32943
#define ID_PALETTE_FAVORITES     32944
#define ID_PALETTE_FLOORPLAN     92
#define ID_PALETTE_PERSPECTIVE   91
#define ID_BALLOON_RECT          32902
#define ID_BALLOON_ROUNDRECT     32903
#define ID_BALLOON_ELLIPSE       32904
// Edit commands of the view.
#define ID_EDIT_DELETE           778
#define ID_EDIT_SELECTALL        1182
#define ID_EDIT_GROUP            1224
#define ID_EDIT_UNGROUP          1225
#define ID_EDIT_FORWARD          1229
#define ID_EDIT_BACKWARD         1227
#define ID_EDIT_TOFRONT          32844
#define ID_EDIT_TOBACK           32845
#define ID_ALIGN_LEFT            1195
#define ID_ALIGN_HCENTER         1197
#define ID_ALIGN_RIGHT           1199
#define ID_ALIGN_TOP             796
#define ID_ALIGN_VCENTER         1203
#define ID_ALIGN_BOTTOM          1204
#define ID_FLIP_HORZ             1213
#define ID_FLIP_VERT             803
#define ID_LOCK                  32908
#define ID_UNLOCK                32909
#define ID_ROTATE_ANGLE          32869
#define ID_ROTATE_MODE           1021
#define ID_TOOL_CANCEL           1190
#define ID_VERTEX_EDIT           32859
#define ID_PROPERTY_INFO         1230
#define ID_GRID_SNAP             1181
#define ID_GRID_SHOW             781
#define ID_INSERT_FLOORPLAN      32901
#define ID_FLOORPLAN_SCALE       33000
#define ID_TEXT_EDIT             32963
#define ID_TITLE_EDIT            32966
#define ID_PAPER_SETTINGS        32922
#define ID_GRID_SETTINGS         32920
#define ID_AUTOSAVE_SETTINGS     32921
#define ID_CATALOG_SETTINGS      32930
#define ID_PRINT_AREA            32942
#define ID_SCALE_SETTINGS        32918
// Start-up, extraction, help and the About box.
#define IDP_SOCKETS_INIT_FAILED  1008
#define IDD_QVZ_ABOUTBOX         1000
#define IDC_ABOUT_PRODUCT        1147
#define IDC_ABOUT_INFO           1142
#define ID_EXTRACT_PERSPECTIVE   32982
#define ID_EXTRACT_FLOORPLAN     32985
#define ID_PERSPECTIVE_REDRAW    32984

// ---- File pickers and templates: start menu, property information, template dialogs ----
#define IDD_START_MENU           130
#define IDD_PROPERTY_INFO        1046
#define IDD_TEMPLATE_SAVE        1050
#define IDD_TEMPLATE_SAVEAS      1019
#define IDC_PI_FILENAME          695
#define IDC_PI_SAVED             1088
#define IDC_PI_NAME              1091
#define IDC_PI_ADDRESS           1094
#define IDC_PI_CLIENT            1096
#define IDC_PI_TEL               766
#define IDC_PI_FAX               701
#define IDC_PI_MOBILE            1101
#define IDC_PI_MAIL              704
#define IDC_PI_SALES             1103
#define IDC_PI_PLANNER           1105
#define IDC_PI_REMARKS           706
#define IDC_TEMPLATE_NAME        765
#define IDC_TEMPLATE_DESCRIPTION 1087
#define IDC_TEMPLATE_SAVE_LABEL  1090

// ---- Picture-open dialog: preview switch, progress and thumbnails ----
#define IDD_PICTURE_OPEN         1018
#define IDC_PICTURE_STANDARD     1119
#define IDC_PICTURE_PREVIEW      1069
#define IDC_PICTURE_PROGRESS     1071
#define IDC_PICTURE_THUMBNAILS   1062

// The editing view's pop-up menus and commands (application view).
#define IDM_VIEW_POPUP           1270
#define IDM_VIEW_POPUP_MULTI     1039
#define IDM_VIEW_POPUP_VERTEX    1052
#define ID_VERTEX_DELETE         32899
#define IDD_FLOORPLAN_OPEN       437
// Fill pop-ups of the fill buttons.
#define IDD_FILL_POPUP           280
#define IDD_IMAGEFILL_POPUP      305
#define IDC_FILL_TAB             727
