#include "win/note/drop_target.h"

#include <shellapi.h>

#include <string>
#include <vector>

#include "core/features/drop_text.h"
#include "core/note/note_row_commands.h"
#include "core/text/cp932.h"
#include "win/app/app_state.h"
#include "win/dialogs/dialog_controls.h"
#include "win/note/check_wnd.h"
#include "win/platform/text_convert.h"

namespace varnel::win {
namespace {

FORMATETC FormatOf(CLIPFORMAT format) { return {format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}; }

bool Offers(IDataObject* data, CLIPFORMAT format) {
  FORMATETC f = FormatOf(format);
  return data && data->QueryGetData(&f) == S_OK;
}

// The medium of one format, released with the holder.
class Medium {
 public:
  Medium(IDataObject* data, CLIPFORMAT format) {
    FORMATETC f = FormatOf(format);
    ok_ = data && SUCCEEDED(data->GetData(&f, &medium_)) && medium_.tymed == TYMED_HGLOBAL && medium_.hGlobal;
  }
  ~Medium() {
    if (ok_) ReleaseStgMedium(&medium_);
  }
  Medium(const Medium&) = delete;
  Medium& operator=(const Medium&) = delete;
  HGLOBAL Get() const { return ok_ ? medium_.hGlobal : nullptr; }

 private:
  STGMEDIUM medium_{};
  bool ok_ = false;
};

// Text of the block, never read past its size; CF_UNICODETEXT first.
bool DroppedTextOf(IDataObject* data, std::string& cp932) {
  for (CLIPFORMAT format : {CLIPFORMAT(CF_UNICODETEXT), CLIPFORMAT(CF_TEXT)}) {
    Medium medium(data, format);
    if (!medium.Get()) continue;
    const void* p = GlobalLock(medium.Get());
    if (!p) continue;
    const std::size_t size = GlobalSize(medium.Get());
    if (format == CF_UNICODETEXT) {
      std::wstring_view wide(static_cast<const wchar_t*>(p), size / sizeof(wchar_t));
      cp932 = DroppedText(FromWide(wide.substr(0, wide.find(L'\0'))));
    } else {
      cp932 = DroppedText(std::string_view(static_cast<const char*>(p), size));
    }
    GlobalUnlock(medium.Get());
    return true;
  }
  return false;
}

std::vector<std::wstring> DroppedFiles(IDataObject* data) {
  std::vector<std::wstring> files;
  Medium medium(data, CF_HDROP);
  if (!medium.Get()) return files;
  auto drop = static_cast<HDROP>(medium.Get());
  const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    std::wstring path(DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
    path.resize(DragQueryFileW(drop, i, path.data(), static_cast<UINT>(path.size())));
    files.push_back(std::move(path));
  }
  return files;
}

CCheckWnd* NoteOfSlot(int slot) {
  return slot >= 0 && slot < kSlotCount ? App().slots[static_cast<std::size_t>(slot)] : nullptr;
}

// 1行目非表示 on the detail page.
constexpr int kHideFirstLineBox = 3156;

void SetTargetText(HWND target, const std::string& cp932) {
  SetControlText(GetParent(target), GetDlgCtrlID(target), cp932);
}

}  // namespace

HRESULT DropTargetBase::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  if (iid == IID_IUnknown || iid == IID_IDropTarget) {
    *out = static_cast<IDropTarget*>(this);
    AddRef();
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}

ULONG DropTargetBase::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }

ULONG DropTargetBase::Release() {
  const LONG left = InterlockedDecrement(&refs_);
  if (left == 0) delete this;
  return static_cast<ULONG>(left);
}

HRESULT DropTargetBase::DragEnter(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) {
  data_ = data;
  return DragOver(keys, point, effect);
}

HRESULT DropTargetBase::DragOver(DWORD, POINTL, DWORD* effect) {
  if (effect) *effect = DROPEFFECT_NONE;
  return S_OK;
}

