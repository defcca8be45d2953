#pragma once

#define IDD_TEST_PLAIN 901
#define IDD_TEST_LIST 902
// The list dialog in a window that is never shown (quicker to make and end).
#define IDD_TEST_LIST_HIDDEN 904
