// Status: the outcome of an operation that can fail, returned by value at the core's boundary.
#pragma once

#include <string>
#include <utility>

namespace lorvan {

// What went wrong, in the categories a run reports differently to the user.
enum class ErrorKind {
  kNone,          // success
  kNotFound,      // a file or folder that does not exist
  kAccessDenied,  // a file that may not be read or written (write-protected, no permission)
  kLeft,          // a file the run leaves as it is, for a reason it reports; the run goes on
  kSkipped,       // a file the run leaves alone by its rules (not text); no failure
  kOther,         // anything else (full disk, I/O error, out of memory ...)
};

class Status {
 public:
  Status() = default;
  static Status Ok() { return Status(); }
  static Status NotFound(std::string message) { return {ErrorKind::kNotFound, std::move(message)}; }
  static Status AccessDenied(std::string message) {
    return {ErrorKind::kAccessDenied, std::move(message)};
  }
  static Status Left(std::string message) { return {ErrorKind::kLeft, std::move(message)}; }
  static Status Skipped(std::string message) { return {ErrorKind::kSkipped, std::move(message)}; }
  static Status Other(std::string message) { return {ErrorKind::kOther, std::move(message)}; }
  // Builds the status for a failed system call on path from its errno value.
  static Status FromErrno(int error, const std::string& path);

  bool ok() const { return kind_ == ErrorKind::kNone; }
  ErrorKind kind() const { return kind_; }
  // The system's description of the error, with the path it concerns.
  const std::string& message() const { return message_; }

 private:
  Status(ErrorKind kind, std::string message) : kind_(kind), message_(std::move(message)) {}

  ErrorKind kind_ = ErrorKind::kNone;
  std::string message_;
};

}  // namespace lorvan
