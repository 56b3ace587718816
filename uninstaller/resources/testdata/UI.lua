-- window script used by the resource tests
local title = "卸载"
return title
