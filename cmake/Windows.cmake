# Windows tree (MinGW-w64 i686): the product in its three builds and the Windows tests.
enable_testing()
enable_language(RC)

set(QH_WIN_DEFINES UNICODE _UNICODE _WIN32_WINNT=0x0501 WINVER=0x0501 _WIN32_IE=0x0600 NOMINMAX)
set(QH_WIN_LIBS ws2_32 msimg32 psapi gdiplus comctl32 ole32 oleaut32 uuid shell32 shlwapi wininet winmm dsound advapi32 user32 gdi32)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001")
target_compile_definitions(qh_rules PUBLIC ${QH_WIN_DEFINES})
target_compile_options(qh_rules PRIVATE -Wall -Wextra)

# Everything of the product but the entry point and the per-build configuration.
file(GLOB_RECURSE QH_CORE_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/*.cpp)
list(FILTER QH_CORE_SOURCES EXCLUDE REGEX "/rules/|/res/art/|/framework/link/|/app/link/|/app/Main\\.cpp$|/base/Config\\.cpp$|/app/TickCount64Import\\.cpp$")
add_library(qh_core STATIC ${QH_CORE_SOURCES})
target_include_directories(qh_core PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_compile_definitions(qh_core PUBLIC ${QH_WIN_DEFINES})
target_compile_options(qh_core PRIVATE -Wall -Wextra -Wno-missing-field-initializers -ffunction-sections -fdata-sections)
target_link_libraries(qh_core PUBLIC qh_rules ${QH_WIN_LIBS})

set(QH_RC ${CMAKE_SOURCE_DIR}/src/res/QuarnelHalvira.rc)
file(GLOB QH_RC_DEPENDS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/res/*.h ${CMAKE_SOURCE_DIR}/src/res/png/*.png
     ${CMAKE_SOURCE_DIR}/src/res/icons/*.ico ${CMAKE_SOURCE_DIR}/src/res/*.manifest ${CMAKE_SOURCE_DIR}/src/res/dialogs/*.rc)
set_source_files_properties(${QH_RC} PROPERTIES OBJECT_DEPENDS "${QH_RC_DEPENDS}")

# One configuration library per build: the generated header and the values it defines.
# The browser is chosen here too, so a build carries only its own, and only the test build
# can be made to crash on request. The test build also waits
# less (network time-outs, the notice's delay) so that a silent server costs a test seconds.
function(qh_add_config variant client account bridge portal domains check browser)
    if(variant STREQUAL "test")
        set(CFG_CONNECT_TIMEOUT_MS 5000)
        set(CFG_TRANSFER_TIMEOUT_MS 5000)
        set(CFG_NOTICE_DELAY_MS 2000)
    else()
        set(CFG_CONNECT_TIMEOUT_MS 15000)
        set(CFG_TRANSFER_TIMEOUT_MS 30000)
        set(CFG_NOTICE_DELAY_MS 10000)
    endif()
    set(QH_VARIANT ${variant})
    set(CFG_CLIENT_HOST ${client})
    set(CFG_ACCOUNT_HOST ${account})
    set(CFG_BRIDGE_HOST ${bridge})
    set(CFG_PORTAL_HOST ${portal})
    list(GET domains 0 CFG_DOMAIN_1)
    list(GET domains 1 CFG_DOMAIN_2)
    list(GET domains 2 CFG_DOMAIN_3)
    set(CFG_CHECK_URL ${check})
    configure_file(${CMAKE_SOURCE_DIR}/cmake/BuildConfig.h.in ${CMAKE_BINARY_DIR}/config/${variant}/BuildConfig.h @ONLY)
    if(variant STREQUAL "test")
        set(crash_link TestCrashOnRequest)
    else()
        set(crash_link NoTestCrash)
    endif()
    add_library(qh_config_${variant} OBJECT ${CMAKE_SOURCE_DIR}/src/base/Config.cpp
                ${CMAKE_SOURCE_DIR}/src/framework/link/${browser}BrowserLink.cpp
                ${CMAKE_SOURCE_DIR}/src/app/link/${crash_link}.cpp)
    target_include_directories(qh_config_${variant} PRIVATE ${CMAKE_BINARY_DIR}/config/${variant} ${CMAKE_SOURCE_DIR}/src)
endfunction()

list(LENGTH QH_OPERATOR_DOMAINS _domain_count)
if(NOT _domain_count EQUAL 3)
    message(FATAL_ERROR "QH_OPERATOR_DOMAINS must list exactly three domains")
endif()
set(QH_DEV_HOST "127.0.0.1:${QH_DEV_PORT}")
math(EXPR QH_DEV_CHECK_PORT "${QH_DEV_PORT} + 1")
set(QH_DEV_DOMAINS "127.0.0.1;127.0.0.1;127.0.0.1")
set(QH_DEV_CHECK "http://127.0.0.1:${QH_DEV_CHECK_PORT}/")
if("production" IN_LIST QH_WINDOWS_BUILDS)
    qh_add_config(production ${QH_CLIENT_HOST} ${QH_ACCOUNT_HOST} ${QH_BRIDGE_HOST} ${QH_PORTAL_HOST}
                  "${QH_OPERATOR_DOMAINS}" ${QH_CHECK_URL} Ie)
endif()
if("dev" IN_LIST QH_WINDOWS_BUILDS)
    qh_add_config(dev ${QH_DEV_HOST} ${QH_DEV_HOST} ${QH_DEV_HOST} ${QH_DEV_HOST} "${QH_DEV_DOMAINS}" ${QH_DEV_CHECK} Ie)
endif()
if("test" IN_LIST QH_WINDOWS_BUILDS)
    qh_add_config(test ${QH_DEV_HOST} ${QH_DEV_HOST} ${QH_DEV_HOST} ${QH_DEV_HOST} "${QH_DEV_DOMAINS}" ${QH_DEV_CHECK} Scripted)
endif()

set(QH_LINK_FLAGS -static -municode -mwindows -s -Wl,--gc-sections)
function(qh_add_product variant outdir)
    # The import slot object goes in directly: from a library it would come too late.
    add_executable(QuarnelHalvira_${variant} WIN32 ${CMAKE_SOURCE_DIR}/src/app/Main.cpp
                   ${CMAKE_SOURCE_DIR}/src/app/TickCount64Import.cpp ${QH_RC})
    target_link_libraries(QuarnelHalvira_${variant} PRIVATE qh_config_${variant} qh_core)
    target_link_options(QuarnelHalvira_${variant} PRIVATE ${QH_LINK_FLAGS})
    set_target_properties(QuarnelHalvira_${variant} PROPERTIES OUTPUT_NAME QuarnelHalvira
                          RUNTIME_OUTPUT_DIRECTORY ${outdir})
endfunction()
foreach(variant ${QH_WINDOWS_BUILDS})
    if(variant STREQUAL "production")
        qh_add_product(production ${CMAKE_BINARY_DIR})
    else()
        qh_add_product(${variant} ${CMAKE_BINARY_DIR}/${variant})
    endif()
endforeach()
if(NOT "test" IN_LIST QH_WINDOWS_BUILDS)
    return()
endif()

# GoogleTest from Debian's sources, built with the cross tool chain.
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)



# Small helper programs the Windows tests start as child processes (and demo drivers for
# the screenshots); they may use the shared test support, but not GoogleTest.
file(GLOB QH_TEST_PROGRAMS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/programs/*.cpp)
file(GLOB QH_TEST_SUPPORT CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/support/*.cpp)
list(FILTER QH_TEST_SUPPORT EXCLUDE REGEX "/TestMain\\.cpp$")
add_library(qh_test_support STATIC ${QH_TEST_SUPPORT})
target_include_directories(qh_test_support PUBLIC ${CMAKE_SOURCE_DIR}/tests)
target_compile_definitions(qh_test_support PUBLIC QH_DEV_PORT=${QH_DEV_PORT})
target_link_libraries(qh_test_support PUBLIC qh_core)
function(qh_add_win_test name)
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/${name}/*.cpp)
    add_executable(${name}_tests ${sources} ${CMAKE_SOURCE_DIR}/tests/support/TestMain.cpp ${QH_RC})
    target_link_libraries(${name}_tests PRIVATE qh_config_test qh_test_support qh_core GTest::gtest GTest::gmock)
    target_link_options(${name}_tests PRIVATE -static)
    set_target_properties(${name}_tests PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    add_dependencies(${name}_tests QuarnelHalvira_test)
endfunction()
qh_add_win_test(win)
qh_add_win_test(e2e)

foreach(program_source ${QH_TEST_PROGRAMS})
    get_filename_component(program ${program_source} NAME_WE)
    add_executable(${program} ${program_source} ${QH_RC})
    target_link_libraries(${program} PRIVATE qh_config_test qh_test_support qh_core)
    target_link_options(${program} PRIVATE -static -municode)
    set_target_properties(${program} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    add_dependencies(win_tests ${program})
endforeach()
# The whole self-update publishes this program as the "new" executable.
add_dependencies(e2e_tests minimal_dialog)
