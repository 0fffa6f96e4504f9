#include "units/oscillator.h"
