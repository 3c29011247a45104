#pragma once
// The Windows-1252 codec lives with the list box, which keeps its lines in
// that code page; the logbook names it here as well.

#include "model/Cp1252.h"
