// Running an external flashing program hidden, with its output captured.
#pragma once

#include "firmware/WriterContext.h"
#include "framework/CString.h"

struct ConsoleToolOutcome {
    bool started = false;
    bool timedOut = false;  // ended by us after the time limit
};

// Empties the page's tool log, starts the command line with no window of its
// own, standard output and standard error on one pipe and no standard input,
// and appends "[SUCCESS]\r\n" when it started or "[FAIL]\r\n" when it did
// not; then appends everything the program writes until it ends, converted
// from the 8-bit code page as a whole. application names the executable
// (empty: the first word of the command line, found by the system's search).
// A program still running after limitMs is ended. Returns the tool log.
CString RunConsoleTool(UpdatePageState& page, const CString& commandLine, const CString& application,
                       unsigned limitMs, ConsoleToolOutcome* outcome = nullptr);
