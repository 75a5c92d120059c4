// How both programs run a package command: each line written to an output handle as soon as it is
// known, CR LF after it, and an error that ends the run written there too.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "app/drivers/PackageCommand.h"

// Writes one line and its CR LF to output; nothing when output is null or invalid.
void WriteOutputLine(HANDLE output, const std::string& line);

// Runs the command with its lines going to output; returns its exit code, kExitFailed when it
// ended in an error. cancelled is asked after each file (see RunPackageCommand).
int RunPackageCommandTo(HANDLE output, const TPackageCommand& command,
                        const std::function<bool()>& cancelled = {});
