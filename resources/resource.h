// Resource ids shared by the resource script and the shell.
#pragma once

#include "../src/core/app/command_ids.h"

#define IDI_VARNEL 1

// Dialogs: OK and Cancel of every dialog, and the tabbed dialogs' tab control.
#define IDC_OK 11
#define IDC_CANCEL 12
#define IDC_TABS 1000

// "ABOUTDLG".
#define IDC_ABOUT_NAME 2
#define IDC_ABOUT_VERSION 3
#define IDC_ABOUT_NOTICE 4
#define IDC_ABOUT_LINK 5
