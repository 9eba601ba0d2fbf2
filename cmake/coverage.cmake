# Line coverage of the driver's own sources (ZEDB_COVERAGE=ON, used by scripts/coverage.sh).
# Unoptimised, with debug lines, so that each counted line is a line of the source; the tests
# call the driver from several threads at once, so counters are updated atomically. Every module
# that holds these objects links libgcov statically; it adds its counters to the .gcda files
# when the module unloads, so the DLL and the test executables merge into the same files.
target_compile_options(zedb_objects PRIVATE --coverage -fprofile-update=atomic -O0 -g)
target_compile_options(zedb_com PRIVATE $<$<COMPILE_LANGUAGE:CXX>:--coverage -fprofile-update=atomic -O0 -g>)
target_link_options(zedb_com PRIVATE --coverage)
target_link_options(zedb_core INTERFACE --coverage)
