#include "camera/channel/win/integrity_label.h"

#include <aclapi.h>
#include <sddl.h>

#include "common/win/unique_handle.h"

namespace vcam::camera {

void apply_low_integrity_label(HANDLE object, std::u16string_view) {
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (!::ConvertStringSecurityDescriptorToSecurityDescriptorW(L"S:(ML;;NW;;;LW)", SDDL_REVISION_1, &descriptor,
                                                              nullptr))
    return;
  const UniqueLocal owner(descriptor);
  BOOL present = FALSE, defaulted = FALSE;
  PACL sacl = nullptr;
  if (!::GetSecurityDescriptorSacl(descriptor, &present, &sacl, &defaulted) || !present) return;
  ::SetSecurityInfo(object, SE_KERNEL_OBJECT, LABEL_SECURITY_INFORMATION, nullptr, nullptr, nullptr, sacl);
}

}  // namespace vcam::camera
