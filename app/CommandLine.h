#pragma once
// quorconfig's command line: --help, --version, --interface NAME, --target and --no-broadcast.

#include <QString>

#include "link/Targets.h"

class QCoreApplication;

struct CommandLine {
    QString Interface;        // empty: the routes decide which interface a datagram leaves by
    quor::SearchScope Scope;  // --target and --no-broadcast
};

// True when the command line asks only for a text (--help, --version), which
// needs no display: the caller answers it from a QCoreApplication.
bool AsksForTextOnly(int argc, char** argv);

// Reads the arguments the toolkit left; answers --help and --version and
// refuses a wrong line or an interface a search cannot use, each by printing
// and ending the process as QCommandLineParser does.
CommandLine ReadCommandLine(const QCoreApplication& app);
