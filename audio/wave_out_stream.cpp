#include "audio/wave_out_stream.h"
