// "LG.lua" in a plain worker state over a pretend machine: what it removes,
// in which order, and what it leaves alone outside the registered
// installation or when the user stops it.
#include <gtest/gtest.h>

#include <string>

#include "uninstaller/scripts/testing/script_files.h"

namespace vcam::uninstaller {
namespace {

using testing::ScriptUnderTest;

const std::string kDir = VCAM_SCRIPTS_DIR;

// The installed product at the registered path, a user file beside it and
// one inside its resource folder; shortcuts to it in both shell folders.
const char kInstalled[] = R"(
  local dir = "C:\\Program Files\\ZeloVCamera\\"
  registry[HKEY_CURRENT_USER .. "|Software\\ZeloVCamera|InstallPath"] = "c:\\program files\\zelovcamera\\"
  for _, name in ipairs({"ZeloAlphaBlend.dll", "vcam_source.ax", "vcam_launcher.exe", "libcurl.dll",
      "msvcp110.dll", "msvcr110.dll", "Resource\\", "Resource\\frame_pro.zeloz", "Resource\\splash\\",
      "Resource\\splash\\default", "Resource\\style_pro.zeloz", "vzelodumper.dll", "vcam_uninstall.exe"}) do
    files[dir .. name] = true
  end
  links["C:\\ProgramData\\Start Menu\\Programs\\ZeloOlvana\\ZeloOlvana.lnk"] = dir .. "vcam_launcher.exe"
  links["C:\\ProgramData\\Start Menu\\Programs\\ZeloOlvana\\卸载 ZeloOlvana.lnk"] = dir .. "vcam_uninstall.exe"
  links["C:\\Users\\Public\\Desktop\\ZeloOlvana.lnk"] = dir .. "vcam_launcher.exe"
)";

class Procedure : public ::testing::Test {
 protected:
  void run(const std::string& setup = "") {
    ASSERT_EQ(script.run_file(kDir + "/testdata/procedure_stubs.lua"), "");
    ASSERT_EQ(script.run(std::string(kInstalled) + setup), "");
    ASSERT_EQ(script.run_file(kDir + "/LG.lua"), "");
  }
  void TearDown() override { EXPECT_TRUE(script.output().errors.empty()); }

  std::string calls() { return script.eval("table.concat(calls, '\\n')"); }
  // The notifications of one code, one per line, as "field=value" pairs.
  std::string notified(int code) {
    return script.eval("(function() local out = {} for _, n in ipairs(notifications) do if n.code == " +
                       std::to_string(code) +
                       " then out[#out + 1] = tostring(n.position or n.range or n.file or '') .. ' ' .. "
                       "tostring(n.text or '') end end return table.concat(out, '\\n') end)()");
  }
  bool called(const std::string& call) {
    return script.eval("(function() for _, c in ipairs(calls) do if c == [==[" + call +
                       "]==] then return true end end return false end)()") == "true";
  }
  int index_of(const std::string& call) {
    const std::string i = script.eval("(function() for i, c in ipairs(calls) do if c == [==[" + call +
                                      "]==] then return i end end return 0 end)()");
    return std::stoi(i);
  }
  bool exists(const std::string& path) { return script.eval("files[ [==[" + path + "]==] ]") == "true"; }

