#pragma once

#define IDD_TEST_PLAIN 901
#define IDD_TEST_LIST 902
