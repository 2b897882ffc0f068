// SPDX-License-Identifier: MIT
#include "platform/TGPTextureBrush.h"

TGPTextureBrush::TGPTextureBrush(const QBrush &brush) : TGPBrush(brush) {}
