// Resource and command ids, shared by quiltra.rc and the code.
#pragma once

#define IDD_ABOUT 101
#define IDI_QUILTRA 102
#define IDR_MAINMENU 103
#define IDB_TOOLBAR 107
#define IDB_TOOLBAR150 108
#define IDB_TOOLBAR200 109
#define IDB_START 111
#define IDR_DRAGCURSOR 132
#define IDR_BOARDMENU 135
#define IDR_BOXMENU 137
#define IDI_BOX 137
#define IDD_SETTINGS 138

// Settings dialog controls.
#define IDC_COLUMNS 1000
#define IDC_ROWS 1001
#define IDC_PIECECOUNT 1005
#define IDC_SQUARE 1025

// Menu commands; the toolbar and both right-button menus use the same ids.
#define IDM_ABOUT 40001
#define IDM_CONTENTS 40002
#define IDM_EXIT 40003
#define IDM_SAVEAS 40031
#define IDM_BOXTOGGLE 40033
#define IDM_NEW 40042
#define IDM_OPEN 40043
#define IDM_SAVE 40044
#define IDM_ENLARGE 40045
#define IDM_REDUCE 40046
#define IDM_WIZARD 40047
// The zoom steps are not numbered in percentage order: 7 % is 40053, 10 % is 40052.
#define IDM_ZOOM1 40048
#define IDM_ZOOM2 40049
#define IDM_ZOOM3 40050
#define IDM_ZOOM5 40051
#define IDM_ZOOM10 40052
#define IDM_ZOOM7 40053
#define IDM_ZOOM15 40054
#define IDM_ZOOM20 40055
#define IDM_ZOOM30 40056
#define IDM_ZOOM50 40057
#define IDM_ZOOM75 40058
#define IDM_ZOOM100 40059
#define IDM_ZOOM150 40060
#define IDM_ZOOM200 40061
#define IDM_ZOOM300 40062
#define IDM_ZOOM500 40063
#define IDM_GOALPICTURE 40064
#define IDM_EDGESONLY 40065
#define IDM_PUTINTOBOX 40071
#define IDM_BOXBOTTOM 40072
#define IDM_BOXTOP 40073
#define IDM_BOXRIGHT 40074
#define IDM_BOXLEFT 40075
#define IDM_BOXMAXIMISED 40076
// The box places as one range, in the order of their boxPosition values.
#define IDM_BOXFIRST IDM_BOXBOTTOM
#define IDM_BOXLAST IDM_BOXMAXIMISED
#define IDM_BOXCLOSE 40080
#define IDM_OPTSOUND 40090
#define IDM_OPTGRAYBORDER 40091
#define IDM_OPTGOALBORDER 40092
#define IDM_OPTJOINPIECES 40093
