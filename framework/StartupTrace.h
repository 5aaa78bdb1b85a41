// Timing marks of the start-up, for the start-up benchmark. Off unless the
// environment variable TORVIK_STARTUP_TRACE names a file: then each mark keeps
// the performance counter of the moment, and WriteStartupTrace writes the marks
// to that file, a line "<phase>\t<counter>" each, once the run is over.
#pragma once

// Marks the end of a start-up phase (a string literal); a phase marked before
// is not marked again.
void MarkStartup(const wchar_t* phase);
void WriteStartupTrace();
