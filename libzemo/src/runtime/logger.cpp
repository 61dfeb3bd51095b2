#include <cstring>
#include <iostream>
#include <mutex>
#include <string>

#include "zemo_utility.h"

namespace ZEMO {
namespace {

const char* levelName(int level) {
  static const char* const names[] = {"FATAL", "ERROR", "WARN", "INFO", "DEBUG", "VERBOSE"};
  return level >= 0 && level <= 5 ? names[level] : "LOG";
}

}  // namespace

void DefaultLogHandler(const int& level, const char* file_name, const int& line,
                       const std::string& message) {
  std::cerr << "[" << levelName(level) << "] " << (file_name ? file_name : "") << ":" << line << " "
            << message << std::endl;
}

const char* GetSourceFilename(const char* path) {
  if (path == nullptr) return "";
  const char* slash = std::strrchr(path, '/');
  return slash ? slash + 1 : path;
}

Logger::~Logger() = default;

void Logger::setLogLevel(unsigned int level) {
  std::lock_guard<std::mutex> lock(mtx_);
  log_level_ = level;
}

const unsigned int& Logger::getLogLevel() {
  return log_level_;
}

void Logger::setCurLevel(unsigned int level) {
  std::lock_guard<std::mutex> lock(mtx_);
  cur_level_ = level;
}

const unsigned int& Logger::getCurLevel() {
  return cur_level_;
}

std::ostringstream& Logger::verbose() {
  setCurLevel(static_cast<unsigned int>(LogLevel::Verbose));
  return str_;
}

std::ostringstream& Logger::debug() {
  setCurLevel(static_cast<unsigned int>(LogLevel::Debug));
  return str_;
}

std::ostringstream& Logger::info() {
  setCurLevel(static_cast<unsigned int>(LogLevel::Info));
  return str_;
}

std::ostringstream& Logger::warn() {
  setCurLevel(static_cast<unsigned int>(LogLevel::Warn));
  return str_;
}

std::ostringstream& Logger::error() {
  setCurLevel(static_cast<unsigned int>(LogLevel::Error));
  return str_;
}

std::ostringstream& Logger::fatal() {
  setCurLevel(static_cast<unsigned int>(LogLevel::Fatal));
  return str_;
}

void Logger::end(const std::string& function, const std::string& file_name, const int& line) {
  std::string message;
  LogHandler handler;
  int level = 0;
  bool emit = false;
  {
    std::lock_guard<std::mutex> lock(mtx_);
    message = str_.str();
    str_.str("");
    str_.clear();
    level = static_cast<int>(cur_level_);
    emit = cur_level_ <= log_level_;
    handler = handler_;
  }
  // The handler runs unlocked so that it may log through this logger itself.
  if (emit && handler)
    handler(level, file_name.c_str(), line, "zemo::" + function + " - " + message);
}

int Logger::setLogHandler(const LogHandler& handler) {
  if (!handler) return E_ERR_ERROR;
  std::lock_guard<std::mutex> lock(mtx_);
  handler_ = handler;
  return E_NO_ERROR;
}

}  // namespace ZEMO
