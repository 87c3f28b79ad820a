# Warnings on for every target of the project; the tree is kept warning-clean.
add_compile_options(-Wall -Wextra -Wshadow -Wno-unused-parameter)
