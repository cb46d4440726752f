#pragma once
// The list of refuels and drains as text lines (the order window's and chart window's lists):
// "dd.mm.yy hh:MM - dd.mm.yy hh:MM заправка 30.0л" or "... слив 15.0л". The caller selects the
// first line when there is one.
#include "decimal_text.h"
#include "fuel_action.h"

#include <QStringList>

QStringList FuelActionsText(const TFuelActions& actions, QChar decimalSeparator = SystemDecimalSeparator());
