#pragma once
// The module's live COM objects and server locks: DllCanUnloadNow answers
// from them. Every object the module hands out holds one ObjectCount.

namespace vcam::dshow {

class ObjectCount {
 public:
  ObjectCount();
  ~ObjectCount();
  ObjectCount(const ObjectCount&);
  ObjectCount& operator=(const ObjectCount&) = default;
};

// IClassFactory::LockServer.
void lock_module(bool lock);

// No live object and no server lock.
bool module_can_unload();

}  // namespace vcam::dshow
