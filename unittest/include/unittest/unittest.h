#pragma once

#include <string>

#include <unittest/assert_exception.h>
#include <unittest/check_macros.h>
#include <unittest/checks.h>
#include <unittest/composite_test_reporter.h>
#include <unittest/current_test.h>
#include <unittest/deferred_test_reporter.h>
#include <unittest/execute_test.h>
#include <unittest/memory_out_stream.h>
#include <unittest/required_check.h>
#include <unittest/signal_translator.h>
#include <unittest/test.h>
#include <unittest/test_details.h>
#include <unittest/test_macros.h>
#include <unittest/test_reporter.h>
#include <unittest/test_reporter_stdout.h>
#include <unittest/test_results.h>
#include <unittest/test_runner.h>
#include <unittest/time_constraint.h>
#include <unittest/time_helpers.h>
#include <unittest/xml_test_reporter.h>

// Robot description directory with trailing slash; defined by the program, not the framework.
extern std::string urdf_path;
