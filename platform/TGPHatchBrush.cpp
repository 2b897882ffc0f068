#include "platform/TGPHatchBrush.h"

TGPHatchBrush::TGPHatchBrush(const QBrush &brush) : TGPBrush(brush) {}
