#include "codec/compress.h"
