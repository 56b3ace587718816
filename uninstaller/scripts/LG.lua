-- The uninstall procedure, run on the worker thread. It reports to the window
-- with notifyMessage: code 1 start, 3 step count, 4 each step, 10 programs
-- still using the camera, 2 finished.

local SEE_MASK_NOCLOSEPROCESS = 64
local SEE_MASK_FLAG_NO_UI = 1024
local SEE_MASK_DOENVSUBST = 512
local SW_HIDE = 0
local IDCANCEL = 2

-- Files and folders of the installation, relative to its folder, in the
-- order they go (a folder after its content). kind 1 = file, 0 = folder.
local fileOperations = {
  {1, "ZeloAlphaBlend.dll"},
  {1, "vcam_source.ax"},
  {1, "vcam_launcher.exe"},
  {1, "libcurl.dll"},
  {1, "msvcp110.dll"},
  {1, "msvcr110.dll"},
  {1, "Resource\\frame_pro.zeloz"},
  {1, "Resource\\splash\\default"},
  {0, "Resource\\splash"},
  {1, "Resource\\style_pro.zeloz"},
  {0, "Resource"},
  {1, "vzelodumper.dll"},
}

local function folderOf(path)
  return (path or ""):match("^(.*\\)") or ""
end

local function sameFolder(a, b)
  local function norm(p)
    p = string.lower(p)
    if p:sub(-1) ~= "\\" then p = p .. "\\" end
    return p
  end
  return norm(a) == norm(b)
end

local current = folderOf(getProcessPath())
-- Without its own folder every name below would be relative to wherever the
-- process happens to stand: remove nothing.
if current == "" then
  notifyMessage("{code=2}")
  return
end
setCurrentDirectory(current)

local installPath = regQueryString(HKEY_CURRENT_USER, "Software\\ZeloVCamera", "InstallPath")
-- Only the copy at the registered installation undoes system-wide state.
local clearAll = installPath ~= nil and sameFolder(current, installPath)

-- The 64-bit camera module, where the product has one, is unregistered with
-- the other and goes after it.
local module64 = fileExists(current .. "vcam_source64.ax")
if module64 then table.insert(fileOperations, 3, {1, "vcam_source64.ax"}) end

notifyMessage("{code=1}")

killProcess(current .. "vcam_launcher.exe")
killProcess(current .. "vzelolive.exe")
killProcess(current .. "zelovcamon.exe")

shellExecuteEx(current .. "zelovcamcount.exe", "uninstall", "open", SW_HIDE, SEE_MASK_NOCLOSEPROCESS + SEE_MASK_FLAG_NO_UI)
killProcess(current .. "zelovcamcount.exe")

local systemSteps = 7
local range = #fileOperations
if clearAll then range = range + systemSteps end
notifyMessage("{code=3,range=" .. range .. "}")

local position = 0
local function step(text)
  position = position + 1
  -- Long brackets carry the text as is; a "]]" inside would end them early.
  notifyMessage("{code=4,position=" .. position .. ",text=[[" .. text:gsub("%]%]", "] ]") .. "]]}")
end

local function regsvr32Unregister(tool, module, mask)
  shellExecuteEx(tool, "/s /u \"" .. module .. "\"", "open", SW_HIDE, mask)
end

local function removeLinkTo(link, target)
  if resolveShortCut(link) == target then removeFile(link) end
end

if clearAll then
  step("反注册vcam_source.ax...")
  local users = getRunningProcess()
  if users then
    local list = users:gsub(";", "\r\n")
    if notifyMessage("{code=10,file=[[" .. list .. "]]}") == IDCANCEL then return end
  end
  killRunningProcess()
  regsvr32Unregister("regsvr32", current .. "vcam_source.ax", SEE_MASK_NOCLOSEPROCESS + SEE_MASK_FLAG_NO_UI)
  -- The 64-bit module is registered with the 64-bit tool, which a 32-bit
  -- process reaches through Sysnative (System32 would be redirected).
  if module64 and not isWOW32() then
    regsvr32Unregister("%windir%\\Sysnative\\regsvr32.exe", current .. "vcam_source64.ax",
                       SEE_MASK_NOCLOSEPROCESS + SEE_MASK_FLAG_NO_UI + SEE_MASK_DOENVSUBST)
  end

  step("删除 ZeloOlvana快捷方式")
  local programs = getStartMenuFolder()
  if programs then
    removeLinkTo(programs .. "\\ZeloOlvana\\ZeloOlvana.lnk", current .. "vcam_launcher.exe")
    removeLinkTo(programs .. "\\ZeloOlvana\\卸载 ZeloOlvana.lnk", current .. "vcam_uninstall.exe")
    removeDirectory(programs .. "\\ZeloOlvana")
  end
  local desktop = getDesktopFolder()
  if desktop then removeLinkTo(desktop .. "\\ZeloOlvana.lnk", current .. "vcam_launcher.exe") end

  step("删除 HKEY_CURRENT_USER\\Software\\ZeloVCamera")
  regDeleteSubKey(HKEY_CURRENT_USER, "Software\\ZeloVCamera")

  local policy = "SOFTWARE\\Microsoft\\Internet Explorer\\Low Rights\\ElevationPolicy\\{CACBA33C-A5E5-43CD-9287-8C075425FC26}"
  step("删除 HKEY_LOCAL_MACHINE\\" .. policy)
  regDeleteSubKey(HKEY_LOCAL_MACHINE, policy)

  step("删除 HKEY_CURRENT_USER\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run")
  regDeleteValue(HKEY_CURRENT_USER, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", "ZeloVCam Daemon")

  step("删除 浏览器URL自动跳转")
  regDeleteSubKey(HKEY_CLASSES_ROOT, "vovia")

  step("删除 HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\ZeloVCamera")
  regDeleteSubKey(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\ZeloVCamera")
end

for _, entry in ipairs(fileOperations) do
  local kind, name = entry[1], entry[2]
  if kind == 1 then
    step("删除文件 " .. name)
    removeFile(current .. name)
  else
    step("删除文件夹 " .. name)
    -- Outside the registered installation a folder of the list may hold the
    -- user's own files: it goes only when the listed files were all it held.
    if clearAll or directoryEmpty(current .. name) then removeDirectory(current .. name) end
  end
end

notifyMessage("{code=2}")
