#pragma once

namespace UnitTest {

class TestResults;
class TestDetails;

// The two process-wide slots through which checks find the running test and its results.
namespace CurrentTest {
TestResults*& Results();
const TestDetails*& Details();
}  // namespace CurrentTest

}  // namespace UnitTest