HRESULT DropTargetBase::DragLeave() {
  data_ = nullptr;
  return S_OK;
}

HRESULT DropTargetBase::Drop(IDataObject*, DWORD, POINTL, DWORD* effect) {
  data_ = nullptr;
  if (effect) *effect = DROPEFFECT_NONE;
  return S_OK;
}

HRESULT NoteDropTarget::DragOver(DWORD keys, POINTL point, DWORD* effect) {
  if (!effect) return E_INVALIDARG;
  const DWORD allowed = *effect;
  *effect = DROPEFFECT_NONE;
  if (WindowFromPoint(POINT{point.x, point.y}) != target_) return S_OK;
  if (!Offers(data_, CF_UNICODETEXT) && !Offers(data_, CF_TEXT) && !Offers(data_, CF_HDROP)) return S_OK;
  *effect = (keys & MK_SHIFT) && (allowed & DROPEFFECT_MOVE) ? DROPEFFECT_MOVE : DROPEFFECT_COPY;
  return S_OK;
}

HRESULT NoteDropTarget::Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) {
  data_ = nullptr;
  if (!effect) return E_INVALIDARG;
  *effect = DROPEFFECT_NONE;
  std::string text;
  if (DroppedTextOf(data, text)) {
    SetTargetText(target_, text);
    *effect = DROPEFFECT_COPY;
    return S_OK;
  }
  const std::vector<std::wstring> files = DroppedFiles(data);
  if (files.empty()) return S_OK;
  // From the last: each further file goes right after the edited row, so they
  // end up in the list's order and the box ends with the first.
  for (std::size_t i = files.size(); i-- > 0;) {
    SetTargetText(target_, cp932::Cut(FromWide(files[i]), kRowTextBytes));
    CCheckWnd* note = NoteOfSlot(slot_);
    if (!note) break;
    note->DropAction(i ? 7 : 4, GetParent(target_), target_);
  }
  *effect = DROPEFFECT_COPY;
  return S_OK;
}

void CCheckWnd::DropAction(int action, HWND window, HWND target) {
  switch (action) {
    case 1:
    case 2: {
      DropAction(9, dropWindow_, nullptr);  // one registration at a time
      ComPtr<IDropTarget> made;
      *made.Out() = new (std::nothrow) NoteDropTarget(slot_, target);
      if (!made || FAILED(RegisterDragDrop(window, made.Get()))) return;
      dropTarget_ = std::move(made);
      dropWindow_ = window;
      editKind_ = action;
      return;
    }
    case 4: {
      if (!App().options->ddLine) return;
      const std::string path = GetControlText(GetParent(target), GetDlgCtrlID(target), kRowTextBytes);
      SetTargetText(target, DroppedFileText(path, true));
      if (editKind_ == 2)
        CheckDlgButton(GetParent(target), kHideFirstLineBox, BST_CHECKED);
      else
        editKind_ = 4;
      return;
    }
    case 7: {
      const int edited = content_.editedRow;
      if (editKind_ == 2 || !content_.rows.Valid(edited)) return;
      const std::string path = GetControlText(GetParent(target), GetDlgCtrlID(target), kRowTextBytes);
      const std::uint32_t key = content_.MakeRoomAfter(-1, edited);
      const int row = content_.InsertDetail(-1, key, std::string());
      if (row < 0) return;
      content_.rows.At(row) = DroppedFileRow(content_.rows.At(edited), key + 1, DroppedFileText(path, true));
      Repaint();
      return;
    }
    case 9:
      if (editKind_ > 0 && dropTarget_) {
        // The system's reference goes with the registration, ours after it.
        RevokeDragDrop(dropWindow_ ? dropWindow_ : window);
        dropTarget_.Reset();
        dropWindow_ = nullptr;
      }
      editKind_ = 0;
      return;
    default:
      return;
  }
}

}  // namespace varnel::win
