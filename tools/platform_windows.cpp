// The platform on Windows: binary streams, and files opened by their UTF-8 names.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>

#include "tools/platform.h"

namespace tools {

void PrepareStandardStreams() {
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    SetConsoleOutputCP(CP_UTF8);  // only a console looks at it; files and pipes get the bytes
}

// The program's manifest makes UTF-8 its code page, so the narrow name is the UTF-8 one.
int OpenForReading(const std::string& name) {
    return _open(name.c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT);
}

}  // namespace tools
