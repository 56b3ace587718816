// Every system function called with every shape of argument a script can
// pass, in every position, and with random mixtures: none raises a script
// error or crashes. Each function runs in a folder of its own below a
// scratch folder, since relative paths made of the shapes' text are real
// paths there.
#include <windows.h>
#include <objbase.h>
#include <ole2.h>

#include <gtest/gtest.h>

#include "common/testing/scratch_folder.h"
#include "uninstaller/script/exit_flags.h"
#include "uninstaller/script/win/testing/script_test_support.h"

namespace vcam::uninstaller {
namespace {

namespace fs = std::filesystem;

// Not called: sleep (a large shape is a long sleep), showMessageBox (waits
// for a user) and markRestart (would block the guard tests' programs); their
// arguments are read by the same code as the others'.
const char* kFuzz = R"lua(
local shapes = {nil, true, false, {}, print, 0, -1, 1.5, 2^53, 0/0, 1/0, -1/0, '', 'x', '\255\254', '12',
                string.rep('a', 40000), coroutine.create(print), HKEY_CURRENT_USER, 64, '\0x'}
local count = 21
local names = {'killProcess', 'removeFile', 'moveFile', 'removeDirectory', 'createDirectory', 'shellExecuteEx',
  'fileExists', 'print', 'getAppDataFolder', 'getProgramFolder', 'getTempFolder', 'getDesktopFolder',
  'getStartMenuFolder', 'createShortCut', 'reboot', 'volumeExists', 'directoryEmpty', 'setCurrentDirectory',
  'isWOW32', 'isProcessRunning', 'getProcessPath', 'regQueryString', 'regQueryInteger', 'regWriteString',
  'regWriteInteger', 'regDeleteValue', 'regDeleteSubKey', 'resolveShortCut', 'isWin8', 'getRunningProcess',
  'killRunningProcess', 'setUserCanceled'}
calls = 0
local function try(name, args)
  local ok, err = pcall(_G[name], table.unpack(args, 1, 5))
  if not ok then error(name .. ' raised: ' .. tostring(err), 0) end
  calls = calls + 1
end
math.randomseed(13)
for _, name in ipairs(names) do
  -- Each function in a fresh folder, so that nothing an earlier one made
  -- (a folder "x" that shellExecuteEx would open) is in its way.
  createDirectory(base .. '\\' .. name)
  setCurrentDirectory(base .. '\\' .. name)
  try(name, {})
  -- The shell takes a second or more for each file it cannot start: its
  -- other arguments vary around an empty file, which it refuses at once,
  -- and it gets no random mixtures.
  local slow = name == 'shellExecuteEx'
  for position = 1, 5 do
    for shape = 1, count do
      local args = slow and {'', 'x', 'x', 0, 1024} or {'x', 'x', 'x', 'x', 'x'}
      args[position] = shapes[shape]
      try(name, args)
    end
  end
  for _ = 1, slow and 0 or 8 do
    local args = {}
    for i = 1, 5 do args[i] = shapes[math.random(count)] end
    try(name, args)
  end
end
)lua";

// Closes every dialog box of this process until stopped: the shell reports a
// file it cannot open in a box unless the mask asks for no UI, and most
// shapes of the mask do not.
class DialogCloser {
 public:
  DialogCloser()
      : thread_([this] {
          while (!stop_) {
            HWND box = nullptr;
            while ((box = ::FindWindowExW(nullptr, box, L"#32770", nullptr))) {
              DWORD owner = 0;
              ::GetWindowThreadProcessId(box, &owner);
              if (owner == ::GetCurrentProcessId()) ::PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
            }
            ::Sleep(20);
          }
        }) {}
  ~DialogCloser() {
    stop_ = true;
    thread_.join();
  }

 private:
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

TEST(ArgumentShapes, NoFunctionRaisesOrCrashesWhateverItIsGiven) {
  vcam::testing::ScratchFolder scratch("script_shapes_");
  const DialogCloser closer;
  const fs::path before = fs::current_path();
  fs::current_path(scratch.path());
  HRESULT ole = ::OleInitialize(nullptr);
  {
    testing::ScriptRunner script;
    ASSERT_FALSE(script.run("base = " + testing::lua_literal(scratch.path())));
    EXPECT_EQ(script.run(kFuzz), std::nullopt);
    EXPECT_EQ(script.results("calls"), std::to_string(32 * (1 + 5 * 21) + 31 * 8));
  }
  if (SUCCEEDED(ole)) ::OleUninitialize();
  fs::current_path(before);
  clear_exit_flags_for_test();
  // Keys the shapes' texts named directly under the user's root.
  for (const wchar_t* key : {L"x", L"12"}) ::RegDeleteTreeW(HKEY_CURRENT_USER, key);
  EXPECT_TRUE(fs::exists(before));
}

}  // namespace
}  // namespace vcam::uninstaller
