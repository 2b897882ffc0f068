#include "gauge/DialGaugePainter.h"

TDialGaugePainter::TDialGaugePainter(const TDialGauge &gauge) : m_gauge(gauge) {}
TDialGaugePainter::~TDialGaugePainter() = default;
void TDialGaugePainter::paint(QPainter &) {}
void TDialGaugePainter::invalidate() {}
