// Ids of the lab's dial-up dialogs (LabInternetDial.rc).
#pragma once

#define IDD_DIALUP_CONNECTION 100
#define IDD_CONNECT_TO 101
#define IDD_CONNECTING 102

#define IDC_DIAL_ENTRY 1001
#define IDC_DIAL_USER 1002
#define IDC_DIAL_PASSWORD 1003
#define IDC_DIAL_SAVE_PASSWORD 1004
#define IDC_DIAL_STATUS 1005
#define IDC_DIAL_DETAILS 1006
