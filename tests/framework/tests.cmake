# Dialog templates used only by the framework tests.
target_sources(${target} PRIVATE ${dir}/framework_test.rc)
