#pragma once

#define IDD_TEST_PLAIN 901
#define IDD_TEST_LIST 902
// The same controls in windows that are never shown (quicker to make and end).
#define IDD_TEST_PLAIN_HIDDEN 903
#define IDD_TEST_LIST_HIDDEN 904
