#include "items/install_item.h"
