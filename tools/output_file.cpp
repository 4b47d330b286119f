#include "tools/output_file.h"

#include "package/file_stream.h"
#include "tools/disk.h"
#include "tools/tool_error.h"

#include <cstdio>

void WriteOutputFile(const std::string& output, const MemoryStream& data) {
    std::string part = output + ".part";
    {
        FileStream out;
        CFileException error(CFileException::kGeneric, 0);
        if (!out.Open(part, FileStream::kCreateDenyAll, &error))
            throw CToolError(kExitIo, "output " + part + " cannot be created (" +
                                          CFileException::CauseName(error.GetCause()) + ")");
        out.Write(data.GetData(), data.GetLength());
    }
    if (!MoveReplacing(part, output)) {
        std::remove(part.c_str());
        throw CToolError(kExitIo, "output " + output + " cannot be replaced");
    }
}
