// Resource ids of the monitor controller. The numbers are fixed: stored settings,
// the windows' code and the English and Japanese resources all refer to them.
#pragma once

// Dialog templates
#define IDD_ABOUTBOX                    100
#define IDD_TONL                        129
#define IDD_COLOR                       283
#define IDD_COLOR_SUB                   284
#define IDD_MONITOR_LIST                287
#define IDD_SOUND                       290
#define IDD_MAIN                        291
#define IDD_CALMIRA                     292
#define IDD_EDIT_MESSAGE                293
#define IDD_VSFILTER                    308
#define IDD_MULTIMON_MATCH              310
#define IDD_MATCH_STEP1                 326
#define IDD_MATCH_STEP2                 327
#define IDD_MATCH_STEP3                 328
#define IDD_MATCH_SUB                   338

// Icons, cursor, menu
#define IDR_MAINFRAME                   128
#define IDI_NO_MONITOR                  152
#define IDR_TRAY_MENU                   155
#define IDC_LINK_HAND                   294

// Bitmaps: page backgrounds for screens below 120 dpi and from 120 dpi on
#define IDB_COLOR_BACK                  274
#define IDB_COLOR_BACK_HI               298
#define IDB_COLOR_SUB_BACK              275
#define IDB_COLOR_SUB_BACK_HI           300
#define IDB_TONL_BACK                   277
#define IDB_TONL_BACK_HI                304
#define IDB_SOUND_BACK                  279
#define IDB_SOUND_BACK_HI               306
#define IDB_CALMIRA_BACK                295
#define IDB_CALMIRA_BACK_HI             302
#define IDB_VSFILTER_BACK               310
#define IDB_VSFILTER_BACK_HI            311
#define IDB_MATCH_BACK                  321
#define IDB_MATCH_BACK_HI               322
#define IDB_MATCH_STEP1_BACK            351
#define IDB_MATCH_STEP1_BACK_HI         352
#define IDB_MATCH_STEP2_BACK            353
#define IDB_MATCH_STEP2_BACK_HI         354
#define IDB_MATCH_STEP3_BACK            355
#define IDB_MATCH_STEP3_BACK_HI         356
// Pictures
#define IDB_SOUND_PICTURE               297
#define IDB_MATCH_PICTURE               346
#define IDB_MATCH_PICTURE_HI            347
#define IDB_STEP2_TEMPERATURE           156
#define IDB_STEP2_TEMPERATURE_LOWCOLOR  158
#define IDB_STEP2_NO_TEMPERATURE        180
#define IDB_STEP2_NO_TEMPERATURE_LOWCOLOR 181
// Colour detail dialog: item icons beside its sliders (one disabled look serves the
// three gains) and its temperature bar. The bar shows the four pictures above while the
// monitor's user preset is in play, and the two pairs below otherwise.
#define IDB_ITEM_BRIGHTNESS             213
#define IDB_ITEM_BRIGHTNESS_OFF         214
#define IDB_ITEM_BLUE                   215
#define IDB_ITEM_GAMMA                  216
#define IDB_ITEM_GREEN                  217
#define IDB_ITEM_GAIN_OFF               219
#define IDB_ITEM_GAMMA_OFF              220
#define IDB_ITEM_RED                    225
#define IDB_ITEM_CONTRAST               258
#define IDB_ITEM_CONTRAST_OFF           261
#define IDB_COLOR_BAR                   270
#define IDB_COLOR_BAR_LOWCOLOR          271
#define IDB_COLOR_BAR_FIXED             272
#define IDB_COLOR_BAR_FIXED_LOWCOLOR    273

// Strings
#define IDS_ABOUTBOX                    101
#define IDS_TAB_TONALIS                 102
#define IDS_TAB_COLOR                   103
#define IDS_MODE_GAME                   104
#define IDS_MODE_USER1                  105
#define IDS_MODE_USER2                  106
#define IDS_MODE_USER3                  107
#define IDS_MODE_CALMIRA                108
#define IDS_MODE_CINEMA                 109
#define IDS_MODE_PAPER                  110
#define IDS_MODE_TEXT                   111
#define IDS_MODE_PICTURE                112
#define IDS_MODE_MOVIE                  113
#define IDS_MODE_CUSTOM                 114
#define IDS_MODE_SRGB                   115
#define IDS_MONITOR                     116
#define IDS_SAVE_MODE_SETTING           117
#define IDS_MODE_ECO                    118
#define IDS_MODE_USER                   119
#define IDS_DELETE_MODE_SETTING         120
#define IDS_DELETE_MODE_FAILED          121
#define IDS_TRAY_REGISTER_FAILED        122
#define IDS_MUTEX_NAME                  133
#define IDS_TAB_SOUND                   149
#define IDS_VERSION                     152
#define IDS_MODE_EXTERNAL               153
#define IDS_MODE_NOT_CHANGE             156
#define IDS_MODE_VIEWER                 168
#define IDS_MONITOR_LIST_EXPLANATION    180
#define IDS_DATA_NOT_FOR_MONITOR        181
#define IDS_KEEP_ON_TOP                 182
#define IDS_MODE_DICOM                  183
#define IDS_MODE_DICOM_BL               184
#define IDS_MODE_CAL                    185
#define IDS_DELETE_ADJUSTMENT_DATA      195
#define IDS_MODE_APPLIED_ONLY_TO        196
#define IDS_LEGAL_NOTICE                201
#define IDS_FILTER_NONE                 210
#define IDS_FILTER_IMAGE_N              211
#define IDS_FILTER_SELECT_FILE          212
#define IDS_PICTURE_FILE_FILTER         213
#define IDS_PICTURE_DEFAULT_EXT         214
#define IDS_IMPORT_FAILED               215
#define IDS_IMPORT_FILE_FAILED          216
#define IDS_MODE_CAD                    226
#define IDS_MODE_UNNAMED                227
#define IDS_PRODUCT_NAME                231
#define IDS_REMINDER_MESSAGE            232
#define IDS_WEB_ADDRESS                 245
#define IDS_NAME_TOO_LONG               246
#define IDS_TAB_MATCH                   247
#define IDS_COMM_FAILED                 249
#define IDS_MATCH_BRIGHTNESS_GUIDE      250

