# One warnings target that every library and program links.
add_library(zentrik_warnings INTERFACE)
target_compile_options(zentrik_warnings INTERFACE -Wall -Wextra -Wpedantic
    $<$<CXX_COMPILER_ID:GNU>:-Wshadow=local>)
