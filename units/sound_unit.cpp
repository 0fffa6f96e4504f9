#include "units/sound_unit.h"
