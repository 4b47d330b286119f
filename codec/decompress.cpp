#include "codec/decompress.h"
