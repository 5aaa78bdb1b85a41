# Dialog templates used only by the framework tests.
target_sources(${target} PRIVATE ${dir}/framework_test.rc)
# The window tests move the focus and open dialogs on the shared Wine desktop.
set_tests_properties(${tests} PROPERTIES RESOURCE_LOCK desktop)
