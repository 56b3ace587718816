#pragma once
// The launcher's own texts: splash status lines and message-box texts.
namespace vcam::launcher {

inline constexpr char16_t kProductVersion[] = u"6.0.0.5";
// The message-box caption is this followed by the current version.
inline constexpr char16_t kVersionCaptionPrefix[] = u"程序版本";

inline constexpr char16_t kSplashReadingConfiguration[] = u"读取网络配置信息...";
inline constexpr char16_t kSplashReadingUpdate[] = u"读取版本更新信息...";
inline constexpr char16_t kSplashReadingDecoders[] = u"读取解码器信息...";

inline constexpr char16_t kInstallerRunningText[] = u"Zelo安装或卸载程序正在运行，请结束后重试";
inline constexpr char16_t kRestartPendingText[] = u"Zelo安装或卸载操作尚未完成，需要重启电脑";
inline constexpr char16_t kConfigurationFailedText[] = u"加载配置文件失败，";
inline constexpr char16_t kDecodersFailedText[] = u"解码器更新失败，";
inline constexpr char16_t kClientNotLoadedText[] = u"加载Zelo业务逻辑模块失败，请重新安装Olvana#1, ";
inline constexpr char16_t kClientEntryMissingText[] = u"加载Zelo业务逻辑模块失败，请重新安装Olvana#2";

}  // namespace vcam::launcher
