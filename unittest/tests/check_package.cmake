# Builds and installs the framework on its own, then builds and runs a project that finds it.
file(REMOVE_RECURSE ${WORK_DIR})

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "failed (${rc}): ${ARGN}\n${out}")
  endif()
  set(run_output "${out}" PARENT_SCOPE)
endfunction()

run(${CMAKE_COMMAND} -S ${FRAMEWORK_SOURCE_DIR} -B ${WORK_DIR}/framework -DZEMO_BUILD_TESTS=OFF
    -DCMAKE_BUILD_TYPE=Release)
run(${CMAKE_COMMAND} --build ${WORK_DIR}/framework -j2)
run(${CMAKE_COMMAND} --install ${WORK_DIR}/framework --prefix ${WORK_DIR}/prefix)
run(${CMAKE_COMMAND} -S ${CONSUMER_SOURCE_DIR} -B ${WORK_DIR}/consumer
    -DCMAKE_PREFIX_PATH=${WORK_DIR}/prefix -DCMAKE_BUILD_TYPE=Release)
run(${CMAKE_COMMAND} --build ${WORK_DIR}/consumer)
run(${WORK_DIR}/consumer/consumer)
if(NOT run_output MATCHES "当前测试用例为: CONSUMER, Works\nSuccess: 1 tests passed.\n")
  message(FATAL_ERROR "unexpected output of the consumer:\n${run_output}")
endif()
