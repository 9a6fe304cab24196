# One warnings target that every library and program links.
add_library(zentrik_warnings INTERFACE)
target_compile_options(zentrik_warnings INTERFACE -Wall -Wextra -Wpedantic
    $<$<CXX_COMPILER_ID:GNU>:-Wshadow=local>)

# The CI build turns every warning into an error, so the tree stays free of them without
# anyone having to read the build log.
option(ZENTRIK_WERROR "Treat compiler warnings as errors" OFF)
if(ZENTRIK_WERROR)
    target_compile_options(zentrik_warnings INTERFACE -Werror)
endif()
