# Native tree: the portable rules under sanitizers, the dev service, the artwork generator.
enable_testing()
set(QH_SANITIZE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
target_compile_options(qh_rules PRIVATE ${QH_SANITIZE} -Wall -Wextra)
target_link_options(qh_rules PUBLIC ${QH_SANITIZE})

find_package(GTest REQUIRED)
file(GLOB QH_HOST_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/host/*.cpp)
add_executable(host_tests ${QH_HOST_TESTS})
target_compile_options(host_tests PRIVATE ${QH_SANITIZE})
target_link_libraries(host_tests PRIVATE qh_rules GTest::gtest_main)
add_test(NAME host_tests COMMAND host_tests)

if(EXISTS ${CMAKE_SOURCE_DIR}/devservice/CMakeLists.txt)
    add_subdirectory(devservice)
endif()
if(EXISTS ${CMAKE_SOURCE_DIR}/src/res/art/CMakeLists.txt)
    add_subdirectory(src/res/art)
endif()
