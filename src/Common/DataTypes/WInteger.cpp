#include "Common/DataTypes/WInteger.h"

// WInteger is fully inline; this unit keeps the header compiled on its own.
