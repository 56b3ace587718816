// The window's drop target: format choice, refusal, and the drag events that
// reach the control under the cursor.
#include "dui/win/drop_target.h"

#include <gtest/gtest.h>

#include "dui/win/window_test_support.h"

namespace vcam::dui::wintest {
namespace {

// Data that offers one clipboard format.
class OfferedData : public IDataObject {
 public:
  explicit OfferedData(CLIPFORMAT format) : format_(format) {}
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDataObject)) {
      *out = static_cast<IDataObject*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
  ULONG STDMETHODCALLTYPE Release() override { return --refs_; }
  HRESULT STDMETHODCALLTYPE GetData(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* f) override {
    ++queries;
    return f && f->cfFormat == format_ ? S_OK : DV_E_FORMATETC;
  }
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }
  int queries = 0;

 private:
  CLIPFORMAT format_;
  ULONG refs_ = 1;
};

class Drops : public HostTest {
 protected:
  void SetUp() override {
    HostTest::SetUp();
    ole_ = SUCCEEDED(::OleInitialize(nullptr));
    w = Open(R"(<Canvas initSize="200,100"><Grid id="2" width="100" height="100"/></Canvas>)");
    ASSERT_NE(w, nullptr);
    zone = w->GetChild(2);
    zone->SetFlag(ControlFlags::AllowDrop, true);
    log.Watch(zone, "zone", {EventKind::DragEnter, EventKind::DragOver, EventKind::DragLeave, EventKind::Drop},
              /*set_handled=*/true);
    w->AddFormat(CF_HDROP, TYMED_HGLOBAL);
    w->AddFormat(CF_UNICODETEXT, TYMED_HGLOBAL);
  }
  void TearDown() override {
    HostTest::TearDown();
    if (ole_) ::OleUninitialize();
  }
  // A client point of the window in screen coordinates.
  POINTL At(int x, int y) const { return {kLeft + x, kTop + y}; }

  bool ole_ = false;
  WindowImpl* w = nullptr;
  Control* zone = nullptr;
  EventLog log;
};

TEST_F(Drops, AnswersOnlyIUnknownAndIDropTarget) {
  IDropTarget* target = w;
  void* out = reinterpret_cast<void*>(1);
  EXPECT_EQ(target->QueryInterface(IID_IDropTarget, &out), S_OK);
  EXPECT_EQ(out, static_cast<void*>(target));
  EXPECT_EQ(target->QueryInterface(IID_IUnknown, &out), S_OK);
  out = reinterpret_cast<void*>(1);
  EXPECT_EQ(target->QueryInterface(IID_IDataObject, &out), E_NOINTERFACE);
  EXPECT_EQ(out, nullptr);
  EXPECT_EQ(target->QueryInterface(IID_IDropTarget, nullptr), E_POINTER);
  EXPECT_EQ(target->AddRef(), 1u);
  EXPECT_EQ(target->Release(), 1u);
}

TEST_F(Drops, FirstAcceptedFormatTheDataOffersIsChosenAndTheZoneGetsTheDrag) {
  OfferedData text(CF_UNICODETEXT);
  IDropTarget* target = w;
  DWORD effect = DROPEFFECT_COPY;
  ASSERT_EQ(target->DragEnter(&text, 0, At(10, 10), &effect), S_OK);
  EXPECT_TRUE(w->drag_accepted());
  EXPECT_EQ(w->chosen_format().cfFormat, CF_UNICODETEXT);
  EXPECT_EQ(text.queries, 2) << "CF_HDROP asked first";
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
  effect = DROPEFFECT_COPY;
  ASSERT_EQ(target->DragOver(0, At(20, 20), &effect), S_OK);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
  effect = DROPEFFECT_COPY;
  ASSERT_EQ(target->DragOver(0, At(150, 20), &effect), S_OK);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE)) << "outside every drop zone";
  effect = DROPEFFECT_COPY;
  target->DragOver(0, At(30, 30), &effect);
  ASSERT_EQ(target->Drop(&text, 0, At(30, 30), &effect), S_OK);
  EXPECT_FALSE(w->drag_accepted());
  EXPECT_EQ(log.lines, (Log{"zone DragEnter", "zone DragOver", "zone DragLeave", "zone DragEnter", "zone DragOver",
                            "zone Drop"}));
}

TEST_F(Drops, DataWithoutAnAcceptedFormatIsRefusedThroughout) {
  OfferedData bitmap(CF_BITMAP);
  IDropTarget* target = w;
  DWORD effect = DROPEFFECT_COPY;
  ASSERT_EQ(target->DragEnter(&bitmap, 0, At(10, 10), &effect), S_OK);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
  EXPECT_FALSE(w->drag_accepted());
  effect = DROPEFFECT_COPY;
  target->DragOver(0, At(10, 10), &effect);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
  target->DragLeave();
  effect = DROPEFFECT_COPY;
  target->Drop(&bitmap, 0, At(10, 10), &effect);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
  EXPECT_TRUE(log.lines.empty());
}

TEST_F(Drops, LeaveEndsAnAcceptedDragAndBadArgumentsAreRefused) {
  OfferedData text(CF_UNICODETEXT);
  IDropTarget* target = w;
  DWORD effect = DROPEFFECT_MOVE;
  target->DragEnter(&text, 0, At(10, 10), &effect);
  EXPECT_EQ(target->DragLeave(), S_OK);
  EXPECT_FALSE(w->drag_accepted());
  EXPECT_EQ(log.lines, (Log{"zone DragEnter", "zone DragLeave"}));
  EXPECT_EQ(target->DragEnter(nullptr, 0, At(10, 10), &effect), E_INVALIDARG);
  EXPECT_EQ(target->DragEnter(&text, 0, At(10, 10), nullptr), E_INVALIDARG);
  EXPECT_EQ(target->DragOver(0, At(10, 10), nullptr), E_INVALIDARG);
  EXPECT_EQ(target->Drop(&text, 0, At(10, 10), nullptr), E_INVALIDARG);
}

}  // namespace
}  // namespace vcam::dui::wintest
