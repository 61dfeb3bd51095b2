#include <unittest/test_runner.h>

#include <cstring>
#include <fstream>
#include <iostream>
#include <sstream>

#include <unittest/current_test.h>
#include <unittest/memory_out_stream.h>
#include <unittest/test.h>
#include <unittest/test_reporter_stdout.h>
#include <unittest/test_results.h>
#include <unittest/time_helpers.h>

namespace UnitTest {

std::vector<std::string> TestRunner::g_input_para;
std::vector<BenchmarkRecord> TestRunner::g_test_results;

TestRunner::TestRunner(TestReporter& reporter)
    : m_reporter(&reporter), m_result(new TestResults(&reporter)), m_timer(new Timer) {
  m_timer->Start();
}

TestRunner::~TestRunner() {
  delete m_result;
  delete m_timer;
}

TestResults* TestRunner::GetTestResults() {
  return m_result;
}

bool TestRunner::IsTestInSuite(const Test* curTest, const char* suiteName) const {
  return suiteName == nullptr || (curTest->m_details.suiteName &&
                                  std::strcmp(curTest->m_details.suiteName, suiteName) == 0);
}

bool TestRunner::IsTestNameEqual(const Test* curTest, const char* testName) const {
  return testName == nullptr ||
         (curTest->m_details.testName && std::strcmp(curTest->m_details.testName, testName) == 0);
}

void TestRunner::RunTest(TestResults* result, Test* curTest, int maxTestTimeInMs) const {
  if (!curTest->m_isMock) CurrentTest::Results() = result;

  Timer testTimer;
  testTimer.Start();
  result->OnTestStart(curTest->m_details);
  curTest->Run();
  const double testTimeInMs = testTimer.GetTimeInMs();

  const TestDetails& details = curTest->m_details;
  if (maxTestTimeInMs > 0 && testTimeInMs > maxTestTimeInMs && !details.timeConstraintExempt) {
    MemoryOutStream stream;
    stream << "Global time constraint failed. Expected under " << maxTestTimeInMs << "ms but took "
           << testTimeInMs << "ms.";
    result->OnTestFailure(details, stream.GetText());
  }

  if (details.actual_time > details.expect_time) {
    MemoryOutStream stream;
    stream << "计算时间超时, 期望时间: " << details.expect_time
           << "us, 实际时间: " << details.actual_time << "us.";
    result->OnTestFailure(details, stream.GetText());
  }

  g_input_para.clear();
  result->OnTestFinish(details, static_cast<float>(testTimeInMs / 1000.0));
}

int TestRunner::Finish() const {
  const float secondsElapsed = static_cast<float>(m_timer->GetTimeInMs() / 1000.0);
  for (const std::string& description : m_result->GetErrDescription()) {
    std::cerr << description << std::endl;
  }
  m_reporter->ReportSummary(m_result->GetTotalTestCount(), m_result->GetFailedTestCount(),
                            m_result->GetFailureCount(), secondsElapsed);

  if (!g_test_results.empty()) {
    for (size_t k = 0; k < g_test_results.size(); ++k) {
      const BenchmarkRecord& record = g_test_results[k];
      std::cout << k << " name: " << std::get<1>(record) << " expect: " << std::get<2>(record)
                << " actual: " << std::get<3>(record) << std::endl;
    }
    std::string json = "[";
    for (size_t k = 0; k < g_test_results.size(); ++k) {
      if (k > 0) json += ",";
      json += pointToJson(g_test_results[k]);
    }
    json += "]";

    std::ofstream file("test_result.json", std::ios::out | std::ios::trunc);
    if (file.is_open()) {
      file << json;
      file.close();
      std::cout << "benchmark data saved to test_result.json" << std::endl;
    } else {
      std::cerr << "Unable to write json file." << std::endl;
    }
  }
  return m_result->GetFailureCount();
}

namespace {

// Runs the tests matching suite and name (null selects all) with the console reporter.
int RunSelected(const char* suiteName, const char* testName) {
  TestReporterStdout reporter;
  TestRunner runner(reporter);
  TestResults* results = runner.GetTestResults();

  int selected = 0;
  for (Test* test = Test::GetTestList().GetHead(); test != nullptr; test = test->m_next) {
    if (runner.IsTestInSuite(test, suiteName) && runner.IsTestNameEqual(test, testName)) {
      ++selected;
    }
  }

  int position = 0;
  for (Test* test = Test::GetTestList().GetHead(); test != nullptr; test = test->m_next) {
    if (!runner.IsTestInSuite(test, suiteName) || !runner.IsTestNameEqual(test, testName)) {
      continue;
    }
    ++position;
    std::cout << "[" << position << "/" << selected << "] ";
    runner.RunTest(results, test, 0);
    if (test->m_details.actual_time > 0) {
      TestRunner::g_test_results.emplace_back(position, test->m_details.testName,
                                              test->m_details.expect_time,
                                              test->m_details.actual_time);
    }
  }
  return runner.Finish();
}

}  // namespace

int RunAllTests() {
  return RunSelected(nullptr, nullptr);
}

int RunTests(int argc, char** argv) {
  const std::string suite = argc > 1 ? argv[1] : "";
  TestRunner::g_input_para.clear();
  for (int i = 3; i < argc; ++i) TestRunner::g_input_para.emplace_back(argv[i]);

  if (suite.empty()) return RunAllTests();

  TestRunner::g_test_results.clear();
  const char* testName = argc > 2 ? argv[2] : nullptr;
  return RunSelected(suite.c_str(), testName);
}

void SetInputPara(const std::vector<std::string>& para) {
  std::string display = " ";
  for (const std::string& p : para) display += " " + p;
  std::cout << "设置控制参数为: " << display << std::endl;
  TestRunner::g_input_para = para;
}

std::vector<std::string>& GetInputPara() {
  return TestRunner::g_input_para;
}

std::string pointToJson(const BenchmarkRecord& record) {
  std::ostringstream stream;
  stream << "{"
         << "\"id\": " << std::get<0>(record) << ","
         << "\"name\": \"" << std::get<1>(record) << "\","
         << "\"expect\": " << std::get<2>(record) << ","
         << "\"actual\": " << std::get<3>(record) << "}";
  return stream.str();
}

}  // namespace UnitTest
