#include "synth/tone_table.h"
