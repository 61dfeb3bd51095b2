// The library's utility declarations: general status codes, the logger and text parsing.
#pragma once

#include <functional>
#include <memory>
#include <mutex>
#include <sstream>
#include <string>
#include <vector>

namespace ZEMO {

// General status codes; 0 is success, negative an error.
enum ErrorGen : int {
  E_NO_ERROR = 0,
  E_ERR_ERROR = -1,
  E_INT_NOT_IMPL = -2,
  E_FUNC_NOT_IMPL = -3,
  E_VERSION_DISMATCH = -4,
  E_MAJOR_DISMATCH = -5,
  E_MINOR_DISMATCH = -6,
  E_PATCH_DISMATCH = -7,
  E_FILE_NOT_EXIST = -8,
  E_PARSE_PLUGIN_FAILED = -9,
  E_LIBRARY_INITIAL_FAILED = -10,
  E_DIMENSION_DISMATCH = -11,
  E_INVALID_FUNCTION = -12,
};

// Levels of the logger; a message is emitted when its level is at most the logger's level.
enum class LogLevel : int { Fatal = 0, Error = 1, Warn = 2, Info = 3, Debug = 4, Verbose = 5 };

// level, source file name, line, message
using LogHandler = std::function<void(const int&, const char*, const int&, const std::string&)>;

// Writes "[LEVEL] file:line message" to standard error.
void DefaultLogHandler(const int& level, const char* file_name, const int& line,
                       const std::string& message);

// The part of a source path after its last '/' (the path itself when it has none).
const char* GetSourceFilename(const char* path);

// Splits `line` at `separator` and converts every field. Returns 0, or E_ERR_ERROR when a field
// is not a number (values then hold the fields converted before it). An empty or blank line
// gives 0 and no values. With a blank separator runs of blanks count as one.
int SplitString(const std::string& line, const std::string& separator, std::vector<double>& values);

// Converts the whole text (surrounding blanks allowed). Returns 0, or E_ERR_ERROR when the
// text is not one number; `value` is then NaN.
int StrToDouble(const char* text, double& value);

// Builds one message per level call; end() hands it to the handler when the level allows.
class Logger {
 public:
  Logger() : log_level_(0), cur_level_(0), handler_(DefaultLogHandler) {}
  ~Logger();

  void setLogLevel(unsigned int level);
  const unsigned int& getLogLevel();
  void setCurLevel(unsigned int level);
  const unsigned int& getCurLevel();

  std::ostringstream& verbose();
  std::ostringstream& debug();
  std::ostringstream& info();
  std::ostringstream& warn();
  std::ostringstream& error();
  std::ostringstream& fatal();

  // Emits "zemo::<function> - <message>" with the file and line, then starts a new message.
  void end(const std::string& function, const std::string& file_name, const int& line);

  // An empty handler is refused with E_ERR_ERROR; 0 otherwise.
  int setLogHandler(const LogHandler& handler);

 private:
  std::mutex mtx_;
  unsigned int log_level_;
  unsigned int cur_level_;
  std::ostringstream str_;
  LogHandler handler_;
};

using LoggerPtr = std::shared_ptr<Logger>;

// Two values the planner updates with every trajectory point it produces.
extern double phase_vv[2];

}  // namespace ZEMO
