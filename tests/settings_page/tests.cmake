# The page tests move focus and open boxes on the shared Wine desktop.
set_tests_properties(${tests} PROPERTIES RESOURCE_LOCK desktop)
