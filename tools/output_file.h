// Writing a finished output: first to OUTPUT.part, then moved over OUTPUT, so that a
// failure never leaves a half-written file under the real name.
#pragma once

#include "package/memory_stream.h"

#include <string>

// Throws CToolError(kExitIo) naming the file when it cannot be written or replaced.
void WriteOutputFile(const std::string& output, const MemoryStream& data);
