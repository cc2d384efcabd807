/* Identifiers shared by the resource script and the code. */
#ifndef QUORVANE_RESOURCE_H
#define QUORVANE_RESOURCE_H

#define IDI_APP         102
#define IDR_TRAYMENU    103
#define IDD_ABOUT       104
#define IDD_SETTINGS    105
#define IDD_PANEL       106

/* Controls of the settings and About dialogs. */
#define IDC_URL         1010
#define IDC_WIDTH_SPIN  1012
#define IDC_WIDTH_EDIT  1013
#define IDC_HEIGHT_EDIT 1016
#define IDC_HEIGHT_SPIN 1017
#define IDC_TIMER_EDIT  1018
#define IDC_ICON_LARGE  1022
#define IDC_ICON_SMALL  1023
#define IDC_CANCEL      1024
#define IDC_APPLY       1025
#define IDC_OK          1026
#define IDC_CHANGESIZE  1027
#define IDC_FULLSCREEN  1028
#define IDC_HOTKEY      1029

/* The home page: the caption of the About dialog's link button, and what a click opens. */
#define QUORVANE_HOME_PAGE "https://quorvane.example.org/"

/* Why a dropped item was not added, in the order of DropVerdict from TooLong on; and the
   line that stands for the items past the first few. */
#define IDS_DROP_TOO_LONG       200
#define IDS_DROP_OUTSIDE_CODE_PAGE 201
#define IDS_DROP_READ_AS_OTHER  202
#define IDS_DROP_END_UNREAD     203
#define IDS_DROP_LIST_FULL      204
#define IDS_DROP_WRITE_FAILED   205
#define IDS_DROP_MORE           206

/* The hot key of the settings could not be registered: another program holds it. */
#define IDS_HOTKEY_TAKEN        210

/* Tray menu commands. */
#define IDM_EXIT        40003
#define IDM_ABOUT       40008
#define IDM_SETTINGS    40010

#ifndef RC_INVOKED
/* Numbers that only the code uses, typed so that they cannot be mixed up. */
unsigned const TRAY_ICON_ID = 1000;
/* Below WM_USER on purpose: the tray callback number is part of the program's interface. */
unsigned const WM_TRAYNOTIFY = 1001;
unsigned const POLL_TIMER_ID = 10000;
/* Tries the tray icon again while the shell cannot take it yet (at logon). */
unsigned const TRAY_RETRY_TIMER_ID = 10001;
/* Once, when the program is first idle after start: what the shown panel needs. */
unsigned const IDLE_SETUP_TIMER_ID = 10002;
/* Posted by a drop, handled once the drag's source has its answer (WM_APP + 1: a dialog's
   own messages take the WM_USER range). */
unsigned const WM_DROPDONE = 0x8001;
#endif

#endif
