# Runs a validator on one file and fails with its output when it rejects the file.
# A missing validator fails too: a check that silently passes would hide a broken file.
#   cmake -DTOOL=name -DFILE=path [-DOPTIONS=opt1,opt2] -P run_validator.cmake
find_program(tool_path ${TOOL})
if(NOT tool_path)
    message(FATAL_ERROR "${TOOL} is not installed, so ${FILE} cannot be checked. "
                        "scripts/setup.sh installs it.")
endif()
string(REPLACE "," ";" options "${OPTIONS}")
execute_process(COMMAND ${tool_path} ${options} ${FILE}
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
message("${out}")
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${TOOL} rejected ${FILE} (exit code ${rc})")
endif()
