// Command ids: the menu ids of the resource, one number space for the tray,
// note, heading, detail and list menus, hot keys and shortcuts. Plain macros
// because the resource script includes this file as well (it reads only the
// preprocessor lines of a header).
#pragma once

#define kCmdTitle 65535  // the bold title item of a popup; runs nothing

#define kCmdHelp 201
#define kCmdAbout 202
#define kCmdExit 203
#define kCmdProperties 204  // 設定 in the tray menu, 詳細 on notes and lists
#define kCmdShow 205
#define kCmdHide 206
#define kCmdToFront 207
#define kCmdToBack 208
#define kCmdReload 209
#define kCmdSave 210
#define kCmdNewNote 211
#define kCmdAlarm 212  // quick alarm in the tray menu, alarm settings on a detail
#define kCmdOtherCommands 213  // where the submenu of other commands goes
#define kCmdTopmost 222
#define kCmdFixPlace 223
#define kCmdAutoSize 224
#define kCmdEditLock 226
#define kCmdAlignWidths 227
#define kCmdRedraw 228
#define kCmdImport 229
#define kCmdExport 230
#define kCmdRestoreBackup 231  // バックアップから復元... in the tray menu
#define kCmdAddHeading 241
#define kCmdAddHeadingDlg 242
#define kCmdAddDetail 243
#define kCmdAddDetailDlg 244
#define kCmdEdit 245
#define kCmdDuplicate 246
#define kCmdMoveUp 247
#define kCmdMoveDown 248
#define kCmdResetDetails 249
#define kCmdDelete 250
#define kCmdShowAllHeadings 251
#define kCmdFold 252
#define kCmdAddDetailClip 253
#define kCmdAddDetailsClip 254
#define kCmdToDetail 255
#define kCmdToHeading 256
#define kCmdCopy 257
#define kCmdRunCommand 258
#define kCmdRun 259
#define kCmdMail 260
#define kCmdDecoration1 261
#define kCmdDecoration2 262
#define kCmdStateMenu 290
#define kCmdStateUnchecked 291  // 291..294: set the state 0..3
#define kCmdStateChecked 292
#define kCmdStateDone 293
#define kCmdStateDeleted 294

#define kCmdMoveMenu 300
#define kCmdMoveRight 301
#define kCmdMoveLeft 302
#define kCmdMoveTop 304
#define kCmdMoveTopRight 305
#define kCmdMoveTopLeft 306
#define kCmdMoveBottom 308
#define kCmdMoveBottomRight 309
#define kCmdMoveBottomLeft 310

#define kCmdArrangeMenu 400
#define kCmdArrangeTopRightDown 405
#define kCmdArrangeTopLeftDown 406
#define kCmdArrangeBottomRightDown 409
#define kCmdArrangeBottomLeftDown 410
#define kCmdArrangeTopRightAcross 421
#define kCmdArrangeTopLeftAcross 422
#define kCmdArrangeBottomRightAcross 425
#define kCmdArrangeBottomLeftAcross 426

#define kCmdDeleteNote 500  // from a note: 500 + 65536 * slot

#define kCmdAlphaMenu 600
#define kCmdAlpha10 601  // 601..610: opacity when active 10%..100%
#define kCmdAlpha100 610
#define kCmdAlpha2Menu 620
#define kCmdAlpha2x10 621  // 621..630: opacity when inactive 10%..100%
#define kCmdAlpha2x100 630

#define kCmdNewItem 3311  // the new button of the note and heading list pages
