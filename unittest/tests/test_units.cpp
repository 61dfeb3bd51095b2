// Unit tests for the parts of the framework that a run of the sample program cannot reach.
#include <unittest/unittest.h>

#include <gtest/gtest.h>

#include <cstring>
#include <sstream>
#include <string>
#include <vector>

std::string urdf_path = "/";

namespace {

using UnitTest::TestDetails;

// Records every event as one line of text.
class RecordingReporter : public UnitTest::TestReporter {
 public:
  explicit RecordingReporter(std::vector<std::string>* log, std::string tag = "")
      : m_log(log), m_tag(std::move(tag)) {}
  void ReportTestStart(const TestDetails& d) override { Add("start " + std::string(d.testName)); }
  void ReportFailure(const TestDetails& d, const char* failure) override {
    Add("failure " + std::string(d.testName) + ":" + std::to_string(d.lineNumber) + " " + failure);
  }
  void ReportTestFinish(const TestDetails& d, float) override {
    Add("finish " + std::string(d.testName));
  }
  void ReportSummary(int total, int failed, int failures, float) override {
    Add("summary " + std::to_string(total) + " " + std::to_string(failed) + " " +
        std::to_string(failures));
  }

 private:
  void Add(const std::string& line) { m_log->push_back(m_tag + line); }
  std::vector<std::string>* m_log;
  std::string m_tag;
};

TEST(TestDetailsTest, CheckLocationKeepsIdentityAndResetsTiming) {
  TestDetails details("testName", "SUITE_X", "file.cpp", 10);
  EXPECT_STREQ("SUITE_X", details.suiteName);
  EXPECT_STREQ("testName", details.testName);
  EXPECT_EQ(-1.0, details.actual_time);
  EXPECT_EQ(0.0, details.expect_time);
  details.actual_time = 5;
  details.expect_time = 3;
  details.timeConstraintExempt = true;

  const TestDetails check(details, 42);
  EXPECT_EQ(42, check.lineNumber);
  EXPECT_EQ(-1.0, check.actual_time);
  EXPECT_EQ(0.0, check.expect_time);
  EXPECT_TRUE(check.timeConstraintExempt);
  EXPECT_EQ(details.filename, check.filename);

  const TestDetails copy(details);
  EXPECT_EQ(5.0, copy.actual_time);
  EXPECT_EQ(10, copy.lineNumber);
}

TEST(TestListTest, AppendsInOrderAndProgramWithoutTestsHasEmptyList) {
  EXPECT_EQ(nullptr, UnitTest::Test::GetTestList().GetHead());

  UnitTest::TestList list;
  EXPECT_EQ(nullptr, list.GetHead());
  UnitTest::Test a("a"), b("b"), c("c");
  UnitTest::ListAdder addA(list, &a);
  UnitTest::ListAdder addB(list, &b);
  list.Add(&c);
  std::string order;
  for (const UnitTest::Test* t = list.GetHead(); t != nullptr; t = t->m_next) {
    order += t->m_details.testName;
  }
  EXPECT_EQ("abc", order);
}

TEST(TestResultsTest, CountsFailedTestsOnceAndKeepsOneDescriptionPerFailure) {
  std::vector<std::string> log;
  RecordingReporter reporter(&log);
  UnitTest::TestResults results(&reporter);
  const TestDetails t1("testUpdateJointPVA", "SUITE_ZEMO_RS_UPDATE_STATE", "dir/f.cpp", 20);
  const TestDetails t2("other", "SUITE_ZEMO_RS_UPDATE_STATE", "dir/f.cpp", 40);

  results.OnTestStart(t1);
  results.OnTestFailure(TestDetails(t1, 22), "ret >= 0");
  results.OnTestFailure(TestDetails(t1, 23), "second");
  results.OnTestFinish(t1, 0.5f);
  results.OnTestStart(t2);
  results.OnTestFinish(t2, 0.5f);

  EXPECT_EQ(2, results.GetTotalTestCount());
  EXPECT_EQ(1, results.GetFailedTestCount());
  EXPECT_EQ(2, results.GetFailureCount());
  const std::vector<std::string> expected{
      "dir/f.cpp:22:1 error: Failure in SUITE_ZEMO_RS_UPDATE_STATE::testUpdateJointPVA: ret >= 0",
      "dir/f.cpp:23:1 error: Failure in SUITE_ZEMO_RS_UPDATE_STATE::testUpdateJointPVA: second"};
  EXPECT_EQ(expected, results.GetErrDescription());
  const std::vector<std::string> events{"start testUpdateJointPVA",
                                        "failure testUpdateJointPVA:22 ret >= 0",
                                        "failure testUpdateJointPVA:23 second",
                                        "finish testUpdateJointPVA",
                                        "start other",
                                        "finish other"};
  EXPECT_EQ(events, log);
}

TEST(TestResultsTest, WithoutReporterCountsButStoresNothing) {
  UnitTest::TestResults results(nullptr);
  const TestDetails t("t", "s", "f.cpp", 1);
  results.OnTestStart(t);
  results.OnTestFailure(t, "x");
  results.OnTestFinish(t, 0.0f);
  EXPECT_EQ(1, results.GetFailureCount());
  EXPECT_EQ(1, results.GetFailedTestCount());
  EXPECT_TRUE(results.GetErrDescription().empty());
}

TEST(RequiredCheckTest, RunsOnceThrowsOnFailureKeepsDescriptionAndRestoresReporter) {
  std::vector<std::string> log;
  RecordingReporter reporter(&log);
  UnitTest::TestResults results(&reporter);
  const TestDetails t("t", "s", "f.cpp", 1);

  int passes = 0;
  for (UnitTest::RequiredCheckTestReporter r(results); r.Next();) ++passes;
  EXPECT_EQ(1, passes);

  bool thrown = false;
  try {
    UnitTest::RequiredCheckTestReporter r(results);
    results.OnTestFailure(t, "required");
  } catch (const UnitTest::RequiredCheckException&) {
    thrown = true;
  }
  EXPECT_TRUE(thrown);
  ASSERT_EQ(1u, results.GetErrDescription().size());
  EXPECT_EQ("f.cpp:1:1 error: Failure in s::t: required", results.GetErrDescription()[0]);

  // The original reporter is back: a failure no longer throws.
  EXPECT_NO_THROW(results.OnTestFailure(t, "plain"));
  EXPECT_EQ((std::vector<std::string>{"failure t:1 required", "failure t:1 plain"}), log);

  UnitTest::ThrowingTestReporter bare(nullptr);
  EXPECT_THROW(bare.ReportFailure(t, "x"), UnitTest::RequiredCheckException);
  EXPECT_NO_THROW(bare.ReportSummary(1, 1, 1, 0.0f));
}

TEST(ChecksTest, FailureTextsOfTheComparisonFunctions) {
  std::vector<std::string> log;
  RecordingReporter reporter(&log);
  UnitTest::TestResults results(&reporter);
  const TestDetails at("t", "s", "f.cpp", 3);

  const double a[3] = {1, 2, 3};
  const double b[3] = {1, 2, 4};
  UnitTest::CheckArrayClose(results, a, b, 3, 0.01, at);
  UnitTest::CheckArrayClose(results, a, b, 2, 0.01, at);
  UnitTest::CheckClose(results, 1.0, 1.1, 1e-8, at);
  UnitTest::CheckEqual(results, 6, 7u, at);
  UnitTest::CheckEqual(results, true, false, at);
  char mutableText[] = "x";
  UnitTest::CheckEqual(results, static_cast<char*>(nullptr), mutableText, at);
  UnitTest::CheckEqual(results, mutableText, static_cast<const char*>(nullptr), at);
  UnitTest::CheckEqual(results, static_cast<const char*>(nullptr), static_cast<char*>(nullptr), at);
  const std::vector<std::string> expected{
      "failure t:3 Expected [ 1 2 3 ] +/- 0.01 but was [ 1 2 4 ]",
      "failure t:3 Expected 1 +/- 1e-08 but was 1.1",
      "failure t:3 Expected 6 but was 7",
      "failure t:3 Expected 1 but was 0",
      "failure t:3 Expected <NULLPTR> but was x",
      "failure t:3 Expected x but was <NULLPTR>"};
  EXPECT_EQ(expected, log);
}

TEST(ChecksTest, SignedAndUnsignedCompareByValue) {
  EXPECT_FALSE(UnitTest::Detail::AreEqual(-1, 4294967295u));
  EXPECT_FALSE(UnitTest::Detail::AreEqual(4294967295u, -1));
  EXPECT_TRUE(UnitTest::Detail::AreEqual(6, 6u));
  EXPECT_TRUE(UnitTest::Detail::AreEqual(6ul, 6));
  EXPECT_TRUE(UnitTest::Detail::AreEqual('a', 'a'));
}

TEST(MemoryOutStreamTest, DefaultFormattingAndStableText) {
  UnitTest::MemoryOutStream stream;
  stream << 1e-8 << " " << true << " " << 1.23456789 << " " << 100.0;
  const char* text = stream.GetText();
  EXPECT_STREQ("1e-08 1 1.23457 100", text);
  stream.Clear();
  stream << "z";
  EXPECT_STREQ("z", stream.GetText());
}

TEST(BenchmarkRecordTest, PointToJsonFormat) {
  EXPECT_EQ("{\"id\": 3,\"name\": \"testMoveJ\",\"expect\": 100,\"actual\": 150.5}",
            UnitTest::pointToJson(UnitTest::BenchmarkRecord(3, "testMoveJ", 100.0, 150.5)));
  EXPECT_EQ("{\"id\": 0,\"name\": \"\",\"expect\": 1.23457e+06,\"actual\": 0.000123457}",
            UnitTest::pointToJson(UnitTest::BenchmarkRecord(0, "", 1234567.0, 0.0001234567)));
}

TEST(StdoutReporterTest, MissingNamesDoNotSilenceTheStream) {
  UnitTest::TestReporterStdout reporter;
  const TestDetails unnamed(nullptr, nullptr, "f.cpp", 1);
  testing::internal::CaptureStdout();
  reporter.ReportTestStart(unnamed);
  std::cout << "still writing" << std::endl;
  EXPECT_EQ("当前测试用例为: , \nstill writing\n", testing::internal::GetCapturedStdout());
  EXPECT_TRUE(std::cout.good());
}

TEST(DeferredTestFailureTest, DefaultAndTruncation) {
  const UnitTest::DeferredTestFailure empty;
  EXPECT_EQ(-1, empty.lineNumber);
  EXPECT_STREQ("", empty.text);

  const std::string exact(1023, 'x');
  EXPECT_EQ(exact, UnitTest::DeferredTestFailure(5, exact.c_str()).text);

  const std::string longText(5000, 'y');
  const UnitTest::DeferredTestFailure cut(5, longText.c_str());
  EXPECT_EQ(5, cut.lineNumber);
  EXPECT_EQ(std::string(1023, 'y'), cut.text);

  // 1 + 400 * 3 bytes: a cut at 1023 would split a character, so 340 whole ones are kept.
  std::string wide = "a";
  for (int i = 0; i < 400; ++i) wide += "时";
  const UnitTest::DeferredTestFailure wideCut(1, wide.c_str());
  EXPECT_EQ(wide.substr(0, 1 + 340 * 3), wideCut.text);

  EXPECT_STREQ("", UnitTest::DeferredTestFailure(1, nullptr).text);
}

TEST(DeferredTestReporterTest, CollectsResultsPerTest) {
  class Collector : public UnitTest::DeferredTestReporter {
   public:
    void ReportSummary(int, int, int, float) override {}
  } collector;
  const TestDetails t1("t1", "S", "a.cpp", 1);
  const TestDetails t2("t2", "S", "b.cpp", 9);
  collector.ReportTestStart(t1);
  collector.ReportTestFinish(t1, 0.25f);
  collector.ReportTestStart(t2);
  collector.ReportFailure(TestDetails(t2, 11), "first");
  collector.ReportFailure(TestDetails("t2", "S", "c.cpp", 12), "second");
  collector.ReportTestFinish(t2, 0.5f);

  const auto& results = collector.GetResults();
  ASSERT_EQ(2u, results.size());
  EXPECT_EQ("S", results[0].suiteName);
  EXPECT_EQ("t1", results[0].testName);
  EXPECT_FALSE(results[0].failed);
  EXPECT_EQ(0.25f, results[0].seconds);
  EXPECT_TRUE(results[1].failed);
  EXPECT_EQ("c.cpp", results[1].filename);
  ASSERT_EQ(2u, results[1].failures.size());
  EXPECT_EQ(11, results[1].failures[0].lineNumber);
  EXPECT_STREQ("second", results[1].failures[1].text);
}

TEST(XmlTestReporterTest, WholeDocument) {
  std::ostringstream xml;
  UnitTest::XmlTestReporter reporter(xml);
  const TestDetails pass("testPass", "SUITE_A", "a.cpp", 1);
  const TestDetails fail("testFail", "SUITE_A", "dir/a.cpp", 5);
  reporter.ReportTestStart(pass);
  reporter.ReportTestFinish(pass, 0.5f);
  reporter.ReportTestStart(fail);
  reporter.ReportFailure(TestDetails(fail, 7), "a<b&\"c\"");
  reporter.ReportFailure(TestDetails(fail, 8), "it's >");
  reporter.ReportTestFinish(fail, 1.25f);
  reporter.ReportSummary(2, 1, 2, 1.75f);

  EXPECT_EQ(
      "<?xml version=\"1.0\"?>"
      "<unittest-results tests=\"2\" failedtests=\"1\" failures=\"2\" time=\"1.75\">"
      "<test suite=\"SUITE_A\" name=\"testPass\" time=\"0.5\"/>"
      "<test suite=\"SUITE_A\" name=\"testFail\" time=\"1.25\">"
      "<failure message=\"dir/a.cpp(7) : a&lt;b&amp;&quot;c&quot;\"/>"
      "<failure message=\"dir/a.cpp(8) : it&apos;s &gt;\"/>"
      "</test>"
      "</unittest-results>",
      xml.str());
}

TEST(XmlTestReporterTest, EmptyRunAndEntitiesAreNotEscapedTwice) {
  std::ostringstream empty;
  UnitTest::XmlTestReporter emptyReporter(empty);
  emptyReporter.ReportSummary(0, 0, 0, 0.0f);
  EXPECT_EQ(
      "<?xml version=\"1.0\"?><unittest-results tests=\"0\" failedtests=\"0\" failures=\"0\" "
      "time=\"0\"></unittest-results>",
      empty.str());

  std::ostringstream xml;
  UnitTest::XmlTestReporter reporter(xml);
  const TestDetails t("t", "S", "f.cpp", 1);
  reporter.ReportTestStart(t);
  reporter.ReportFailure(t, "&lt;");
  reporter.ReportSummary(1, 1, 1, 0.0f);
  EXPECT_NE(std::string::npos, xml.str().find("message=\"f.cpp(1) : &amp;lt;\""));
}

TEST(CompositeTestReporterTest, SixteenReportersAtMost) {
  std::vector<std::string> log;
  std::vector<RecordingReporter> reporters;
  reporters.reserve(17);
  for (int i = 0; i < 17; ++i) reporters.emplace_back(&log, std::to_string(i) + ":");

  UnitTest::CompositeTestReporter composite;
  for (int i = 0; i < 16; ++i) EXPECT_TRUE(composite.AddReporter(&reporters[i]));
  EXPECT_FALSE(composite.AddReporter(&reporters[16]));
  EXPECT_EQ(16, composite.GetReporterCount());

  composite.ReportSummary(1, 0, 0, 0.0f);
  ASSERT_EQ(16u, log.size());
  EXPECT_EQ("0:summary 1 0 0", log.front());
  EXPECT_EQ("15:summary 1 0 0", log.back());
}

TEST(CompositeTestReporterTest, ForwardsInOrderAndRemoveMovesTheLastIntoThePlace) {
  std::vector<std::string> log;
  RecordingReporter a(&log, "a:"), b(&log, "b:"), c(&log, "c:"), other(&log, "x:");
  UnitTest::CompositeTestReporter composite;
  composite.AddReporter(&a);
  composite.AddReporter(&b);
  composite.AddReporter(&c);

  const TestDetails t("t", "S", "f.cpp", 4);
  composite.ReportTestStart(t);
  composite.ReportFailure(t, "boom");
  composite.ReportTestFinish(t, 0.0f);
  EXPECT_EQ((std::vector<std::string>{"a:start t", "b:start t", "c:start t", "a:failure t:4 boom",
                                      "b:failure t:4 boom", "c:failure t:4 boom", "a:finish t",
                                      "b:finish t", "c:finish t"}),
            log);

  EXPECT_FALSE(composite.RemoveReporter(&other));
  EXPECT_TRUE(composite.RemoveReporter(&a));
  EXPECT_FALSE(composite.RemoveReporter(&a));
  EXPECT_EQ(2, composite.GetReporterCount());
  log.clear();
  composite.ReportSummary(1, 1, 1, 0.0f);
  EXPECT_EQ((std::vector<std::string>{"c:summary 1 1 1", "b:summary 1 1 1"}), log);
}

TEST(TimerTest, MeasuresSleep) {
  UnitTest::Timer timer;
  timer.Start();
  UnitTest::TimeHelpers::SleepMs(30);
  const double ms = timer.GetTimeInMs();
  EXPECT_GE(ms, 29.0);
  EXPECT_LT(ms, 2000.0);
}

}  // namespace
