// Resource ids of the setup program.
#pragma once

// Strings: the caption, then the page texts.
#define IDS_CAPTION 1
#define IDS_WELCOME_TEXT 2
#define IDS_READY_TEXT 3
#define IDS_SUCCESS_HEADING 4
#define IDS_READY_HEADING 5
#define IDS_FAILURE_HEADING 6
#define IDS_PROBLEM_HEADING 7
#define IDS_PROBLEM_TEXT 8
#define IDS_SUCCESS_TEXT 9
#define IDS_FAILURE_TEXT 10
#define IDS_WAIT_HEADING 11
#define IDS_WAIT_TEXT 12

// The install manifest: the primary files, then the pictures by subfolder
// in install order, each subfolder's first picture named.
#define IDS_FILE_PROGRAM 51
#define IDS_FILE_TOOL 52
#define IDS_FILE_HELP 53
#define IDS_FILE_ORDER 54
#define IDS_FILE_README 55
#define IDS_FILE_CONTENTS 56
#define IDS_FILE_FIRST IDS_FILE_PROGRAM
#define IDS_FILE_LAST IDS_FILE_CONTENTS
#define IDS_PICTURE_BKGNDS1 101
#define IDS_PICTURE_BKGNDS2 109
#define IDS_PICTURE_WFALLS 116
#define IDS_PICTURE_SUNSETS 119
#define IDS_PICTURE_NATURE 122
#define IDS_PICTURE_FIRST IDS_PICTURE_BKGNDS1
#define IDS_PICTURE_LAST 126

// The icon group.
#define IDI_LUMIROLL 101

// Page templates.
#define IDD_PROBLEM 106
#define IDD_WELCOME 107
#define IDD_FOLDER 108
#define IDD_README 109
#define IDD_FINISH 110

// Bitmaps: the five slides, then the page pictures.
#define IDB_SLIDE_FIRST 103
#define IDB_SLIDE_COUNT 5
#define IDB_LOGO 108
#define IDB_WHITE 109
#define IDB_FOLDERS 110
#define IDB_GOLIGHT 111
#define IDB_FIREWORKS 112
#define IDB_STOP 113

// Controls, by role.
#define IDC_BODY 1000
#define IDC_PICTURE 1001
#define IDC_FOLDER 1002
#define IDC_CHANGE 1003
#define IDC_HEADING 1004
