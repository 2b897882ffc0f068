#include "platform/NumberText.h"
