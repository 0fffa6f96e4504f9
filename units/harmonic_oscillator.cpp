#include "units/harmonic_oscillator.h"
