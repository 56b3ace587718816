#include "dui/win/drop_target.h"

namespace vcam::dui {

namespace {

// The shell's drag-image service and its target interface.
const CLSID kDragDropHelper = {0x4657278A, 0x411B, 0x11D2, {0x83, 0x9A, 0x00, 0xC0, 0x4F, 0xD9, 0x18, 0xD0}};
const IID kDropTargetHelper = {0x4657278B, 0x411B, 0x11D2, {0x83, 0x9A, 0x00, 0xC0, 0x4F, 0xD9, 0x18, 0xD0}};

POINT ToPoint(POINTL p) { return {p.x, p.y}; }

}  // namespace

CDropTarget::~CDropTarget() {
  ReleaseHelper();
  for (FORMATETC& f : formats_)
    if (f.ptd) ::CoTaskMemFree(f.ptd);
}

void CDropTarget::ReleaseHelper() {
  if (helper_) helper_->Release();
  helper_ = nullptr;
}

HRESULT STDMETHODCALLTYPE CDropTarget::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDropTarget)) {
    *object = static_cast<IDropTarget*>(this);
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

void CDropTarget::AddFormat(CLIPFORMAT format, DWORD tymed) {
  formats_.push_back(FORMATETC{format, nullptr, DVASPECT_CONTENT, -1, tymed});
}

HRESULT STDMETHODCALLTYPE CDropTarget::DragEnter(IDataObject* data, DWORD, POINTL cursor, DWORD* effect) {
  if (!data || !effect) return E_INVALIDARG;
  accepted_ = false;
  for (FORMATETC& f : formats_) {
    if (data->QueryGetData(&f) == S_OK) {
      chosen_ = f;
      accepted_ = true;
      break;
    }
  }
  if (!accepted_) {
    *effect = DROPEFFECT_NONE;
    return S_OK;
  }
  OnDragEnter(cursor, effect);
  ReleaseHelper();
  if (SUCCEEDED(::CoCreateInstance(kDragDropHelper, nullptr, CLSCTX_INPROC_SERVER, kDropTargetHelper,
                                   reinterpret_cast<void**>(&helper_))) &&
      helper_) {
    POINT p = ToPoint(cursor);
    helper_->DragEnter(DropWindow(), data, &p, *effect);
    helper_->Show(TRUE);
  } else {
    helper_ = nullptr;
  }
  return S_OK;
}

HRESULT STDMETHODCALLTYPE CDropTarget::DragOver(DWORD, POINTL cursor, DWORD* effect) {
  if (!effect) return E_INVALIDARG;
  if (!accepted_) {
    *effect = DROPEFFECT_NONE;
    return S_OK;
  }
  OnDragOver(cursor, effect);
  if (helper_) {
    POINT p = ToPoint(cursor);
    helper_->DragOver(&p, *effect);
  }
  return S_OK;
}

HRESULT STDMETHODCALLTYPE CDropTarget::DragLeave() {
  if (!accepted_) return S_OK;
  accepted_ = false;
  OnDragLeave();
  if (helper_) helper_->DragLeave();
  ReleaseHelper();
  return S_OK;
}

HRESULT STDMETHODCALLTYPE CDropTarget::Drop(IDataObject* data, DWORD, POINTL cursor, DWORD* effect) {
  if (!data || !effect) return E_INVALIDARG;
  if (!accepted_) {
    *effect = DROPEFFECT_NONE;
    return S_OK;
  }
  accepted_ = false;
  OnDrop(cursor, effect);
  if (helper_) {
    POINT p = ToPoint(cursor);
    helper_->Drop(data, &p, *effect);
  }
  ReleaseHelper();
  return S_OK;
}

}  // namespace vcam::dui
