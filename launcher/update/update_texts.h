#pragma once
// The update prompt's and the patcher download's own texts.
#include <string>
#include <string_view>

namespace vcam::launcher {

inline constexpr char16_t kMandatoryUpdateTitle[] = u"重要的升级";
inline constexpr char16_t kOptionalUpdateTitle[] = u"消息";
inline constexpr char16_t kConfirmButtonText[] = u"确定";
inline constexpr char16_t kCancelButtonText[] = u"取消";
inline constexpr char16_t kPatchDownloadText[] = u"正在为您下载文件，请稍候...";
inline constexpr char16_t kPatchDownloadFailedText[] = u"下载更新文件失败,请稍后重试";
inline constexpr char16_t kPatchDownloadFailedTitle[] = u"提示";

// The note shown when no update notes could be fetched.
inline std::u16string default_mandatory_note(std::u16string_view version) {
  return u"我们为Olvana增加了新功能，老版本已不能正常使用。点击确认将为您升级到 " + std::u16string(version) + u"！";
}
inline std::u16string default_optional_note(std::u16string_view version) {
  return u"检测到新版本 " + std::u16string(version) + u"，是否立即升级？";
}

}  // namespace vcam::launcher
