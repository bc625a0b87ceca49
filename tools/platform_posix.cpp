// The platform on Linux: streams are bytes already, names are UTF-8.
#include <fcntl.h>

#include "tools/platform.h"

namespace tools {

void PrepareStandardStreams() {}

int OpenForReading(const std::string& name) {
    return open(name.c_str(), O_RDONLY | O_CLOEXEC);
}

}  // namespace tools
