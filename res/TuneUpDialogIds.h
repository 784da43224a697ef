// Ids of the tune-up error (countdown) dialog and of the dial engine's
// hidden window template. Shared by res/TuneUpDialogs.rc and the code.
#pragma once

#define IDD_TUNEUP_ERROR 348
#define IDC_ERROR_HEADING 1103
#define IDC_ERROR_MESSAGE 1104
#define IDC_COUNTDOWN_LABEL 1105
#define IDC_COUNTDOWN_SECONDS 1106
#define IDC_COUNTDOWN_LABEL_BESIDE 1107
#define IDC_COUNTDOWN_SEC 1108
#define IDC_PAUSE_TUNEUP 1110

// The dial engine's window: never shown, it only receives timers and messages.
#define IDD_DIAL_HIDDEN 349
