// Every resource id of the program: dialog templates and their controls,
// menus and commands, accelerators, the tool bar and the string table. The
// countdown dialog's ids and the pictures' ids live in the two headers
// included here, so each id is defined once.
#ifndef VELOTUNE_RES_RESOURCE_H
#define VELOTUNE_RES_RESOURCE_H

#include "TuneUpDialogIds.h"
#include "ImageIds.h"

// ---- menus, accelerators, tool bar, document strings ----
#define IDR_MAINFRAME                 128
#define IDR_TRAY_PROVIDER_MENU        233
#define IDR_TRAY_MENU                 359

// ---- commands of the main window ----
#define ID_TUNEUP_START               32771
#define ID_TUNEUP_STOP                32772
#define ID_TOOLS_CONFIG_WIZARD        32774
#define ID_VIEW_LAST_RESULT           32797
#define ID_TOOLS_OPTIONS              32826
#define ID_APP_ABOUT                  57664
#define ID_APP_EXIT                   57665
#define ID_HELP_TOPICS                57667
#define ID_NEXT_PANE                  57680
#define ID_PREV_PANE                  57681

// ---- commands of the tray menus ----
#define ID_TRAY_PLACEHOLDER           32816
#define ID_TRAY_SHOW_MAIN             32775
#define ID_TRAY_DIAL                  32777
#define ID_TRAY_HANG_UP               32778
#define ID_TRAY_ABOUT                 32779
#define ID_TRAY_HELP                  32780
#define ID_TRAY_EXIT                  32781
#define ID_TRAY_CONFIG_WIZARD         32801

// ---- strings ----
#define IDS_SOCKETS_INIT_FAILED       104
#define IDS_APP_TITLE                 57344
#define IDS_IDLE_MESSAGE              57345

// ---- dialog templates ----
#define IDD_ABOUTBOX                  100
#define IDD_LEFT_VIEW                 101
#define IDD_OPTIONS                   104
#define IDD_PROGRESS_VIEW             133
#define IDD_HIDDEN_WINDOW             134
#define IDD_RIGHT_VIEW                137
#define IDD_WIZARD_WELCOME            138
#define IDD_WIZARD_PROFILE            139
#define IDD_WIZARD_WEB_ADDRESS        140
#define IDD_DIAL_VIEW                 160
#define IDD_DIAL_STATUS               161
#define IDD_RESULT_VIEW               224
#define IDD_SPLASH                    245
#define IDD_WIZARD_PROVIDER           333
#define IDD_WIZARD_AOL                335
#define IDD_SCREEN_NAMES              336
#define IDD_WIZARD_DIALER_PATH        354
#define IDD_WIZARD_TUNEUP_TYPE        357

// ---- About (100) ----
#define IDC_ABOUT_PICTURE             1060
#define IDC_ABOUT_TITLE               1063
#define IDC_ABOUT_EMBLEM              1101
#define IDC_ABOUT_SALES_LABEL         1201
#define IDC_ABOUT_SUPPORT_LABEL       1202
#define IDC_ABOUT_WEB_LABEL           1203
#define IDC_ABOUT_VERSION             1204

// ---- left tree (101) ----
#define IDC_TUNEUP_TREE               1000

// ---- Options (104) ----
#define IDC_OPTIONS_PROVIDER          1010
#define IDC_OPTIONS_SHOW_DIALER       1017
#define IDC_OPTIONS_SINGLE_CLICK      1020
#define IDC_OPTIONS_START_WITH_WINDOWS 1038
#define IDC_OPTIONS_PROFILE           1129
#define IDC_OPTIONS_PROFILE_LABEL     1130
#define IDC_OPTIONS_PROVIDER_LABEL    1131
#define IDC_OPTIONS_INTERNET_DIAL     1132

// ---- progress view (133) ----
#define IDC_PHASE_PROGRESS            1020
#define IDC_TESTS_PROGRESS            1022
#define IDC_TEST_STATISTICS           1030
#define IDC_PHASE_TEXT                1051
#define IDC_TESTS_TEXT                1052
#define IDC_PROGRESS_TITLE            1053

// ---- information view (137) ----
#define IDC_PAGE_TITLE                1043
#define IDC_PAGE_ICON                 1045
#define IDC_PAGE_SUBTITLE1            1069
#define IDC_PAGE_SUBTITLE2            1070
#define IDC_PAGE_BODY1                1071
#define IDC_PAGE_BODY2                1072
#define IDC_PAGE_HELP_ANCHOR          1073

// ---- wizard pages and the screen-name dialog ----
#define IDC_WIZARD_ART                1200
#define IDC_WIZARD_GROUP              1205
#define IDC_WIZARD_LABEL              1206
#define IDC_PROFILE_LIST              1010
#define IDC_ADDRESS_EDIT              1011
#define IDC_PASSWORD_EDIT             1012
#define IDC_REDIAL_EDIT               1013
#define IDC_LOGIN_EDIT                1014
#define IDC_SCREEN_NAME_CANCEL        1029
#define IDC_BROWSE                    1087
#define IDC_SCREEN_NAME_BUTTON        1088
#define IDC_SCREEN_NAME_ADD           1088
#define IDC_SCREEN_NAME_DELETE        1089
#define IDC_SCREEN_NAME_OK            1090
#define IDC_DIALER_LABEL              1106
#define IDC_DIALER_GROUP              1107
#define IDC_DIALER_PATH_EDIT          1119
#define IDC_DIALER_BROWSE             1120
#define IDC_TUNEUP_EXPRESS            1123
#define IDC_TUNEUP_MODERATE           1124
#define IDC_TUNEUP_EXHAUSTIVE         1125
#define IDC_PROVIDER_LIST             1134
#define IDC_DEFAULT_DIALER_PATH       1135
#define IDC_DOMAIN_LIST               1136
#define IDC_DOMAIN_AT                 1137

// ---- result view (224) ----
#define IDC_EXTREME_FIGURE            1026
#define IDC_BEST_FIGURE               1027
#define IDC_AVERAGE_FIGURE            1028
#define IDC_RESULT_ANALYSIS           1065
#define IDC_RESULT_WHATS_NEXT         1066
#define IDC_EXTREME_CAPTION_ANCHOR    1074
#define IDC_BEST_CAPTION_ANCHOR       1075
#define IDC_AVERAGE_CAPTION_ANCHOR    1076

// ---- splash (245) ----
#define IDC_SPLASH_PICTURE            1046

// ---- dial view ----
#define IDC_DIAL_STATUS               1016
#define IDC_DIAL_CAPTION              1017
#define IDC_DIAL_PICTURE_LEFT         1018
#define IDC_DIAL_PICTURE_RIGHT        1019

// ---- dial status dialog ----
#define IDC_DIALUP_ICON_RIGHT         1077
#define IDC_DIALUP_ICON_LEFT          1078
#define IDC_DIALUP_DIAL               1079
#define IDC_DIALUP_HANG_UP            1080
#define IDC_DIALUP_STATUS             1081

#endif
