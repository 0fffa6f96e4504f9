#include "synth/player.h"
