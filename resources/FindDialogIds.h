// Ids of the find dialog: dialogs 520-529, controls 5200-5299.
#ifndef KESTROVA_FIND_DIALOG_IDS_H
#define KESTROVA_FIND_DIALOG_IDS_H

#define IDD_FIND 520

#define IDC_FIND_TEXT 5200
#define IDC_FIND_FROM_TOP 5201
#define IDC_FIND_NEXT 5202
#define IDC_FIND_PREVIOUS 5203
#define IDC_FIND_IGNORE_CASE 5204

#endif
