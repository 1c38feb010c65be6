// What the charts of the results share: the names of the bodies in a
// chooser, and value axes fitted to the values they show.
#pragma once

#include "core/model.h"

#include <QStringList>

class QValueAxis;

// One name per body in body order, column by column: its number, its column
// and its place in the column (SurfaceWindowText::bodyItem).
QStringList bodyNames(const LayoutParameters& layout);

// Sets the axis to [low, high] with a little room, on round numbers.
void fitValueAxis(QValueAxis* axis, double low, double high);
