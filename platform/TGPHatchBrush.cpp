// SPDX-License-Identifier: MIT
#include "platform/TGPHatchBrush.h"

TGPHatchBrush::TGPHatchBrush(const QBrush &brush) : TGPBrush(brush) {}
