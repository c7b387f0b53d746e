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

// "ALARMDLG" and "ALARMSETDLG".
#define IDC_ALARM_CLOCK 1010
#define IDC_ALARM_TIME 1011
#define IDC_ALARM_SNOOZE 1012
#define IDC_ALARM_STOP 1013
#define IDC_ALARM_CLOCK_ON 1014
#define IDC_ALARM_DATED 1101
#define IDC_ALARM_DATE 1102
#define IDC_ALARM_MONDAY 1110
#define IDC_ALARM_HOLIDAYS 1117
#define IDC_ALARM_NOT_HOLIDAYS 1118
#define IDC_ALARM_STATE_NONE 1121
#define IDC_ALARM_STATE_ON 1122
#define IDC_ALARM_STATE_OFF 1123
#define IDC_ALARM_DIALOG 1124
#define IDC_ALARM_COMMAND 1125