// Labels that no code addresses
#ifndef IDC_STATIC
#define IDC_STATIC                      (-1)
#endif

// Controls of the main window (291)
#define IDC_TAB                         1000
#define IDC_CLOSE                       1046
// About box (100)
#define IDC_VERSION                     1159
#define IDC_NOTICE                      1160
// Monitor connection list (287)
#define IDC_LIST_EXPLANATION            1130
#define IDC_LIST_HEADER                 1156
#define IDC_MONITOR_LIST                1153
// Pages: shared ids
#define IDC_MONITOR                     1008
#define IDC_MODE                        1010
#define IDC_HYPERLINK                   1203
// Auto Tonalis page (129)
#define IDC_AUTO_TONALIS                1029
#define IDC_APPLICATION                 1007
#define IDC_REGISTER_RULE               1031
#define IDC_DELETE_RULE                 1030
#define IDC_DEFAULT_MODE                1095
#define IDC_INDEPENDENT                 1008
// Colour adjustment page (283)
#define IDC_COLOR_DETAIL                1047
#define IDC_DATA_NAME                   1044
#define IDC_REGISTER_DATA               1045
#define IDC_DELETE_DATA                 1046
#define IDC_RESTORE_DATA                1048
// Sound page (290)
#define IDC_VOLUME                      1133
#define IDC_VOLUME_VALUE                1134
#define IDC_VOLUME_CAPTION              1136
#define IDC_SOUND_RESET                 1080
#define IDC_SOUND_PICTURE               1216
// Multi-monitor match page (310)
#define IDC_MATCH_EXPLANATION           1264
#define IDC_MATCH_PICTURE               1234
#define IDC_ADJUST                      1235
// Colour detail dialog (284)
#define IDC_SUB_TEMPERATURE             1039
#define IDC_SUB_TEMPERATURE_VALUE       1018
#define IDC_SUB_TEMPERATURE_BAR         1048
#define IDC_SUB_BRIGHTNESS              1003
#define IDC_SUB_BRIGHTNESS_VALUE        1005
#define IDC_SUB_CONTRAST                1022
#define IDC_SUB_CONTRAST_VALUE          1023
#define IDC_SUB_GAMMA                   1008
#define IDC_SUB_GAMMA_VALUE             1010
#define IDC_SUB_RED                     1012
#define IDC_SUB_RED_VALUE               1013
#define IDC_SUB_GREEN                   1014
#define IDC_SUB_GREEN_VALUE             1015
#define IDC_SUB_BLUE                    1016
#define IDC_SUB_BLUE_VALUE              1017
#define IDC_SUB_BRIGHTNESS_ICON         1096
#define IDC_SUB_CONTRAST_ICON           1194
#define IDC_SUB_GAMMA_ICON              1102
#define IDC_SUB_RED_ICON                1099
#define IDC_SUB_GREEN_ICON              1100
#define IDC_SUB_BLUE_ICON               1101
#define IDC_SUB_RESET                   1080
// Calmira dialog (292) and message editor (293)
#define IDC_TARGET_MONITOR              1208
#define IDC_REMINDER_ON                 1211
#define IDC_INTERVAL_LABEL              1215
#define IDC_INTERVAL                    1202
#define IDC_INTERVAL_SPIN               1019
#define IDC_INTERVAL_UNIT               1213
#define IDC_EDIT_MESSAGE                1214
#define IDC_MESSAGE                     1202
// Calmira filter dialog (308)
#define IDC_FILTER_IMAGE                1219
#define IDC_FILTER_PATH                 1220
#define IDC_FILTER_BROWSE               1221
#define IDC_FILTER_TRANSMITTANCE        1224
#define IDC_FILTER_TRANSMITTANCE_VALUE  1226
#define IDC_FILTER_LUMINANCE            1225
#define IDC_FILTER_LUMINANCE_VALUE      1228
#define IDC_FILTER_RESTORE_DEFAULT      1229
// Match wizard steps (326, 327, 328)
#define IDC_STEP1_MASTER                1267
#define IDC_STEP1_MODE                  1009
#define IDC_STEP1_NEXT                  1276
#define IDC_STEP1_CANCEL                1277
#define IDC_STEP2_TEMPERATURE           1039
#define IDC_STEP2_TEMPERATURE_TEXT      1270
#define IDC_STEP2_GAMMA                 1225
#define IDC_STEP2_GAMMA_TEXT            1271
#define IDC_STEP2_PICTURE               1282
#define IDC_STEP2_NEXT                  1278
#define IDC_STEP2_CANCEL                1279
#define IDC_STEP3_BRIGHTNESS            1271
#define IDC_STEP3_BRIGHTNESS_TEXT       1272
#define IDC_STEP3_GUIDE                 1264
#define IDC_STEP3_FINISH                1280
#define IDC_STEP3_CANCEL                1281

// Commands: tray menu (155) and the main window
#define ID_TRAY_EXIT                    32771
#define ID_TRAY_SETTING                 32772
#define ID_APP_ABOUT_BOX                32774
#define ID_TRAY_MONITOR_LIST            32782
#define ID_TRAY_CALMIRA                 32792
#define ID_TRAY_FILTER                  32796
// System menu items added at run time
#define IDM_SYS_ABOUT                   0x0010
#define IDM_SYS_KEEP_ON_TOP             0x0020
