# CLI11 and nlohmann/json are header-only: the mingw build reaches them through a folder that
# holds only them, not through the host's whole include directory, so that nothing else of the
# host's headers can slip into a Windows module.
find_path(CLI11_INCLUDE CLI/CLI.hpp PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH REQUIRED)
find_path(NLOHMANN_JSON_INCLUDE nlohmann/json.hpp PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH REQUIRED)
set(ZEDB_HEADER_ONLY ${CMAKE_BINARY_DIR}/header-only)
file(MAKE_DIRECTORY ${ZEDB_HEADER_ONLY})
file(CREATE_LINK ${CLI11_INCLUDE}/CLI ${ZEDB_HEADER_ONLY}/CLI SYMBOLIC)
file(CREATE_LINK ${NLOHMANN_JSON_INCLUDE}/nlohmann ${ZEDB_HEADER_ONLY}/nlohmann SYMBOLIC)
add_library(header_only_libraries INTERFACE)
target_include_directories(header_only_libraries SYSTEM INTERFACE ${ZEDB_HEADER_ONLY})
