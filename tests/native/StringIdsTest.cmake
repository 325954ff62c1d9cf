# The generator of the named string ids: the header names the ids that carry
# a symbol, and a table whose symbols clash or are malformed stops the build.
# Run as: cmake -DPYTHON=... -DGENERATOR=... -DWORK_DIR=... -P StringIdsTest.cmake
file(MAKE_DIRECTORY ${WORK_DIR})

function(generate name content)
    file(WRITE ${WORK_DIR}/${name}.txt "${content}")
    execute_process(COMMAND ${PYTHON} ${GENERATOR} ${WORK_DIR}/${name}.txt --ids ${WORK_DIR}/${name}.h
                    RESULT_VARIABLE result ERROR_VARIABLE error OUTPUT_QUIET)
    set(result "${result}" PARENT_SCOPE)
    set(error "${error}" PARENT_SCOPE)
endfunction()

# A table of named and unnamed ids, an override among them.
generate(good "# comment\n5 kStrAlpha\tAlpha\n6\tUnnamed\n5@client\tAlpha client\n1020 kStrBeta\tBeta\\tTab\n")
if(NOT result EQUAL 0)
    message(FATAL_ERROR "a sound table failed: ${error}")
endif()
file(READ ${WORK_DIR}/good.h header)
foreach(line "inline constexpr int kStrAlpha = 5;" "inline constexpr int kStrBeta = 1020;")
    string(FIND "${header}" "${line}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "the header lacks \"${line}\":\n${header}")
    endif()
endforeach()
string(REGEX MATCHALL "constexpr int" named "${header}")
list(LENGTH named count)
if(NOT count EQUAL 2)
    message(FATAL_ERROR "the header names ${count} ids, not 2:\n${header}")
endif()

# Tables the generator must refuse, each with the reason it gives.
set(bad_tables
    "duplicate|5 kStrAlpha\tA\n6 kStrAlpha\tB\n|symbol kStrAlpha given twice"
    "override|5 kStrAlpha\tA\n5@client kStrOther\tB\n|an override takes the symbol of its id"
    "malformed|5 StrAlpha\tA\n|symbol StrAlpha is not of the form kName"
    "doubled id|5 kStrAlpha\tA\n5 kStrBeta\tB\n|id 5 given twice")
foreach(case IN LISTS bad_tables)
    string(REPLACE "|" ";" parts "${case}")
    list(GET parts 0 name)
    list(GET parts 1 content)
    list(GET parts 2 reason)
    string(REPLACE " " "_" file_name "${name}")
    generate(${file_name} "${content}")
    if(result EQUAL 0)
        message(FATAL_ERROR "the ${name} table was accepted")
    endif()
    string(FIND "${error}" "${reason}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "the ${name} table failed without \"${reason}\": ${error}")
    endif()
endforeach()
