# The help boxes open modal boxes on the shared Wine desktop.
set_tests_properties(help_boxes PROPERTIES RESOURCE_LOCK desktop)
