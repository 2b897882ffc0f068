#include "platform/SysErrors.h"
