-- Stand-ins for the window bindings and the system functions that "UI.lua"
-- calls, for running it in a plain state: they record what the script asks
-- for and file windows and controls through the script's own bookkeeping,
-- as the host does. Set before running: windowHandle (a number); optional
-- duringDialog(window) runs inside showDialog; boxAnswer answers the window's
-- message boxes, restartAnswer the one asked after the dialog.
calls = {}
local function record(text) calls[#calls + 1] = text end
local registry = debug.getregistry()

controls = {}
local function control(id)
  local c = controls[id]
  if c then return c end
  c = {id = id}
  function c:addHandler(ev, f)
    if lua_queryControlHandle(registry.__control, self) == nil then lua_addControl(registry.__control, self, id) end
    lua_addHandler(lua_queryControlDispatcher(registry.__control, self), ev, f)
  end
  function c:setVisible(b) self.visible = b record(id .. " visible " .. tostring(b)) end
  function c:setRange(n) self.range = n end
  function c:setPosition(n) self.position = n end
  function c:setText(t) self.text = t end
  controls[id] = c
  return c
end

function createWindow(name)
  record("createWindow " .. name)
  local w = {}
  function w:setIcon(n) record("setIcon " .. n) end
  function w:setTitle(t) record("setTitle " .. t) end
  function w:centerScreen() record("centerScreen") end
  function w:getChild(id) return control(id) end
  function w:endDialog(code) record("endDialog " .. code) end
  function w:setMessageHandler(f)
    record("setMessageHandler")
    lua_setMessageHandler(registry.__window, self, f)
  end
  function w:showMessageBox(text, caption, kind)
    record("window box " .. caption .. " " .. kind .. " " .. text)
    return boxAnswer or 1
  end
  function w:showDialog()
    record("showDialog")
    if duringDialog then duringDialog(self) end
    return 2
  end
  lua_addWindow(registry.__window, w, windowHandle)
  return w
end

-- Sends a notification the way the host does, through the bookkeeping.
function notify(w, text) return lua_invokeMessageHandler(registry.__window, w, text) end

function startWork(name) record("startWork " .. name) end
function setUserCanceled() record("setUserCanceled") end
function markRestart() record("markRestart") end
function reboot() record("reboot") end
function showMessageBox(text, caption, kind)
  record("box " .. caption .. " " .. kind .. " " .. text)
  return restartAnswer or 2
end
