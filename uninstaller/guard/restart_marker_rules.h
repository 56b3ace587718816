#pragma once
// How the two programs judge the pending-restart marker, apart from the
// registry and file reads that gather the facts (win/restart_marker.h).
//
// The marker holds a raw copy of the 8-byte shutdown stamp taken when it was
// written; it stands until the stamp changes, that is until the next shutdown.
#include <array>
#include <cstddef>
#include <optional>
#include <span>

namespace vcam::uninstaller {

inline constexpr std::size_t shutdown_stamp_size = 8;
using shutdown_stamp = std::array<unsigned char, shutdown_stamp_size>;

struct marker_judgement {
  bool restart_pending;
  bool delete_marker;
};

// Uninstaller form. `exists`: a file is at the marker path; `head`: the bytes
// of an 8-byte read from it (fewer when the file is shorter), nothing when it
// could not be opened; `stamp`: the current stamp, zeros when unreadable. A
// marker that cannot be read whole or holds another stamp is deleted.
marker_judgement judge_marker_for_uninstaller(bool exists, std::optional<std::span<const unsigned char>> head,
                                              const shutdown_stamp& stamp);

// Launcher form: pending exactly when the stamp could be read and the marker
// file, read whole, is those 8 bytes. The launcher never deletes the marker.
bool judge_marker_for_launcher(const std::optional<shutdown_stamp>& stamp,
                               std::optional<std::span<const unsigned char>> whole_file);

}  // namespace vcam::uninstaller