  ScriptUnderTest script{ScriptKind::worker};
};

std::string at(const std::string& name) { return "C:\\Program Files\\ZeloVCamera\\" + name; }

TEST_F(Procedure, TheRegisteredInstallationGoesInNineteenStepsInOrder) {
  run();
  EXPECT_EQ(notified(3), "19 ");
  EXPECT_EQ(notified(4),
            "1 反注册vcam_source.ax...\n"
            "2 删除 ZeloOlvana快捷方式\n"
            "3 删除 HKEY_CURRENT_USER\\Software\\ZeloVCamera\n"
            "4 删除 HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Internet Explorer\\Low Rights\\ElevationPolicy\\"
            "{CACBA33C-A5E5-43CD-9287-8C075425FC26}\n"
            "5 删除 HKEY_CURRENT_USER\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run\n"
            "6 删除 浏览器URL自动跳转\n"
            "7 删除 HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\ZeloVCamera\n"
            "8 删除文件 ZeloAlphaBlend.dll\n"
            "9 删除文件 vcam_source.ax\n"
            "10 删除文件 vcam_launcher.exe\n"
            "11 删除文件 libcurl.dll\n"
            "12 删除文件 msvcp110.dll\n"
            "13 删除文件 msvcr110.dll\n"
            "14 删除文件 Resource\\frame_pro.zeloz\n"
            "15 删除文件 Resource\\splash\\default\n"
            "16 删除文件夹 Resource\\splash\n"
            "17 删除文件 Resource\\style_pro.zeloz\n"
            "18 删除文件夹 Resource\n"
            "19 删除文件 vzelodumper.dll");
  EXPECT_EQ(script.eval("notifications[1].code"), "1");
  EXPECT_EQ(script.eval("notifications[#notifications].code"), "2");
}

TEST_F(Procedure, SystemWideStateIsUndoneInTheSevenStepsOrder) {
  run();
  const std::string expected =
            "setCurrentDirectory C:\\Program Files\\ZeloVCamera\\\n"
            "notify 1\n"
            "killProcess C:\\Program Files\\ZeloVCamera\\vcam_launcher.exe\n"
            "killProcess C:\\Program Files\\ZeloVCamera\\vzelolive.exe\n"
            "killProcess C:\\Program Files\\ZeloVCamera\\zelovcamon.exe\n"
            "shellExecuteEx C:\\Program Files\\ZeloVCamera\\zelovcamcount.exe | uninstall | open | 0 | 1088\n"
            "killProcess C:\\Program Files\\ZeloVCamera\\zelovcamcount.exe\n"
            "notify 3\n"
            "notify 4\n"
            "killRunningProcess\n"
            "shellExecuteEx regsvr32 | /s /u \"C:\\Program Files\\ZeloVCamera\\vcam_source.ax\" | open | 0 | 1088\n"
            "notify 4\n"
            "removeFile C:\\ProgramData\\Start Menu\\Programs\\ZeloOlvana\\ZeloOlvana.lnk\n"
            "removeFile C:\\ProgramData\\Start Menu\\Programs\\ZeloOlvana\\卸载 ZeloOlvana.lnk\n"
            "removeDirectory C:\\ProgramData\\Start Menu\\Programs\\ZeloOlvana\n"
            "removeFile C:\\Users\\Public\\Desktop\\ZeloOlvana.lnk\n"
            "notify 4\n"
            "regDeleteSubKey -2147483647 Software\\ZeloVCamera\n"
            "notify 4\n"
            "regDeleteSubKey -2147483646 SOFTWARE\\Microsoft\\Internet Explorer\\Low Rights\\ElevationPolicy\\"
            "{CACBA33C-A5E5-43CD-9287-8C075425FC26}\n"
            "notify 4\n"
            "regDeleteValue -2147483647 SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run ZeloVCam Daemon\n"
            "notify 4\n"
            "regDeleteSubKey -2147483648 vovia\n"
            "notify 4\n"
            "regDeleteSubKey -2147483646 Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\ZeloVCamera\n"
            "notify 4\n"
            "removeFile C:\\Program Files\\ZeloVCamera\\ZeloAlphaBlend.dll\n";
  EXPECT_EQ(calls().substr(0, expected.size()), expected) << "then the files of the list";
}

TEST_F(Procedure, TheRegisteredFolderLosesEveryListedFileAndFolder) {
  run("files[dir .. 'Resource\\\\mine.txt'] = true");
  for (const char* name : {"ZeloAlphaBlend.dll", "vcam_source.ax", "vcam_launcher.exe", "libcurl.dll", "msvcp110.dll",
                           "msvcr110.dll", "Resource\\", "Resource\\splash\\", "vzelodumper.dll"})
    EXPECT_FALSE(exists(at(name))) << name;
  EXPECT_FALSE(exists(at("Resource\\mine.txt"))) << "the product's own folder goes whole";
  EXPECT_TRUE(exists(at("vcam_uninstall.exe"))) << "the program itself goes at exit";
}

TEST_F(Procedure, TheRegisteredPathMatchesWithoutCaseOrTrailingBackslash) {
  run("registry[HKEY_CURRENT_USER .. '|Software\\\\ZeloVCamera|InstallPath'] = 'C:\\\\PROGRAM FILES\\\\ZeloVCamera'");
  EXPECT_EQ(notified(3), "19 ");
}

TEST_F(Procedure, ACopyOutsideTheRegisteredFolderRemovesOnlyItsListedFiles) {
  run(R"(
    registry[HKEY_CURRENT_USER .. "|Software\\ZeloVCamera|InstallPath"] = "D:\\Elsewhere\\"
    files[dir .. "notes.txt"] = true
    files[dir .. "Resource\\mine.txt"] = true
  )");
  EXPECT_EQ(notified(3), "12 ");
  EXPECT_EQ(script.eval("notifications[#notifications].code"), "2");
  EXPECT_EQ(notified(4).substr(0, notified(4).find('\n')), "1 删除文件 ZeloAlphaBlend.dll");
  EXPECT_FALSE(called("killRunningProcess"));
  EXPECT_EQ(calls().find("regsvr32"), std::string::npos);
  EXPECT_EQ(calls().find("regDelete"), std::string::npos);
  EXPECT_EQ(calls().find(".lnk"), std::string::npos);
  EXPECT_TRUE(exists(at("notes.txt")));
  EXPECT_TRUE(exists(at("Resource\\mine.txt"))) << "a folder holding the user's files stays";
  EXPECT_TRUE(exists(at("Resource\\")));
  EXPECT_FALSE(exists(at("Resource\\splash\\"))) << "an emptied folder of the list goes";
  EXPECT_FALSE(exists(at("Resource\\style_pro.zeloz")));
  EXPECT_FALSE(exists(at("vcam_source.ax")));
}

TEST_F(Procedure, NoRegisteredInstallationMeansRangeTwelve) {
  run("registry = {}");
  EXPECT_EQ(notified(3), "12 ");
  EXPECT_FALSE(called("notify 10"));
}

TEST_F(Procedure, CancelAtTheCameraQuestionStopsBeforeUnregistering) {
  run(R"(consumers = "C:\\a\\b.exe;C:\\c.exe;" answers[10] = 2)");
  EXPECT_EQ(notified(10), "C:\\a\\b.exe\nC:\\c.exe\n ") << "separators became line breaks (read back from long brackets)";
  EXPECT_EQ(script.eval("calls[#calls]"), "notify 10") << "nothing after the refusal, not even code 2";
  EXPECT_TRUE(exists(at("vcam_source.ax")));
}

TEST_F(Procedure, OkAtTheCameraQuestionEndsTheProgramsThenUnregisters) {
  run(R"(consumers = "C:\\a\\b.exe;" answers[10] = 1)");
  const int asked = index_of("notify 10");
  const int killed = index_of("killRunningProcess");
  const int unregistered = index_of(
      "shellExecuteEx regsvr32 | /s /u \"C:\\Program Files\\ZeloVCamera\\vcam_source.ax\" | open | 0 | 1088");
  EXPECT_GT(asked, 0);
  EXPECT_GT(killed, asked);
  EXPECT_GT(unregistered, killed);
  EXPECT_EQ(script.eval("notifications[#notifications].code"), "2");
}

TEST_F(Procedure, ShortcutsToAnotherInstallationAreKept) {
  run(R"(
    links["C:\\ProgramData\\Start Menu\\Programs\\ZeloOlvana\\ZeloOlvana.lnk"] = "D:\\Other\\vcam_launcher.exe"
    links["C:\\Users\\Public\\Desktop\\ZeloOlvana.lnk"] = dir:upper() .. "VCAM_LAUNCHER.EXE"
  )");
  EXPECT_FALSE(called("removeFile C:\\ProgramData\\Start Menu\\Programs\\ZeloOlvana\\ZeloOlvana.lnk"));
  EXPECT_FALSE(called("removeFile C:\\Users\\Public\\Desktop\\ZeloOlvana.lnk")) << "the comparison keeps case";
  EXPECT_TRUE(called("removeFile C:\\ProgramData\\Start Menu\\Programs\\ZeloOlvana\\卸载 ZeloOlvana.lnk"));
}

TEST_F(Procedure, TheSixtyFourBitModuleIsUnregisteredWithItsOwnToolAndDeleted) {
  run("files[dir .. 'vcam_source64.ax'] = true");
  EXPECT_EQ(notified(3), "20 ");
  const int unregistered32 = index_of(
      "shellExecuteEx regsvr32 | /s /u \"C:\\Program Files\\ZeloVCamera\\vcam_source.ax\" | open | 0 | 1088");
  const int unregistered64 = index_of(
      "shellExecuteEx %windir%\\Sysnative\\regsvr32.exe | /s /u \"C:\\Program Files\\ZeloVCamera\\vcam_source64.ax\""
      " | open | 0 | 1600");
  EXPECT_GT(unregistered32, 0);
  EXPECT_EQ(unregistered64, unregistered32 + 1);
  EXPECT_NE(notified(4).find("9 删除文件 vcam_source.ax\n10 删除文件 vcam_source64.ax\n"), std::string::npos);
  EXPECT_FALSE(exists(at("vcam_source64.ax")));
}

TEST_F(Procedure, ThereIsNoSixtyFourBitToolOnAThirtyTwoBitSystem) {
  run("files[dir .. 'vcam_source64.ax'] = true wow32 = true");
  EXPECT_EQ(calls().find("Sysnative"), std::string::npos);
  EXPECT_FALSE(exists(at("vcam_source64.ax")));
}

TEST_F(Procedure, WithoutItsOwnPathNothingIsTouched) {
  run("processPath = nil");
  EXPECT_EQ(calls(), "notify 2") << "the window moves on; no relative names are removed";
  EXPECT_TRUE(exists(at("vcam_source.ax")));
}

}  // namespace
}  // namespace vcam::uninstaller
