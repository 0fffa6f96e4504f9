#include "units/sampled_wave_oscillator.h"
