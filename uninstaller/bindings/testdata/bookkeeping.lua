-- The window script's bookkeeping functions as the host expects them, for
-- the binding tests (the shipped "UI.lua" carries its own).
function lua_addWindow(tbl, window, handle)
  tbl[#tbl + 1] = {window, handle}
end
function lua_removeWindow(tbl, handle)
  for i, e in ipairs(tbl) do
    if e[2] == handle then table.remove(tbl, i) return end
  end
end
function lua_queryWindow(tbl, handle)
  for _, e in ipairs(tbl) do
    if e[2] == handle then return e[1] end
  end
  return nil
end
function lua_queryWindowHandle(tbl, window)
  for _, e in ipairs(tbl) do
    if e[1] == window then return e[2] end
  end
  return 0
end
function lua_setMessageHandler(tbl, window, f)
  for _, e in ipairs(tbl) do
    if e[1] == window then e[3] = f return end
  end
end
function lua_invokeMessageHandler(tbl, window, text)
  for _, e in ipairs(tbl) do
    if e[1] == window then
      if e[3] then return e[3](text) end
      return 0
    end
  end
  return 0
end
function lua_addControl(tbl, control, handle)
  local triple = {control, handle, {}}
  tbl[1][control] = triple
  tbl[2][handle] = triple
end
function lua_removeControl(tbl, handle)
  local triple = tbl[2][handle]
  if triple then
    tbl[1][triple[1]] = nil
    tbl[2][handle] = nil
  end
end
function lua_queryControl(tbl, handle)
  local triple = tbl[2][handle]
  return triple and triple[1]
end
function lua_queryControlHandle(tbl, control)
  local triple = tbl[1][control]
  return triple and triple[2]
end
function lua_queryControlDispatcher(tbl, control)
  local triple = tbl[1][control]
  return triple and triple[3]
end
function lua_addHandler(dispatcher, event, f)
  local list = dispatcher[event]
  if not list then
    dispatcher[event] = {f}
    return true
  end
  list[#list + 1] = f
  if #list == 1 then return true end
end
function lua_removeHandler(dispatcher, event, f)
  local list = dispatcher[event]
  if not list then return true end
  for i, g in ipairs(list) do
    if g == f then table.remove(list, i) break end
  end
  if #list == 0 then return true end
end
function lua_invokeHandlers(dispatcher, sender, event, wparam, lparam)
  local list = dispatcher[event]
  if not list then return end
  for _, f in ipairs(list) do
    if f(sender, event, wparam, lparam) then return true end
  end
end
function lua_setTimer(tbl, timer, f, window)
  tbl[#tbl + 1] = {timer, f, window}
end
function lua_killTimer(tbl, timer, window)
  for i, e in ipairs(tbl) do
    if e[1] == timer and e[3] == window then table.remove(tbl, i) return end
  end
end
function lua_removeTimer(tbl, window)
  for i = #tbl, 1, -1 do
    if tbl[i][3] == window then table.remove(tbl, i) end
  end
end
function lua_onTimer(tbl, timer)
  for _, e in ipairs(tbl) do
    if e[1] == timer then e[2]() return end
  end
end
