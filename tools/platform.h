// What disc-spring-batch needs of its platform: byte streams and files by UTF-8 names.
#pragma once

#include <string>

namespace tools {

/// Makes standard input, output and error carry bytes as they are (on Windows they would turn
/// LF into CRLF and stop at a 0x1A byte), and a console show UTF-8.
void PrepareStandardStreams();

/// Opens a file to read its bytes as they are, not inherited by child processes; -1 with errno
/// set when it cannot be opened. `name` is UTF-8.
int OpenForReading(const std::string& name);

}  // namespace tools
