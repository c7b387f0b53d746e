// Resource ids shared by the resource script and the shell.
#pragma once

#define IDI_VARNEL 1
#define IDM_TITLE 65535

// Global commands of the tray menu.
#define IDM_HELP 201
#define IDM_ABOUT 202
#define IDM_EXIT 203
#define IDM_SETTINGS 204
#define IDM_SHOW 205
#define IDM_HIDE 206
#define IDM_FRONT 207
#define IDM_BACK 208
#define IDM_RELOAD 209
#define IDM_SAVE 210
#define IDM_NEWNOTE 211
#define IDM_QUICKALARM 212
#define IDM_AUTOSIZE 224
#define IDM_ALIGNWIDTHS 227
#define IDM_REDRAW 228
#define IDM_FOLD 252
#define IDM_DELETENOTE 500

// Items that receive the shared popups as submenus.
#define IDM_MOVE 300
#define IDM_ARRANGE 400
#define IDM_ALPHA 600
#define IDM_ALPHA2 620

// Dialogs: OK and Cancel of every dialog, and the tabbed dialogs' tab control.
#define IDC_OK 11
#define IDC_CANCEL 12
#define IDC_TABS 1000

// "ABOUTDLG".
#define IDC_ABOUT_NAME 2
#define IDC_ABOUT_VERSION 3
#define IDC_ABOUT_NOTICE 4
#define IDC_ABOUT_LINK 5
