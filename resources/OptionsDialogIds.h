// Resource ids of the options dialog: dialogs and menus 300-399, controls 3000-3099, and
// the three menu commands whose numbers the program has always used.
#ifndef KESTROVA_OPTIONS_DIALOG_IDS_H
#define KESTROVA_OPTIONS_DIALOG_IDS_H

#define IDD_OPTIONS 300
#define IDR_OPTIONS_MENU 301

#define IDC_OPTIONS_GRID 3000

#define IDM_OPTIONS_UPDATE 32863
#define IDM_OPTIONS_BROWSE 32958
#define IDM_OPTIONS_RUN 32959

#endif
