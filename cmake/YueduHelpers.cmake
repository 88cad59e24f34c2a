# yuedu_core_module(NAME SOURCES... [DEPS ...]): one static library of the pure core.
function(yuedu_core_module name)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC ${ARG_DEPS})
    target_link_libraries(yuedu_core INTERFACE ${name})
endfunction()

# yuedu_gtest(NAME SOURCES... DEPS ...): one GoogleTest program, registered with ctest.
function(yuedu_gtest name)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gtest_main)
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 300)
endfunction()

# Adds every direct subfolder of the current folder that has a CMakeLists.txt, so a new
# subsystem or test folder needs no edit of a shared list.
macro(yuedu_add_subfolders)
    file(GLOB _children LIST_DIRECTORIES true RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/*)
    list(SORT _children)
    foreach(_child ${_children})
        if(IS_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}/${_child} AND EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${_child}/CMakeLists.txt)
            add_subdirectory(${_child})
        endif()
    endforeach()
endmacro()

# yuedu_gui_module(NAME SOURCES... [DEPS ...]): one static library of Qt windows.
function(yuedu_gui_module name)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    set_target_properties(${name} PROPERTIES AUTOMOC ON)
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC ${ARG_DEPS} Qt6::Widgets Qt6::PrintSupport)
    target_link_libraries(yuedu_gui INTERFACE ${name})
endfunction()

# yuedu_qtest(NAME SOURCES... DEPS ...): one QtTest program, run offscreen by ctest.
function(yuedu_qtest name)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    set_target_properties(${name} PROPERTIES AUTOMOC ON)
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} PRIVATE ${ARG_DEPS} Qt6::Widgets Qt6::Test)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES TIMEOUT 300 ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

# yuedu_loadable_module(NAME SOURCES... LIBS...): the module yuedu-NAME.so, which the programs
# load (loadModule) only when a run needs its library. Installed in lib/yuedu/modules beside bin;
# in the build tree every module is made in one folder, where programs and tests find them.
set(YUEDU_MODULE_DIR lib/yuedu/modules)
set(YUEDU_BUILD_MODULE_DIR ${PROJECT_BINARY_DIR}/modules)
function(yuedu_loadable_module name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_library(yuedu-${name} MODULE ${ARG_SOURCES})
    set_target_properties(yuedu-${name} PROPERTIES PREFIX "" CXX_VISIBILITY_PRESET hidden
        VISIBILITY_INLINES_HIDDEN ON LIBRARY_OUTPUT_DIRECTORY ${YUEDU_BUILD_MODULE_DIR})
    target_include_directories(yuedu-${name} PRIVATE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(yuedu-${name} PRIVATE ${ARG_LIBS})
    # Linked against the C library even when it calls nothing of it directly, as Debian asks.
    target_link_options(yuedu-${name} PRIVATE LINKER:--no-as-needed)
    install(TARGETS yuedu-${name} LIBRARY DESTINATION ${YUEDU_MODULE_DIR})
endfunction()
