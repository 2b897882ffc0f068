#include "app/CrushCalculation.h"

void CrushCalculation::run(CalculationFields &) {}
