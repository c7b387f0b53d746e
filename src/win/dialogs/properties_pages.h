// The pages of the note properties dialog. Each is a child dialog of the
// tabbed container; OK or Cancel reaches every page as command 11 or 12.
#pragma once
#include <windows.h>

#include <string>

#include "core/note/note_properties.h"
#include "win/dialogs/dialog_base.h"
#include "win/platform/holders.h"

namespace varnel::win {

class CCheckWnd;

// "全体２": the fixed or automatic position and the display schedule.
class PositionSchedulePage : public DialogBase {
 public:
  explicit PositionSchedulePage(CCheckWnd& note) : note_(note) {}

 protected:
  BOOL OnInit() override;
  bool OnCommand(int id, int code, HWND control) override;

 private:
  void Apply();
  Frame frame_;
  CCheckWnd& note_;
};

// "見出一覧": every heading, shown or hidden, renamed and moved at once.
class HeadingListPage : public DialogBase {
 public:
  explicit HeadingListPage(CCheckWnd& note) : note_(note) {}

 protected:
  BOOL OnInit() override;
  bool OnCommand(int id, int code, HWND control) override;
  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;

 private:
  void Fill();
  void StartRename(int index);
  INT_PTR OnNotify(const NMHDR& header);
  CCheckWnd& note_;
  bool filling_ = false;
};

// The date insert block that heads the heading and detail pages, and what both share.
class RowPage : public DialogBase {
 protected:
  RowPage(CCheckWnd& note, bool heading) : note_(note), heading_(heading) {}
  BOOL OnInit() override;
  bool OnCommand(int id, int code, HWND control) override;
  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;
  // The page's own fields; ok is true for OK.
  virtual void Close(bool ok) = 0;
  void ShowLook(const RowLook& look);
  RowLook ReadLook() const;

  CCheckWnd& note_;
  const bool heading_;
  COLORREF text_ = 0, back_ = 0xFFFFFF;

 private:
  void FillFormats(int select);
  void InsertDate();
  void UseFormat(int action);
  void ShowListButtons();
  void DrawFormat(const DRAWITEMSTRUCT& item);
  void EnableSwatches();
  GdiObject<HFONT> bold_;
};

class HeadingPage : public RowPage {
 public:
  HeadingPage(CCheckWnd& note, int heading) : RowPage(note, true), heading_(heading) {}

 protected:
  BOOL OnInit() override;
  void Close(bool ok) override;

 private:
  int heading_;
};

class DetailPage : public RowPage {
 public:
  DetailPage(CCheckWnd& note, int row) : RowPage(note, false), row_(row) {}

 protected:
  BOOL OnInit() override;
  bool OnCommand(int id, int code, HWND control) override;
  void Close(bool ok) override;

 private:
  int row_;
  int shownState_ = 0;
  int openedAlarm_ = 0;  // the alarm state the page found; Cancel puts it back
};

}  // namespace varnel::win
