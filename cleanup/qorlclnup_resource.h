// Resource numbers of qorlclnup.exe (shared by its .rc files and its code).
#pragma once

#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101          // the system-menu item that opens the about box
#define IDD_QORLCLNUP_DIALOG 102
#define IDS_CLEANUP_DONE 103      // the message shown after the cleanup
#define IDR_MAINFRAME 128         // the program's icon
#define IDB_PICTURE 130           // the 96 x 96 picture of the main dialog

// The program folder and the shortcuts it holds, in deletion order; the first
// shortcut is the product's own, and the list ends at the first missing entry.
#define IDS_PROGRAM_FOLDER_NAME 200
#define IDS_SHORTCUT_NAME_FIRST 210
#define IDS_SHORTCUT_NAME_COUNT 6

// The system-menu command of the about box; 16 to 31 all open it.
#define IDM_ABOUTBOX 0x0010

#define IDC_PICTURE 1000
#define IDC_TEXT_LINE1 1001
#define IDC_TEXT_LINE2 1002
#define IDC_TEXT_LINE3 1003
#define IDC_ABOUT_ICON 1010
#define IDC_ABOUT_TEXT 1011
