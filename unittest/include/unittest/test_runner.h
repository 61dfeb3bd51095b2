#pragma once

#include <string>
#include <tuple>
#include <vector>

namespace UnitTest {

class Test;
class TestReporter;
class TestResults;
class Timer;

// Benchmark record: id (position in the run), test name, expected and actual time [us].
using BenchmarkRecord = std::tuple<int, std::string, double, double>;

class TestRunner {
 public:
  explicit TestRunner(TestReporter& reporter);
  ~TestRunner();
  TestRunner(const TestRunner&) = delete;
  TestRunner& operator=(const TestRunner&) = delete;

  bool IsTestInSuite(const Test* curTest, const char* suiteName) const;
  bool IsTestNameEqual(const Test* curTest, const char* testName) const;
  // maxTestTimeInMs <= 0 disables the global time limit.
  void RunTest(TestResults* result, Test* curTest, int maxTestTimeInMs) const;
  int Finish() const;
  TestResults* GetTestResults();

  static std::vector<std::string> g_input_para;
  static std::vector<BenchmarkRecord> g_test_results;

 private:
  TestReporter* m_reporter;
  TestResults* m_result;
  Timer* m_timer;
};

// Command line: [suite [test [parameter ...]]]; returns the number of failures.
int RunTests(int argc, char** argv);
int RunAllTests();

void SetInputPara(const std::vector<std::string>& para);
std::vector<std::string>& GetInputPara();

std::string pointToJson(const BenchmarkRecord& record);

}  // namespace UnitTest
