# The main window's tests open dialogs and move focus on the shared Wine desktop.
set_tests_properties(${tests} PROPERTIES RESOURCE_LOCK desktop)
