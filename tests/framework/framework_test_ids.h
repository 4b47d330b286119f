/* Resource ids of the framework tests' dialog. */
#ifndef VANTREL_TESTS_FRAMEWORK_IDS_H
#define VANTREL_TESTS_FRAMEWORK_IDS_H

#define IDD_TEST 100
#define IDC_EDIT 1000
#define IDC_LABEL 1001
#define IDC_DRAWN 1002
#define IDC_PLAIN 1003

#endif
