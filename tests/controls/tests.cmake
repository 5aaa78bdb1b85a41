# The control tests move the focus and open popup windows on the shared desktop.
set_tests_properties(${tests} PROPERTIES RESOURCE_LOCK desktop)
