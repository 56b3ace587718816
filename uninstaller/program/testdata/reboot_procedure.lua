-- The procedure of the reboot fixture: asks for a restart and finishes.
notifyMessage("{code=1}")
notifyMessage("{code=7}")
notifyMessage("{code=2}")
