# The recognition page's tests open the main window and its boxes on the
# shared Wine desktop, like the main window's tests.
set_tests_properties(${tests} PROPERTIES RESOURCE_LOCK desktop)
