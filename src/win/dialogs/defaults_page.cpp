// The settings dialog's page "規定値": the style of new notes, kept as the
// global options, and the command that applies it to the notes already made.
#include <algorithm>
#include <cstdio>

#include "core/config/global_options.h"
#include "core/note/format_record.h"
#include "win/app/app_state.h"
#include "win/dialogs/dialog_controls.h"
#include "win/dialogs/settings_dialog.h"
#include "win/dialogs/style_page.h"
#include "win/note/check_wnd.h"

namespace varnel::win {
namespace {

std::string Decimal(int value) {
  char text[16];
  std::snprintf(text, sizeof text, "%d", value);
  return text;
}

std::string Colour(int value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%06X", static_cast<unsigned>(value & 0xFFFFFF));
  return text;
}

class DefaultsPage : public StylePageBase {
 protected:
  BOOL OnInit() override {
    HWND page = Window();
    GlobalOptions& o = *App().options;
    SetRadioIndex(page, IDC_STYLE_TITLE_NUMBER, IDC_STYLE_TITLE_UPDATE, o.title);
    LimitText(page, IDC_STYLE_TITLE, 50);
    SetControlText(page, IDC_STYLE_TITLE, o.tFmt);
    StyleValues v;
    v.style = o.ReadNoteOption(nullptr, "Style");
    const int bar = o.ReadNoteOption(nullptr, "Bar");
    v.barShown = bar & 1;
    v.barBottom = bar & 2;
    v.face = o.ReadNoteText(nullptr, "Font", 32, 1);
    v.background = o.ReadNoteOption(nullptr, "BkColor");
    v.alpha = o.ReadNoteOption(nullptr, "Alpha");
    v.alpha2 = o.ReadNoteOption(nullptr, "Alpha2");
    v.gradientKind = o.ReadNoteOption(nullptr, "TDiv");
    v.barColour0 = o.ReadNoteOption(nullptr, "BColor0");
    v.barColour1 = o.ReadNoteOption(nullptr, "BColor1");
    v.titleColour = o.ReadNoteOption(nullptr, "TColor0");
    v.shadowColour = o.ReadNoteOption(nullptr, "TColor1");
    v.titleShadow = o.ReadNoteOption(nullptr, "TShadow") == 1;
    const int border = o.ReadNoteOption(nullptr, "TBorder");
    v.borderKind = border >> 24;
    v.borderColour = border & 0xFFFFFF;
    v.headingColour = o.ReadNoteOption(nullptr, "TxtColorH");
    v.headingSize = o.ReadNoteOption(nullptr, "SizeH");
    v.headingBits = o.ReadNoteOption(nullptr, "FontH");
    v.detailColour = o.ReadNoteOption(nullptr, "TxtColorB");
    v.detailSize = o.ReadNoteOption(nullptr, "SizeB");
    v.detailBits = o.ReadNoteOption(nullptr, "FontB");
    v.byState = o.Store().ReadBool("CColor", "0");
    ShowStyleValues(page, v, working_);
    LimitText(page, IDC_STYLE_THEIGHT, 2);
    SetSpin(page, IDC_STYLE_THEIGHT_SPIN, 10, 99, o.ReadNoteOption(nullptr, "Theight"));
    for (std::size_t i = 0; i < 4; ++i) working_.states[i] = StateColour{o.cColor[i], o.ccDay[i]};
    working_.pens = {ReadRecord(o.Store(), "Pen0"), ReadRecord(o.Store(), "Pen1")};
    frame_ = {o.fx1, o.fy1, o.fx2, o.fy2};
    const NotePlacement p = o.ReadNotePlacement(nullptr);
    for (int id : {IDC_STYLE_X, IDC_STYLE_Y, IDC_STYLE_W, IDC_STYLE_H}) LimitText(page, id, 5);
    FilterSignedNumber(page, IDC_STYLE_X);
    FilterSignedNumber(page, IDC_STYLE_Y);
    ShowPlacement(p);
    EnableAlphaEdits();
    return TRUE;
  }

  bool OnCommand(int id, int code, HWND control) override {
    if (id == kOkButton) {
      Apply();
    } else if (id == kCancelButton) {
    } else if (id == kApplyToNotesCommand && code == 0) {
      ApplyToNotes(reinterpret_cast<LPARAM>(control) == 2 ? kStyleApplyKeepBack : kStyleApplyDefaults);
    } else {
      return StylePageBase::OnCommand(id, code, control);
    }
    return true;
  }

 private:
  struct Frame {
    int x1, y1, x2, y2;
  };

