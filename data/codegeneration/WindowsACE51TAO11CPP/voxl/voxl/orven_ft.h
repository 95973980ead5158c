// VOXL run-time support of ORVEN modules: fault-tolerance platform.
// The user log: one line per event, with time stamp and module name.
#ifndef ORVEN_VOXL_FT_H_INCLUDED
#define ORVEN_VOXL_FT_H_INCLUDED

#include <string>

namespace ORVEN {

// Writes "<date time> [<module>] <message>" to standard error and, when a
// log file is set, appends it to that file. Line feeds inside the message
// are written as blanks, so that one event is one line.
void userLog(const std::string& message);

// Sets the file the user log is appended to ("" stops writing a file).
// False when the file cannot be opened; the previous file is then kept.
bool setUserLogFile(const std::string& path);

// Reports an execution of a section (a service or a code section) whose
// elapsed time lies outside [minMs, maxMs] (negative bounds: unbounded).
// Returns 0 within bounds, 1 over the maximum, 2 under the minimum.
int checkTimeRestriction(const std::string& section, double elapsedMs, double minMs, double maxMs);

// The last line written to the user log (empty before the first).
std::string lastUserLogLine();

}  // namespace ORVEN

#endif
