# The test build runs everything under ASan and UBSan; any report fails the test.
if(VELLUM_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
endif()

# A fuzz build instruments every library for coverage; the fuzz targets add
# the libFuzzer main themselves.
if(VELLUM_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
