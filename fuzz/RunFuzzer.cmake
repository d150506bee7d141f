# Runs the fuzzer for 60 s on a fresh copy of its seed corpus, so new inputs never land in the
# source tree. libFuzzer exits non-zero on a crash or a sanitizer report.
file(REMOVE_RECURSE "${WORK}")
file(COPY "${SEEDS}/" DESTINATION "${WORK}/corpus")
execute_process(
    COMMAND "${FUZZER}" -max_total_time=60 "-artifact_prefix=${WORK}/" "${WORK}/corpus"
    RESULT_VARIABLE result
    ERROR_VARIABLE log)
string(REGEX MATCH "Done [0-9]+ runs[^\n]*" done "${log}")
if(NOT result EQUAL 0)
    message(FATAL_ERROR "${log}\n${FUZZER} failed: ${result}")
endif()
message("${done}")
