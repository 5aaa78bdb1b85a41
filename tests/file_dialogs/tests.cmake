# Whole-program runs through the system's file dialogs: windows and keys on the
# shared desktop.
set_tests_properties(${tests} PROPERTIES RESOURCE_LOCK desktop)
