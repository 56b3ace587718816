-- procedure script used by the resource tests
return 0
