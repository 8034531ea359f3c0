# Adds a subdirectory only once it has a CMakeLists.txt, so parts of the tree can grow independently.
function(tolvanmere_optional_subdirectory dir)
    if(EXISTS "${CMAKE_CURRENT_SOURCE_DIR}/${dir}/CMakeLists.txt")
        add_subdirectory(${dir})
    endif()
endfunction()

# tolvanmere_add_qtest(NAME <name> SOURCES <files...> LIBS <targets...> [GUI])
# Builds one Qt Test executable and registers it with CTest. GUI tests run on the
# offscreen platform so that no display is needed.
function(tolvanmere_add_qtest)
    cmake_parse_arguments(T "GUI" "NAME;TIMEOUT" "SOURCES;LIBS" ${ARGN})
    add_executable(${T_NAME} ${T_SOURCES})
    target_link_libraries(${T_NAME} PRIVATE Qt6::Test ${T_LIBS})
    add_test(NAME ${T_NAME} COMMAND ${T_NAME})
    set(env "QT_QPA_PLATFORM=offscreen")
    if(T_GUI)
        list(APPEND env "QT_QUICK_BACKEND=software")
    endif()
    if(NOT T_TIMEOUT)
        set(T_TIMEOUT 300)
    endif()
    set_tests_properties(${T_NAME} PROPERTIES ENVIRONMENT "${env}" TIMEOUT ${T_TIMEOUT})
endfunction()
