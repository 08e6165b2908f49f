// Dialog templates of the library and their controls; scripts' tests find the controls by
// these numbers.
#pragma once

#define IDD_VORN_TEXT_INPUT 160
#define IDC_VORN_TEXT_COMBO 1072
#define IDC_VORN_TEXT_EDIT 1052
#define IDC_VORN_TEXT_MESSAGE 1067
#define IDC_VORN_OK 1032

#define IDD_VORN_TEXT_LIST 121
#define IDC_VORN_LIST_LABEL1 201      // to 204
#define IDC_VORN_LIST_FILE1 205       // to 208
#define IDC_VORN_LIST_FOLDER1 209     // to 212
#define IDC_VORN_LIST_EDIT1 1019
#define IDC_VORN_LIST_EDIT2 1015
#define IDC_VORN_LIST_EDIT3 1013
#define IDC_VORN_LIST_EDIT4 1009

#define IDD_VORN_HTTP_DOWNLOAD 129
#define IDC_VORN_HTTP_TARGET 1000
#define IDC_VORN_HTTP_FILE 1001
#define IDC_VORN_HTTP_PROGRESS 1003
#define IDC_VORN_HTTP_SIZE 1005
#define IDC_VORN_HTTP_BUFFER 1006
