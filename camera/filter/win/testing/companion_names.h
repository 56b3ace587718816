#pragma once
// Shared between the companion stand-in and the tests that start it.
namespace vcam::camera::testing {

inline constexpr wchar_t kCompanionExe[] = L"vcam_companion_stub.exe";
inline constexpr wchar_t kCompanionQuitEvent[] = L"vcam-test-companion-quit";

}  // namespace vcam::camera::testing
