#include "editor/wave_editor_model.h"
