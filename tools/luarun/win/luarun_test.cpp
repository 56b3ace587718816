// vcam_luarun as people and test scripts use it: a file, its arguments, its
// printed lines on standard output, its errors on standard error.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "common/testing/scratch_folder.h"
#include "common/win/folders.h"
#include "common/win/unique_handle.h"

namespace vcam::luarun {
namespace {

namespace fs = std::filesystem;

struct RunResult {
  DWORD exit_code = 12345;
  std::string out, err;
};

std::string read_all(HANDLE pipe) {
  std::string text;
  char buffer[4096];
  DWORD n = 0;
  while (::ReadFile(pipe, buffer, sizeof buffer, &n, nullptr) && n > 0) text.append(buffer, n);
  return text;
}

// Runs the tool with `args`, collecting both outputs (each read on its own
// thread, so a full pipe cannot stall the tool).
RunResult luarun(const std::wstring& args) {
  RunResult run;
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE out_read = nullptr, out_write = nullptr, err_read = nullptr, err_write = nullptr;
  if (!::CreatePipe(&out_read, &out_write, &inherit, 0) || !::CreatePipe(&err_read, &err_write, &inherit, 0)) return run;
  UniqueHandle out_r(out_read), out_w(out_write), err_r(err_read), err_w(err_write);
  ::SetHandleInformation(out_read, HANDLE_FLAG_INHERIT, 0);
  ::SetHandleInformation(err_read, HANDLE_FLAG_INHERIT, 0);
  std::wstring command = L"\"" + (fs::path(application_folder()) / "vcam_luarun.exe").wstring() + L"\" " + args;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = out_write;
  startup.hStdError = err_write;
  PROCESS_INFORMATION info{};
  if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &info))
    return run;
  UniqueHandle process(info.hProcess), thread(info.hThread);
  out_w.reset();
  err_w.reset();
  std::thread err_reader([&] { run.err = read_all(err_read); });
  run.out = read_all(out_read);
  err_reader.join();
  ::WaitForSingleObject(process.get(), INFINITE);
  ::GetExitCodeProcess(process.get(), &run.exit_code);
  return run;
}

class Luarun : public ::testing::Test {
 protected:
  std::wstring script(const std::string& name, const std::string& text) {
    std::ofstream(scratch_ / name, std::ios::binary) << text;
    return L"\"" + (scratch_ / name).wstring() + L"\"";
  }
  vcam::testing::ScratchFolder scratch_{"luarun_"};
};

TEST_F(Luarun, PrintedLinesAndArgumentsReachStandardOutputAndTheRunEndsWithZero) {
  const RunResult run = luarun(script("ok.lua", "print('first')\nprint('卸载 ' .. #arg)\n"
                                          "for i = 1, #arg do print(arg[i]) end\n"
                                          "print(arg[0]:match('ok%.lua$'))\n") +
                         L" one \"two words\"");
  EXPECT_EQ(run.exit_code, 0u) << run.err;
  EXPECT_EQ(run.out, "first\n卸载 2\none\ntwo words\nok.lua\n");
  EXPECT_EQ(run.err, "");
}

TEST_F(Luarun, TheSystemFunctionsWorkOnRealFiles) {
  const RunResult run = luarun(script("files.lua", "local dir = arg[1] .. '\\\\made\\\\deeper'\n"
                                             "print(tostring(createDirectory(dir)) .. ' ' .. tostring(fileExists(dir)))\n"
                                             "removeDirectory(arg[1] .. '\\\\made')\n"
                                             "print(tostring(fileExists(dir)) .. ' ' .. tostring(directoryEmpty(dir)))\n"
                                             "print(true)\n") +
                         L" \"" + scratch_.path().wstring() + L"\"");
  EXPECT_EQ(run.exit_code, 0u) << run.err;
  EXPECT_EQ(run.out, "true true\nfalse true\n\n") << "print takes text; a boolean reads as empty";
  EXPECT_FALSE(fs::exists(scratch_ / "made"));
}

TEST_F(Luarun, ARuntimeErrorEndsWithOneAndItsTextOnStandardError) {
  const RunResult run = luarun(script("fails.lua", "print('before')\nerror('broken here')\nprint('after')\n"));
  EXPECT_EQ(run.exit_code, 1u);
  EXPECT_EQ(run.out, "before\n");
  EXPECT_NE(run.err.find("fails.lua:2: broken here\n"), std::string::npos) << run.err;
}

TEST_F(Luarun, ASyntaxErrorEndsWithOneBeforeAnythingRuns) {
  const RunResult run = luarun(script("syntax.lua", "print('never')\nlocal = 1\n"));
  EXPECT_EQ(run.exit_code, 1u);
  EXPECT_EQ(run.out, "");
  EXPECT_NE(run.err.find("syntax.lua:2:"), std::string::npos) << run.err;
}

TEST_F(Luarun, AMissingFileOrNoFileEndsWithOne) {
  const RunResult missing = luarun(L"\"" + (scratch_ / "none.lua").wstring() + L"\"");
  EXPECT_EQ(missing.exit_code, 1u);
  EXPECT_NE(missing.err.find("cannot open"), std::string::npos) << missing.err;
  const RunResult none = luarun(L"");
  EXPECT_EQ(none.exit_code, 1u);
  EXPECT_NE(none.err.find("usage"), std::string::npos) << none.err;
}

TEST_F(Luarun, ErrorsThatAreNoTextAreStillDescribed) {
  const RunResult run = luarun(script("table.lua", "error({})"));
  EXPECT_EQ(run.exit_code, 1u);
  EXPECT_EQ(run.err, "(error object is a table value)\n");
}

TEST_F(Luarun, BinaryChunksAreRefused) {
  std::ofstream(scratch_ / "dump.lua", std::ios::binary) << "\x1bLua\x52";
  const RunResult run = luarun(L"\"" + (scratch_ / "dump.lua").wstring() + L"\"");
  EXPECT_EQ(run.exit_code, 1u);
  EXPECT_NE(run.err.find("binary"), std::string::npos) << run.err;
}

}  // namespace
}  // namespace vcam::luarun
