// Ids of the program's pictures (bitmaps, icons, the link cursor) and of the prose shown on
// the information pages. Included by resource.h for the code and by Images.rc and
// InfoText.rc for the resource compiler, so it holds nothing but #defines.
//
// Sizes the window layouts are made for (pixels):
//   tree images 16 x 16 in one 224 x 16 strip: product, Auto, Manual, MTU, RWIN, TTL,
//     cache size, then the same greyed (index + 7); red (255,0,0) is transparent.
//   tool bar: two 16 x 15 buttons (start, stop) on button-face grey (192,192,192).
//   splash and About: title 248 x 64, picture 360 x 150 (8 bits, 256-entry colour table
//     shared by all three), emblem 64 x 64; white is transparent and their rims are
//     blended for the splash's pale yellow (255,249,203).
//   wizard art 120 x 220, red transparent, rims blended for button-face grey.
//   dial view: pictures 64 x 64 drawn on white (the view's brush should be white), and the
//     fixed line picture 236 x 48 (white transparent) whose cords rise at its two ends:
//     with it at (65,139), pictures at (65,70) and (237,70) meet the cords.
//   dial status dialog: 32 x 32 icons of the same pictures.
//   icons 264 and 271 to 276: 16 x 16 and 32 x 32, 256 colours.
//   cursor 265: 32 x 32 monochrome hand, hot spot at the finger tip (6,0).
#ifndef VELOTUNE_RES_IMAGEIDS_H
#define VELOTUNE_RES_IMAGEIDS_H

// ---- bitmaps ----
#define IDB_TOOLBAR                 128
#define IDB_TREE_IMAGES             130
#define IDB_SPLASH_TITLE            250
#define IDB_SPLASH_PICTURE          252
#define IDB_WIZARD_ART              254
#define IDB_SPLASH_EMBLEM           342

// Dial view: seven dialing frames per picture (first + 0 ... first + 6), the two connected
// pairs, the hung-up pair and the fixed line picture.
#define IDB_DIAL_LEFT_FIRST         701
#define IDB_DIAL_RIGHT_FIRST        711
#define IDB_DIAL_CONNECTED1_LEFT    721
#define IDB_DIAL_CONNECTED1_RIGHT   722
#define IDB_DIAL_CONNECTED2_LEFT    723
#define IDB_DIAL_CONNECTED2_RIGHT   724
#define IDB_DIAL_HUNG_UP_LEFT       725
#define IDB_DIAL_HUNG_UP_RIGHT      726
#define IDB_DIAL_LINE               727
#define DIAL_FRAME_COUNT            7

// ---- icons ----
#define IDI_VELOTUNE                264
#define IDI_PAGE_AUTO               271
#define IDI_PAGE_MANUAL             272
#define IDI_PAGE_MTU                273
#define IDI_PAGE_RWIN               274
#define IDI_PAGE_TTL                275
#define IDI_PAGE_CACHE              276

// Dial status dialog: the same pictures as the dial view, as icons.
#define IDI_DIAL_LEFT_FIRST         731
#define IDI_DIAL_RIGHT_FIRST        741
#define IDI_DIAL_CONNECTED1_LEFT    751
#define IDI_DIAL_CONNECTED1_RIGHT   752
#define IDI_DIAL_CONNECTED2_LEFT    753
#define IDI_DIAL_CONNECTED2_RIGHT   754
#define IDI_DIAL_DISCONNECTED_LEFT  755
#define IDI_DIAL_DISCONNECTED_RIGHT 756

// ---- cursor ----
#define IDCUR_LINK_HAND             265

// ---- information page prose (string table) ----
#define IDS_INFO_32777              32777
#define IDS_INFO_32778              32778
#define IDS_INFO_32779              32779
#define IDS_INFO_32781              32781
#define IDS_INFO_32782              32782
#define IDS_INFO_32783              32783
#define IDS_INFO_32784              32784
#define IDS_INFO_32785              32785
#define IDS_INFO_32786              32786
#define IDS_INFO_32787              32787
#define IDS_INFO_32788              32788

#endif
