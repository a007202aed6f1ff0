# Every library and executable of the project links this target, so the warnings
# reach every translation unit that is really built.
add_library(pallisto_warnings INTERFACE)
target_compile_options(pallisto_warnings INTERFACE
    -Wall -Wextra -Wshadow -Wold-style-cast -Wnon-virtual-dtor
    $<$<BOOL:${PALLISTO_WERROR}>:-Werror>)
