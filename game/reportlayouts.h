#pragma once
// The report layouts as tables of elements: the single person's costing, the family's
// costing with its month as a picture, and the certificate. The report windows build their pages from these
// tables, and the report test reads the same tables, so each position is written once.

#include "controls/report.h"

#include <QVector>

class Game;

namespace reportlayouts {

// The tables a data text shows.
enum Table { NoTable = 0, Players = 1, Professions = 2 };

// The elements of report 1, 2 or 3, or of 4 (the family's month as a picture, printed after
// report 2), in the order they are made (an element made earlier is drawn beneath the later
// ones); empty for another number.
const QVector<TQRLayoutElement> &layout(int number);

// Makes the elements of report `number` on `report`; its data texts read the game's
// players' and professions' tables.
void build(TQuickRep *report, int number, Game *game);

}  // namespace reportlayouts
