#include "gauge/DialGaugeReadout.h"

void TDialGaugeReadout::DrawValue(TGPGraphics &, const TDialGauge &, const QRectF &, double) {}
void TDialGaugeReadout::DrawDigit(TGPGraphics &, const TDialGauge &, int, float, float, bool, int) {}
