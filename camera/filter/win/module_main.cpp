// vcam_source.ax (vcam_source64.ax in the 64-bit build): the in-process COM
// server of the camera. It only wires the module's process-wide objects to
// the four exports and DllMain.
#include <windows.h>
#include <objbase.h>

#include <new>
#include <optional>

#include "camera/channel/win/consumer_list.h"
#include "camera/dshow/class_factory.h"
#include "camera/dshow/com_apartment.h"
#include "camera/filter/win/camera_registration.h"
#include "camera/filter/win/filter_identity.h"

namespace {

using namespace vcam::camera;

// COM on the loading thread for the module's life, apartment-threaded. Torn
// down after the consumer list (declared first, destroyed last).
const vcam::dshow::ComApartment g_apartment(COINIT_APARTMENTTHREADED);
// Every process that has the module loaded is listed, so the uninstaller can
// name and end it; closed when the module's globals go, after the removal.
// Made on attach, where a failure to allocate its names skips the listing.
std::optional<ConsumerList> g_consumers;
// Empty when the path does not fit: a cut path would name another program.
HostPath g_host_path;

void list_host() noexcept {
  g_host_path = HostPath::read();
  if (g_host_path.empty()) return;
  try {
    g_consumers.emplace();
  } catch (const std::bad_alloc&) {
    return;
  }
  g_consumers->addSelf(g_host_path.view());
}

void unlist_host() noexcept {
  if (g_consumers && !g_host_path.empty()) g_consumers->removeSelf(g_host_path.view());
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  switch (reason) {
    case DLL_PROCESS_ATTACH:
      list_host();
      break;
    case DLL_PROCESS_DETACH:
      unlist_host();
      break;
    default:
      break;
  }
  return vcam::dshow::dll_entry_point(instance, reason);
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, LPVOID* object) {
  return vcam::dshow::get_class_object(factory_table(), clsid, iid, object);
}

STDAPI DllCanUnloadNow() { return vcam::dshow::can_unload_now(); }

STDAPI DllRegisterServer() { return register_camera(vcam::dshow::module_handle()); }

STDAPI DllUnregisterServer() { return unregister_camera(vcam::dshow::module_handle()); }
