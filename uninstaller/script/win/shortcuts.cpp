#include "uninstaller/script/win/shortcuts.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <wrl/client.h>

#include "common/win/wide.h"

namespace vcam::uninstaller {

namespace {

using Microsoft::WRL::ComPtr;

class ComForCall {
 public:
  ComForCall() : result_(::CoInitialize(nullptr)) {}
  ~ComForCall() {
    if (SUCCEEDED(result_)) ::CoUninitialize();
  }
  ComForCall(const ComForCall&) = delete;
  ComForCall& operator=(const ComForCall&) = delete;
  // A thread already in the multithreaded apartment can use COM as it is.
  bool usable() const { return SUCCEEDED(result_) || result_ == RPC_E_CHANGED_MODE; }

 private:
  HRESULT result_;
};

}  // namespace

bool create_shortcut(std::u16string_view target, std::u16string_view link) {
  const ComForCall com;
  if (!com.usable()) return false;
  const std::u16string target_text(target), link_text(link);
  ComPtr<IShellLinkW> shell_link;
  if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&shell_link))))
    return false;
  if (FAILED(shell_link->SetPath(wide(target_text)))) return false;
  ComPtr<IPersistFile> file;
  if (FAILED(shell_link.As(&file))) return false;
  return SUCCEEDED(file->Save(wide(link_text), TRUE));
}

std::optional<std::u16string> resolve_shortcut(std::u16string_view link) {
  const std::u16string link_text(link);
  ComPtr<IShellLinkW> shell_link;
  if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&shell_link))))
    return std::nullopt;
  ComPtr<IPersistFile> file;
  if (FAILED(shell_link.As(&file)) || FAILED(file->Load(wide(link_text), STGM_READ))) return std::nullopt;
  wchar_t path[MAX_PATH] = {};
  // S_FALSE: a link without a file-system path.
  if (shell_link->GetPath(path, MAX_PATH, nullptr, SLGP_RAWPATH) != S_OK) return std::nullopt;
  path[MAX_PATH - 1] = L'\0';
  if (!path[0]) return std::nullopt;
  return std::u16string(u16(path));
}

}  // namespace vcam::uninstaller
