// SPDX-License-Identifier: MIT
#include "platform/SysErrors.h"
