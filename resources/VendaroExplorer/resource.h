#pragma once
// Resource and command ids of the catalogue browser.
#include <afxres.h>

#define IDR_MAINFRAME             128
#define IDR_FULLMENU              129
#define IDD_ABOUTBOX              100
#define IDD_CONFIRM               153
#define IDD_SEARCH_PROGRESS       166
#define IDR_CONTEXTMENU           167
#define IDR_SIMULATIONMENU        178
#define IDR_SEARCH_AVI            165
#define IDB_PRESSED_OVERLAY       168

// The sixteen icons of the image lists, in the order they are appended.
#define IDI_ICON_136              136
#define IDI_ICON_134              134
#define IDI_ICON_135              135
#define IDI_ICON_138              138
#define IDI_ICON_137              137
#define IDI_ICON_142              142
#define IDI_ICON_140              140
#define IDI_ICON_149              149
#define IDI_ICON_147              147
#define IDI_ICON_148              148
#define IDI_ICON_146              146
#define IDI_ICON_145              145
#define IDI_ICON_155              155
#define IDI_ICON_156              156
#define IDI_ICON_154              154
#define IDI_ICON_158              158
#define IDI_QUESTION              157
#define IDI_BACK_PRESSED          171
#define IDI_BACK                  173
#define IDI_RELOAD_PRESSED        176
#define IDI_RELOAD                177

#define IDC_CONFIRM_TEXT          1041
#define IDC_SEARCH_ANIMATE        1074

#define ID_DELETE_RESULT          3
#define ID_SEARCH_DATA_QUICK      32771
#define ID_EMPTY_COMMAND          32775
#define ID_SEARCH_BUTTON          32776
#define ID_SEARCH_BOX             32777
#define ID_VIEW_REFRESH           32781
#define ID_FOCUS_NEXT_PANE        32782
#define ID_REGISTER_DIRECTORY     32785
#define ID_GO_BACK                32802
#define ID_GO_FORWARD             32803
#define ID_GO_UP                  32804
#define ID_PASTE_TO_BOARD         32805
#define ID_SORT_PLACEHOLDER       32806
#define ID_SEARCH_DATA            32814
#define ID_SEARCH_IMAGE           32815
#define ID_TOOL_32816             32816
#define ID_FS_SIMULATION          32817
#define ID_VIEW_THUMBNAILS        59409
#define ID_VIEW_DETAIL            59411

// Search dialogs 161, 162 and 132 (catalogue browser II).
#define IDD_SAVED_SEARCH          132
#define IDD_DATA_SEARCH           161
#define IDD_IMAGE_SEARCH          162
#define IDC_SEARCH_TABS           1101
#define IDC_SEARCH_CDROM_LABEL    1102
#define IDC_SEARCH_FIELD          1103
#define IDC_SEARCH_TEXT           1104
#define IDC_SEARCH_LOWER          1105
#define IDC_SEARCH_UPPER          1106
#define IDC_SEARCH_FOLDER         1107
#define IDC_SEARCH_BROWSE         1108
#define IDC_SEARCH_LABEL_FIELD    1109
#define IDC_SEARCH_LABEL_TEXT     1110
#define IDC_SEARCH_LABEL_LOWER    1111
#define IDC_SEARCH_LABEL_UPPER    1112
#define IDC_SEARCH_LABEL_FOLDER   1113
#define IDC_IMAGE_TABS            1120
#define IDC_IMAGE_FILE            1121
#define IDC_IMAGE_LABEL_FILE      1122
#define IDC_IMAGE_FROM_YEAR       1123
#define IDC_IMAGE_FROM_YEAR_SPIN  1124
#define IDC_IMAGE_FROM_MONTH      1125
#define IDC_IMAGE_FROM_MONTH_SPIN 1126
#define IDC_IMAGE_FROM_DAY        1127
#define IDC_IMAGE_FROM_DAY_SPIN   1128
#define IDC_IMAGE_TO_YEAR         1129
#define IDC_IMAGE_TO_YEAR_SPIN    1130
#define IDC_IMAGE_TO_MONTH        1131
#define IDC_IMAGE_TO_MONTH_SPIN   1132
#define IDC_IMAGE_TO_DAY          1133
#define IDC_IMAGE_TO_DAY_SPIN     1134
#define IDC_IMAGE_LABEL_FROM      1135
#define IDC_IMAGE_LABEL_TO        1136
#define IDC_IMAGE_DATE_SEP1       1137
#define IDC_IMAGE_DATE_SEP2       1138
#define IDC_IMAGE_DATE_SEP3       1139
#define IDC_IMAGE_DATE_SEP4       1140
#define IDC_IMAGE_FOLDER          1141
#define IDC_IMAGE_BROWSE          1142
#define IDC_SAVED_CATALOG         1150
#define IDC_SAVED_NAME            1151
#define IDC_SAVED_FIELD           1152
#define IDC_SAVED_TEXT            1153
#define IDC_SAVED_METHOD          1154

// ---- The detail form (thumbnail and detail views) ----
#define IDD_DETAIL_FORM           130
#define IDC_DETAIL_VALUE1         1003
#define IDC_DETAIL_VALUE2         1004
#define IDC_DETAIL_INFO           1006
#define IDC_DETAIL_PREVIEW        1014
#define IDC_DETAIL_LABEL1         1078
#define IDC_DETAIL_LABEL2         1079
#define IDC_DETAIL_LABEL3         1080
