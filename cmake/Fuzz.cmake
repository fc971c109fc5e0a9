# Fuzzing tree (clang): the portable rules and one libFuzzer target per outside input, under
# AddressSanitizer and UndefinedBehaviorSanitizer. Configured by scripts/fuzz.
set(QH_FUZZ_SANITIZE address,undefined)
target_compile_options(qh_rules PRIVATE -fsanitize=fuzzer-no-link,${QH_FUZZ_SANITIZE} -fno-sanitize-recover=undefined
                                        -fno-omit-frame-pointer -g)
target_link_options(qh_rules PUBLIC -fsanitize=${QH_FUZZ_SANITIZE})

file(GLOB QH_FUZZ_TARGETS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/fuzz/*_fuzz.cpp)
foreach(source ${QH_FUZZ_TARGETS})
    get_filename_component(name ${source} NAME_WE)
    add_executable(${name} ${source})
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer,${QH_FUZZ_SANITIZE} -fno-sanitize-recover=undefined
                                           -fno-omit-frame-pointer -g)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer,${QH_FUZZ_SANITIZE})
    target_link_libraries(${name} PRIVATE qh_rules)
endforeach()
