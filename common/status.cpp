#include "common/status.h"

#include <cerrno>
#include <cstring>

namespace lorvan {

Status Status::FromErrno(int error, const std::string& path) {
  std::string message = path + ": " + std::strerror(error);
  switch (error) {
    case ENOENT:
    case ENOTDIR:
      return NotFound(std::move(message));
    case EACCES:
    case EPERM:
    case EROFS:
    case ETXTBSY:
      return AccessDenied(std::move(message));
    default:
      return Other(std::move(message));
  }
}

}  // namespace lorvan
