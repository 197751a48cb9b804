// Ids shared by the test program and its resource script.
#pragma once

#define IDD_FORM 100
#define IDD_PAGE 101
#define IDD_LISTS 102
#define IDD_FILE_CHILD 103

#define IDC_NAME 1001
#define IDC_COUNT 1002
#define IDC_OPTION 1003
#define IDC_APPLY 1004
#define IDC_FAIL 1005
#define IDC_LABEL 1006
#define IDC_REFLECTED 1007
#define IDC_PAGE_AREA 1008
#define IDC_RUNTIME 1009
#define IDC_PAGE_BUTTON 2001
#define IDC_LIST 2101
#define IDC_TABS 2102
#define IDC_PREVIEW 2201

#define IDS_GREETING 3001
#define IDB_SWATCH 3101
