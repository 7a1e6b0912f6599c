# CMake generated Testfile for 
# Source directory: /work/main/tests
# Build directory: /work/main/build/tests
# 
# This file includes the relevant testing commands required for 
# testing this directory and lists subdirectories to be tested as well.
include("/work/main/build/tests/volantor_core_tests[1]_include.cmake")
include("/work/main/build/tests/volantor_cli_tests[1]_include.cmake")
add_test([=[volantor_cli_help]=] "/work/main/build/bin/volantor-cli" "--help")
set_tests_properties([=[volantor_cli_help]=] PROPERTIES  LABELS "core" PASS_REGULAR_EXPRESSION "Usage: volantor-cli" _BACKTRACE_TRIPLES "/work/main/tests/CMakeLists.txt;21;add_test;/work/main/tests/CMakeLists.txt;0;")
add_test([=[volantor_cli_usage_error]=] "/work/main/build/bin/volantor-cli" "--no-such-step")
set_tests_properties([=[volantor_cli_usage_error]=] PROPERTIES  LABELS "core" WILL_FAIL "TRUE" _BACKTRACE_TRIPLES "/work/main/tests/CMakeLists.txt;24;add_test;/work/main/tests/CMakeLists.txt;0;")
