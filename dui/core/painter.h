#pragma once
// What a control paints on. The window host implements it over its back
// buffer (a GDI device context on Windows); tests record the calls. Panels
// only need the clip stack; the drawing operations of skins and text are
// reached through NativeContext() by the Windows drawing code.
#include "dui/core/geometry.h"

namespace vcam::dui {

class Painter {
 public:
  virtual ~Painter() = default;

  // Save and restore the clip region (SaveDC / RestoreDC on Windows).
  virtual void Save() = 0;
  virtual void Restore() = 0;
  // Narrow the clip region to r (window coordinates).
  virtual void IntersectClip(const Rect& r) = 0;
  // The target window has per-pixel alpha: text needs its alpha repaired.
  virtual bool IsLayered() const = 0;
  // The platform drawing context (an HDC on Windows), null where there is none.
  virtual void* NativeContext() = 0;
};

}  // namespace vcam::dui
