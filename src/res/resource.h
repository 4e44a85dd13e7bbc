// Identifiers shared by the resource script and the code.
#pragma once

#define IDD_MANAGER 102
#define IDR_MAINFRAME 128
#define IDD_PROGRESS 130

#define IDC_DRIVER_LIST 1001
#define IDC_CLASS_FILTER 1002
#define IDC_MANUFACTURER_FILTER 1003
#define IDC_ADE_FILTER 1004
#define IDC_REMOVE 1012
#define IDC_REFRESH 1016
#define IDC_PROGRESS 1028
#define IDC_PROGRESS_DRIVER 1029
#define IDC_PROGRESS_ACTION 1030