  void ShowPlacement(const NotePlacement& p) {
    HWND page = Window();
    const Frame& f = frame_;
    SetSpin(page, IDC_STYLE_X_SPIN, f.x1, f.x2, p.x);
    SetSpin(page, IDC_STYLE_Y_SPIN, f.y1, f.y2, p.y);
    SetSpin(page, IDC_STYLE_W_SPIN, 40, std::max(40, f.x2 - f.x1), p.w);
    SetSpin(page, IDC_STYLE_H_SPIN, 20, std::max(20, f.y2 - f.y1), p.h);
  }

  int EditNumber(int id, int low, int high) const {
    return static_cast<int>(
        Clamp<std::int64_t>(ParseNumber(GetControlText(Window(), id, 16)), low, std::max(low, high)));
  }

  // The placement the edits give, bounded by the frame.
  NotePlacement Placement() const {
    const Frame& f = frame_;
    NotePlacement p;
    p.w = EditNumber(IDC_STYLE_W, 40, f.x2 - f.x1);
    p.h = EditNumber(IDC_STYLE_H, 20, f.y2 - f.y1);
    p.x = EditNumber(IDC_STYLE_X, f.x1, f.x2 - p.w);
    p.y = EditNumber(IDC_STYLE_Y, f.y1, f.y2 - p.h);
    return p;
  }

  void Apply() {
    HWND page = Window();
    AppState& app = App();
    GlobalOptions& o = *app.options;
    OptionValues next = o;
    const int oldTitle = o.title;
    next.title = std::max(RadioIndex(page, IDC_STYLE_TITLE_NUMBER, IDC_STYLE_TITLE_UPDATE), 0);
    next.tFmt = GetControlText(page, IDC_STYLE_TITLE, 63);
    std::vector<OptionWrite> writes;
    for (std::size_t i = 0; i < 4; ++i) {
      const StateColour& record = working_.states[i];
      const bool inForce = DecodeFormatRecord(record.spec, 0, 0).inForce;
      // A record not in force goes: it reads back as zeros and never.
      next.cColor[i] = inForce ? record.spec : "0000000000000000";
      next.ccDay[i] = inForce ? record.dayLimit : kNeverDay;
      if (!inForce) writes.push_back(OptionWrite::Remove("CColor" + Decimal(static_cast<int>(i))));
    }
    next.fx1 = frame_.x1;
    next.fy1 = frame_.y1;
    next.fx2 = frame_.x2;
    next.fy2 = frame_.y2;
    const StyleValues v = ReadStyleValues(page, working_);
    const auto set = [&writes](const char* key, std::string value) {
      writes.push_back(OptionWrite::Set(key, std::move(value)));
    };
    set("Style", Decimal(v.style));
    set("Bar", Decimal(v.barShown ? (v.barBottom ? 3 : 1) : 0));
    set("Font", v.face);
    set("BkColor", Colour(v.background));
    set("Alpha", Decimal(v.alpha));
    set("Alpha2", Decimal(v.alpha2));
    set("Theight", Decimal(EditNumber(IDC_STYLE_THEIGHT, 10, 99)));
    set("TDiv", Decimal(v.gradientKind));
    set("BColor0", Colour(v.barColour0));
    set("BColor1", Colour(v.barColour1));
    set("TColor0", Colour(v.titleColour));
    set("TColor1", Colour(v.shadowColour));
    set("TShadow", Decimal(v.titleShadow ? 1 : 0));
    set("TBorder", Decimal((v.borderKind << 24) | v.borderColour));
    set("TxtColorH", Colour(v.headingColour));
    set("SizeH", Decimal(v.headingSize));
    set("FontH", Decimal(v.headingBits));
    set("TxtColorB", Colour(v.detailColour));
    set("SizeB", Decimal(v.detailSize));
    set("FontB", Decimal(v.detailBits));
    set("CColor", Decimal(v.byState ? 1 : 0));
    set("Pen0", working_.pens[0]);
    set("Pen1", working_.pens[1]);
    // Bounded by the new frame.
    const NotePlacement p = Placement();
    set("X", Decimal(p.x));
    set("Y", Decimal(p.y));
    set("W", Decimal(p.w));
    set("H", Decimal(p.h));
    const unsigned effects = o.Apply(next, writes);
    // Every note takes the new fonts; a title that follows the mode, or shows
    // a number or time whose format may have changed, is made again.
    const bool retitle = next.title != oldTitle || next.title == 0 || next.title == 3;
    for (CCheckWnd* note : app.slots) {
      if (!note) continue;
      if (!(effects & kOptionNotes)) note->ReadRowFonts();
      if (retitle) note->UpdateTitle(next.title);
      note->Repaint();
    }
  }

  void ApplyToNotes(int mode) {
    for (CCheckWnd* note : App().slots)
      if (note) note->StylePageApply(Window(), working_, mode);
  }

  Frame frame_{};
};

}  // namespace

std::unique_ptr<DialogBase> MakeDefaultsPage() { return std::make_unique<DefaultsPage>(); }

}  // namespace varnel::win
