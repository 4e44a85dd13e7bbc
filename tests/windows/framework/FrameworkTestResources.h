// Identifiers of the framework tests' own templates.
#pragma once

#define IDD_TEST_MAIN 401
#define IDD_TEST_PLACED 402
#define IDD_TEST_OWNED 403

#define IDC_TEST_BUTTON 1010
#define IDC_TEST_LIST 1011
#define IDC_TEST_COMBO 1012
#define IDC_TEST_PROGRESS 1013
