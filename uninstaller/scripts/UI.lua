-- The uninstaller's window script: the bookkeeping the host calls by global
-- name, the window of "mainframe.xml", and the answers to the procedure's
-- notifications ("LG.lua" on the worker thread).

-- Bookkeeping. The host passes the registry table (__window, __control or
-- __timer) first and identifies native objects by handle numbers.

-- __window: array of {window table, handle, message handler}.
function lua_addWindow(tbl, window, handle)
  tbl[#tbl + 1] = {window, handle}
end

function lua_removeWindow(tbl, handle)
  for i, entry in ipairs(tbl) do
    if entry[2] == handle then
      table.remove(tbl, i)
      return
    end
  end
end

function lua_queryWindow(tbl, handle)
  for _, entry in ipairs(tbl) do
    if entry[2] == handle then return entry[1] end
  end
  return nil
end

function lua_queryWindowHandle(tbl, window)
  for _, entry in ipairs(tbl) do
    if entry[1] == window then return entry[2] end
  end
  return 0
end

function lua_setMessageHandler(tbl, window, handler)
  for _, entry in ipairs(tbl) do
    if entry[1] == window then
      entry[3] = handler
      return
    end
  end
end

function lua_invokeMessageHandler(tbl, window, text)
  for _, entry in ipairs(tbl) do
    if entry[1] == window then
      if entry[3] == nil then return 0 end
      return entry[3](text)
    end
  end
  return 0
end

-- __control: [1] control table -> triple, [2] handle -> triple, where a
-- triple is {control table, handle, dispatcher table}.
function lua_addControl(tbl, control, handle)
  local triple = {control, handle, {}}
  tbl[1][control] = triple
  tbl[2][handle] = triple
end

function lua_removeControl(tbl, handle)
  local triple = tbl[2][handle]
  if triple == nil then return end
  tbl[1][triple[1]] = nil
  tbl[2][handle] = nil
end

function lua_queryControl(tbl, handle)
  local triple = tbl[2][handle]
  if triple == nil then return nil end
  return triple[1]
end

function lua_queryControlHandle(tbl, control)
  local triple = tbl[1][control]
  if triple == nil then return nil end
  return triple[2]
end

function lua_queryControlDispatcher(tbl, control)
  local triple = tbl[1][control]
  if triple == nil then return nil end
  return triple[3]
end

-- Dispatcher tables: event number -> list of handler functions. The first
-- handler of an event makes the host route that native event here; the last
-- one removed makes it stop.
function lua_addHandler(dispatcher, event, handler)
  local list = dispatcher[event]
  if list == nil then
    list = {}
    dispatcher[event] = list
  end
  list[#list + 1] = handler
  if #list == 1 then return true end
end

function lua_removeHandler(dispatcher, event, handler)
  local list = dispatcher[event]
  if list == nil then return true end
  for i, f in ipairs(list) do
    if f == handler then
      table.remove(list, i)
      break
    end
  end
  if #list == 0 then return true end
end

function lua_invokeHandlers(dispatcher, sender, event, wparam, lparam)
  local list = dispatcher[event]
  if list == nil then return end
  for _, f in ipairs(list) do
    if f(sender, event, wparam, lparam) then return true end
  end
end

-- __timer: array of {timer handle, function, window handle}.
function lua_setTimer(tbl, timer, f, window)
  tbl[#tbl + 1] = {timer, f, window}
end

function lua_killTimer(tbl, timer, window)
  for i, entry in ipairs(tbl) do
    if entry[1] == timer and entry[3] == window then
      table.remove(tbl, i)
      return
    end
  end
end

function lua_removeTimer(tbl, window)
  for i = #tbl, 1, -1 do
    if tbl[i][3] == window then table.remove(tbl, i) end
  end
end

function lua_onTimer(tbl, timer)
  for _, entry in ipairs(tbl) do
    if entry[1] == timer then
      entry[2]()
      return
    end
  end
end

-- Only the bookkeeping above when the binding tests load this script for it:
-- they drive windows of their own.
if bookkeepingOnly then return end

-- The framework's control event codes.
event = {
  GotFocus = 2, LostFocus = 3,
  PreviewKeyDown = 4, KeyDown = 5, PreviewKeyUp = 6, KeyUp = 7, PreviewKeyPress = 8, KeyPress = 9,
  GotCapture = 10, LostCapture = 11,
  PreviewLButtonDown = 12, LButtonDown = 13, PreviewLButtonUp = 14, LButtonUp = 15,
  PreviewRButtonDown = 16, RButtonDown = 17, PreviewRButtonUp = 18, RButtonUp = 19,
  LButtonDbClick = 20, RButtonDbClick = 21,
  PreviewMouseWheel = 22, MouseWheel = 23,
  MouseMove = 25, MouseEnter = 26, MouseLeave = 27,
  Click = 30, ValueChange = 31, Notify = 32,
}

local MB_OKCANCEL = 1
local MB_ICONQUESTION = 32
local IDOK = 1
local IDCANCEL = 2

local window = createWindow("mainframe.xml")
window:setIcon(2)
window:setTitle("卸载Olvana")
window:centerScreen()

local function onClick(id, handler)
  local control = window:getChild(id)
  if control then control:addHandler(event.Click, handler) end
end

local function cancel()
  window:endDialog(IDCANCEL)
  setUserCanceled()
end

onClick(1003, cancel)
onClick(5000, cancel)
onClick(2001, function() window:endDialog(IDCANCEL) end)
onClick(1004, function()
  window:getChild(1005):setVisible(true)
  window:getChild(1002):setVisible(false)
  startWork("LG.lua")
end)

-- Procedure notifications: a Lua table constructor with a code; the answer
-- goes back to the worker as its notifyMessage result.
local range = 0
local restartNeeded = false

local reactions = {
  [2] = function()
    window:getChild(2000):setVisible(true)
    window:getChild(1000):setVisible(false)
    return 1
  end,
  [3] = function(message)
    range = tonumber(message.range) or 0
    window:getChild(1006):setRange(range)
    return 1
  end,
  [4] = function(message)
    local position = tonumber(message.position) or 0
    window:getChild(1006):setPosition(position)
    -- A missing range (no code 3 yet) would divide by zero.
    if range > 0 then
      window:getChild(1007):setText(string.format("%2d%%", math.floor(position * 100 / range)))
    end
    return 1
  end,
  [7] = function()
    restartNeeded = true
    markRestart()
    return 1
  end,
  [10] = function(message)
    -- Long brackets read every line break as "\n"; the box shows "\r\n".
    local list = tostring(message.file or ""):gsub("\n", "\r\n")
    local answer = window:showMessageBox("立即结束以下程序来继续卸载过程吗?\r\n" .. list, "提示",
                                         MB_OKCANCEL + MB_ICONQUESTION)
    if answer == IDCANCEL then
      window:endDialog(3)
      setUserCanceled()
      return IDCANCEL
    end
    return IDOK
  end,
}

window:setMessageHandler(function(text)
  local ok, message = pcall(function() return load("return " .. text)() end)
  if not ok or type(message) ~= "table" then return 1 end
  local reaction = reactions[message.code]
  if reaction == nil then return 1 end
  return reaction(message)
end)

window:showDialog()

if restartNeeded then
  if showMessageBox("Olvana需要重启电脑才能完成卸载，是否立即重启?", "提示", MB_OKCANCEL + MB_ICONQUESTION) == IDOK then
    reboot()
  end
end
