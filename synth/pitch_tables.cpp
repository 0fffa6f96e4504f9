#include "synth/pitch_tables.h"
