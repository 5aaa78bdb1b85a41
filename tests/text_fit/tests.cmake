# The fit test opens the main window, its pages and boxes on the shared Wine desktop.
set_tests_properties(${tests} PROPERTIES RESOURCE_LOCK desktop)
