#pragma once
// The decoder step's own text.

namespace vcam::launcher {

inline constexpr char16_t kDecoderUpdateText[] = u"正在为您更新解码器，请稍候...";

}  // namespace vcam::launcher
