#pragma once
// What a command-line program gets from the system: its arguments and its standard streams.

#include <string>
#include <vector>

namespace platform {

// The arguments after the program's name, as UTF-8. Windows hands main() its arguments in
// the ANSI code page, where "Café" is not UTF-8 and a name outside the code page is lost;
// they are read again from the wide command line there.
std::vector<std::string> Utf8Arguments(int argc, char** argv);

// Standard input and output carry bytes as they are. Windows would otherwise put a carriage
// return before each line end written, and take them out of what is read, so that output
// would not compare with other systems' and a binary file on standard input would be
// damaged.
void UseBinaryStandardStreams();

}  // namespace platform
