#include "synth/tone.h"
