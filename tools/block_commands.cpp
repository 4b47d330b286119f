// `compress-block` and `expand-block`: the block codec on single files, for developers.
#include "tools/commands.h"

#include "codec/compress.h"
#include "codec/decompress.h"
#include "package/block_header.h"
#include "package/file_stream.h"
#include "package/memory_stream.h"
#include "tools/disk.h"
#include "tools/output_file.h"
#include "tools/package_writer.h"
#include "tools/tool_error.h"

#include <cstdio>

int RunCompressBlock(const std::string& input, const std::string& output, bool fast) {
    MemoryStream source(ReadWholeFile(input, "input"));
    MemoryStream block;
    if (CompressBlock(source, block, fast ? 0 : 1, nullptr, nullptr) < 0)
        throw CToolError(kExitIo, input + " could not be compressed");
    WriteOutputFile(output, block);
    std::printf("%s: %u bytes compressed to a block of %u bytes\n", output.c_str(), source.GetLength(),
                block.GetLength());
    return kExitOk;
}

int RunExpandBlock(const std::string& input, const std::string& output) {
    MemoryStream source(ReadWholeFile(input, "input"));
    BlockHeader header;
    if (!ReadBlockHeader(source, header))
        throw CToolError(kExitDamaged, input + ": offset 0: the block header is cut off (" +
                                           std::to_string(source.GetLength()) + " bytes, a header takes 8)");
    if (header.nUncompressed < 0 || header.nCompressed < 0)
        throw CToolError(kExitDamaged, input + ": offset 0: the block header holds a negative size");
    uint64_t end = kBlockHeaderSize + uint64_t(uint32_t(header.nCompressed));
    if (end > source.GetLength())
        throw CToolError(kExitDamaged, input + ": offset 4: the block says " + std::to_string(header.nCompressed) +
                                           " compressed bytes but only " +
                                           std::to_string(source.GetLength() - kBlockHeaderSize) + " follow");
    if (end < source.GetLength())
        throw CToolError(kExitDamaged, input + ": offset " + std::to_string(end) + ": " +
                                           std::to_string(source.GetLength() - end) + " bytes follow the block");
    source.Seek(0, ByteStream::kBegin);
    MemoryStream expanded;
    if (DecompressBlock(source, expanded, nullptr, nullptr) != header.nUncompressed)
        throw CToolError(kExitDamaged, input + ": offset 8: the block is damaged and does not expand to its " +
                                           std::to_string(header.nUncompressed) + " bytes");
    WriteOutputFile(output, expanded);
    std::printf("%s: block of %u bytes expanded to %u bytes\n", output.c_str(), source.GetLength(),
                expanded.GetLength());
    return kExitOk;
}
