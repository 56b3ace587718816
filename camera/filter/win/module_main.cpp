// vcam_source.ax: the in-process COM server of the camera. It only wires
// the module's process-wide objects to the four exports and DllMain.
#include <windows.h>
#include <objbase.h>

#include <string>

#include "camera/dshow/class_factory.h"
#include "camera/filter/win/camera_registration.h"
#include "camera/filter/win/filter_identity.h"
#include "camera/filter/win/module_lifetime.h"
#include "common/win/wide.h"

namespace {

using namespace vcam::camera;

// COM on the loading thread for the module's life, apartment-threaded. Torn
// down after the consumer list (declared first, destroyed last); only a
// successful initialisation is undone, so a host that chose another
// apartment keeps its own.
class ModuleApartment {
 public:
  ModuleApartment() : result_(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ~ModuleApartment() {
    if (SUCCEEDED(result_)) ::CoUninitialize();
  }
  ModuleApartment(const ModuleApartment&) = delete;
  ModuleApartment& operator=(const ModuleApartment&) = delete;

 private:
  HRESULT result_;
};

// Until the shared consumer list is wired here, loading records nothing.
class UnrecordedConsumers : public ConsumerRecord {
 public:
  void addSelf(std::u16string_view) override {}
  void removeSelf(std::u16string_view) override {}
};

ModuleApartment g_apartment;
UnrecordedConsumers g_consumers;
ModuleLifetime g_lifetime(g_consumers);

std::u16string host_path() {
  wchar_t path[512] = {};
  const DWORD length = ::GetModuleFileNameW(nullptr, path, 512);
  if (length == 0 || length >= 512) return {};
  return std::u16string(vcam::u16(path, length));
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  switch (reason) {
    case DLL_PROCESS_ATTACH:
      g_lifetime.attach(host_path());
      break;
    case DLL_PROCESS_DETACH:
      g_lifetime.detach();
      break;
    default:
      break;
  }
  return vcam::dshow::dll_entry_point(factory_table(), instance, reason);
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, LPVOID* object) {
  return vcam::dshow::get_class_object(factory_table(), clsid, iid, object);
}

STDAPI DllCanUnloadNow() { return vcam::dshow::can_unload_now(); }

STDAPI DllRegisterServer() { return register_camera(vcam::dshow::module_handle()); }

STDAPI DllUnregisterServer() { return unregister_camera(vcam::dshow::module_handle()); }
