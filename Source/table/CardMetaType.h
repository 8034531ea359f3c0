#pragma once

#include "Card.h"

#include <QMetaType>

// Card travels by value in the scene's cardClicked(Card,int) signal.
Q_DECLARE_METATYPE(Card)
