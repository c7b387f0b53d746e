// Drops onto a detail being edited: the OLE drop target registered on the
// in-place edit box (or the detail page's text box) while it is open.
#pragma once
#include <windows.h>
#include <ole2.h>

namespace varnel::win {

// Refuses every drop. The creator holds the first reference and releases it
// after revoking the registration, so the object never frees itself while the
// system may still call it.
class DropTargetBase : public IDropTarget {
 public:
  DropTargetBase(int slot, HWND target) : slot_(slot), target_(target) {}
  virtual ~DropTargetBase() = default;
  DropTargetBase(const DropTargetBase&) = delete;
  DropTargetBase& operator=(const DropTargetBase&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL point, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragLeave() override;
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) override;

 protected:
  IDataObject* data_ = nullptr;  // of the drag under way; the system holds it
  int slot_;
  HWND target_;

 private:
  LONG refs_ = 1;
};

// Takes text, or files (the first into the text, the rest as new details after
// the edited one), for the note in its slot.
class NoteDropTarget : public DropTargetBase {
 public:
  using DropTargetBase::DropTargetBase;
  HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL point, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) override;
};

}  // namespace varnel::win
