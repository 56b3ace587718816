#pragma once
// The OLE drop-target part of a window: chooses the first accepted clipboard
// format the dragged data offers, forwards an accepted drag to the window's
// steps, and lets the shell draw the drag image when its service is there.
// The window owns the object, so AddRef and Release do not count.
#include <windows.h>
#include <ole2.h>
#include <shlobj.h>

#include <vector>

namespace vcam::dui {

class CDropTarget : public IDropTarget {
 public:
  CDropTarget() = default;
  virtual ~CDropTarget();
  CDropTarget(const CDropTarget&) = delete;
  CDropTarget& operator=(const CDropTarget&) = delete;

  // IUnknown: IUnknown and IDropTarget only.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }

  // IDropTarget.
  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL cursor, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL cursor, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragLeave() override;
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL cursor, DWORD* effect) override;

  // Accepted formats, in the order they are tried.
  void AddFormat(CLIPFORMAT format, DWORD tymed);
  const std::vector<FORMATETC>& formats() const { return formats_; }
  // The current drag found a format (the one chosen).
  bool drag_accepted() const { return accepted_; }
  const FORMATETC& chosen_format() const { return chosen_; }

 protected:
  // The window's steps for an accepted drag; cursor in screen coordinates.
  virtual void OnDragEnter(POINTL cursor, DWORD* effect) = 0;
  virtual void OnDragOver(POINTL cursor, DWORD* effect) = 0;
  virtual void OnDragLeave() = 0;
  virtual void OnDrop(POINTL cursor, DWORD* effect) = 0;
  // The window the drag image is drawn over.
  virtual HWND DropWindow() const = 0;

 private:
  void ReleaseHelper();

  std::vector<FORMATETC> formats_;
  FORMATETC chosen_{};
  bool accepted_ = false;
  // The shell's drag-image service; optional, null when it cannot be made.
  IDropTargetHelper* helper_ = nullptr;
};

}  // namespace vcam::dui
