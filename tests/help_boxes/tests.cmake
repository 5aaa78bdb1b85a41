# The help boxes open modal boxes on the shared Wine desktop.
set_tests_properties(${tests} PROPERTIES RESOURCE_LOCK desktop)
