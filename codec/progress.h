// Progress reporting and cancel for the block codec.
#pragma once

#include <cstdint>

// Called with a whole percentage that has changed (1 to 99), or with −1 once the
// block is finished (after success or after a cancel); user is handed through
// unchanged. Return nonzero to go on, zero to cancel.
typedef int32_t (*ProgressCallback)(int32_t percent, void* user);
