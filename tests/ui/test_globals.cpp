// The process-wide objects of the ui test program.
#include "ui/text.h"

CTextCache g_textCache;
