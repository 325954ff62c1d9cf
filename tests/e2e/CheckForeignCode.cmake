# Fails when a program carries code of another program: any symbol of the
# named modules and classes. The programs share only the class library and
# the mail client's registry classes.
# cmake -DNM=... -DPROGRAM=... "-DFOREIGN=modMain;frmMain" -P CheckForeignCode.cmake
execute_process(COMMAND ${NM} -C ${PROGRAM} OUTPUT_VARIABLE symbols RESULT_VARIABLE failed)
if(failed OR symbols STREQUAL "")
    message(FATAL_ERROR "nm cannot read the symbols of ${PROGRAM}")
endif()
list(JOIN FOREIGN "|" names)
string(REGEX MATCHALL "[^\n]*[^A-Za-z0-9_](${names})::[^\n]*" found "${symbols}")
if(found)
    list(LENGTH found count)
    list(GET found 0 first)
    message(FATAL_ERROR "${PROGRAM} carries ${count} symbols of another program, the first: ${first}")
endif()
