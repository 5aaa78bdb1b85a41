# Whole-program runs look for windows on the shared desktop.
set_tests_properties(${name} PROPERTIES RESOURCE_LOCK desktop)
