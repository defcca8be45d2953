#pragma once

// Dialogs
#define IDD_MAIN 104
#define IDD_EDIT 106
#define IDD_REPLACE 107

// Menus
#define IDR_MAIN_MENU 101
#define IDR_EDIT_MENU 102
#define IDR_LIST_MENU 103

// Icon
#define IDI_APP 108

// Controls
#define IDC_FILE_LIST 1001
#define IDC_EDIT_NAME 1002
#define IDC_EDIT_TIME 1003
#define IDC_EDIT_NOTE 1004
#define IDC_REPLACE_FIND 1005
#define IDC_REPLACE_WITH 1006
#define IDC_REPLACE_BY_NAME 1007
#define IDC_REPLACE_PREVIEW 1008
// Made at run time along the main window's bottom edge
#define IDC_STATUS_BAR 1009

// Main menu commands
#define IDM_RESTORE 40001
#define IDM_CLEAR 40002
#define IDM_EDIT 40003
#define IDM_ADD_RECURSIVELY 40004
#define IDM_CONFIRM_RESTORE 40005
#define IDM_CONFIRM_CLEAR 40006

// Commands of the list's context menu (restore and edit take the menu bar's ids)
#define IDM_UNDO 40007
#define IDM_DELETE 40008
#define IDM_SELECT_ALL 40009
#define IDM_COPY 40010
#define IDM_PASTE 40011
#define IDM_SELECT_CHANGED 40012
#define IDM_REPLACE_PATHS 40013
#define IDM_SELECT_FAILED 40014
#define IDM_RETRY_FAILED 40015

// Saving and opening a list, in the menu bar and the list's context menu
#define IDM_OPEN_LIST 40020
#define IDM_SAVE_LIST 40021
