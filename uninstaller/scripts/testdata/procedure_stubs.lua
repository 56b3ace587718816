-- Stand-ins for the system functions and notifyMessage that "LG.lua" calls,
-- over a pretend machine: `files` (a set of paths, folders end in "\"),
-- `registry` ("root|subkey|name" -> value), `links` (link -> target),
-- `consumers` (the camera consumer list or nil) and `answers` (code ->
-- answer of the window). Every call is recorded in order in `calls`.
calls = {}
notifications = {}
files = {}
registry = {}
links = {}
answers = {}
processPath = "C:\\Program Files\\ZeloVCamera\\vcam_uninstall.exe"
wow32 = false
local function record(text) calls[#calls + 1] = text end

HKEY_CLASSES_ROOT = -2147483648
HKEY_CURRENT_USER = -2147483647
HKEY_LOCAL_MACHINE = -2147483646

function getProcessPath() return processPath end
function setCurrentDirectory(path) record("setCurrentDirectory " .. path) end
function regQueryString(root, subkey, name) return registry[root .. "|" .. subkey .. "|" .. name] end
function killProcess(path) record("killProcess " .. path) end
function shellExecuteEx(file, parameters, verb, show, mask)
  record("shellExecuteEx " .. file .. " | " .. parameters .. " | " .. verb .. " | " .. show .. " | " .. mask)
  return true, 0
end
function getRunningProcess() return consumers end
function killRunningProcess() record("killRunningProcess") end
function getStartMenuFolder() return "C:\\ProgramData\\Start Menu\\Programs" end
function getDesktopFolder() return "C:\\Users\\Public\\Desktop" end
function resolveShortCut(link) return links[link] end
function isWOW32() return wow32 end
function fileExists(path) return files[path] == true or files[path .. "\\"] == true end
function regDeleteSubKey(root, subkey) record("regDeleteSubKey " .. root .. " " .. subkey) end
function regDeleteValue(root, subkey, name) record("regDeleteValue " .. root .. " " .. subkey .. " " .. name) end
function removeFile(path)
  record("removeFile " .. path)
  local had = files[path] == true
  files[path] = nil
  return had
end
local function below(folder, path) return path:sub(1, #folder) == folder and path ~= folder end
function directoryEmpty(path)
  local folder = path .. "\\"
  for p in pairs(files) do
    if below(folder, p) then return false end
  end
  return true
end
function removeDirectory(path)
  record("removeDirectory " .. path)
  local folder = path .. "\\"
  for p in pairs(files) do
    if p == folder or below(folder, p) then files[p] = nil end
  end
end
function notifyMessage(text)
  local message = load("return " .. text)()
  notifications[#notifications + 1] = message
  record("notify " .. message.code)
  return answers[message.code] or 1
end
